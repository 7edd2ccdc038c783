# Start-up of the program against a minimal Qt Widgets program, both run as processes.
find_package(Qt6 6.4 REQUIRED COMPONENTS Widgets)

add_executable(minimal_qt_window ${CMAKE_CURRENT_LIST_DIR}/minimal_qt_window.cpp)
# Only the page geometry's constants of the program: no library of it is linked.
target_include_directories(minimal_qt_window PRIVATE ${PROJECT_SOURCE_DIR})
target_link_libraries(minimal_qt_window PRIVATE Qt6::Widgets shift_warnings)

add_executable(startup_benchmark ${CMAKE_CURRENT_LIST_DIR}/startup_benchmark.cpp)
target_link_libraries(startup_benchmark PRIVATE shift_warnings benchmark::benchmark)
target_compile_definitions(startup_benchmark PRIVATE
    SHIFTSCHEDULE_BINARY="$<TARGET_FILE:shiftschedule>"
    MINIMAL_QT_WINDOW_BINARY="$<TARGET_FILE:minimal_qt_window>")
add_dependencies(startup_benchmark shiftschedule minimal_qt_window)
