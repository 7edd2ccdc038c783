# One full repaint of each view through QPainter onto an offscreen image.
find_package(Qt6 6.4 REQUIRED COMPONENTS Gui)
add_executable(views_benchmark views_benchmark.cpp)
target_link_libraries(views_benchmark PRIVATE
    shift_views shift_views_qt Qt6::Gui shift_warnings benchmark::benchmark)
