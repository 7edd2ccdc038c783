# One PDF page of `shiftcal render`, drawn as vectors, against the stretched image of before.
add_executable(render_benchmark ${CMAKE_CURRENT_LIST_DIR}/render_benchmark.cpp)
target_link_libraries(render_benchmark PRIVATE
    shiftcal_render shift_views_qt shift_warnings benchmark::benchmark)
