# Whole-process benchmarks of shiftcal: bench/cli_benchmark.cpp (Google Benchmark, run by
# `make bench`) and bench/cli_bench.sh (hyperfine, for the figures with their commands).
add_executable(cli_bare_writer ${CMAKE_CURRENT_LIST_DIR}/cli_bare_writer.cpp)
target_link_libraries(cli_bare_writer PRIVATE shiftcal_text shift_warnings)

add_executable(cli_benchmark ${CMAKE_CURRENT_LIST_DIR}/cli_benchmark.cpp)
target_link_libraries(cli_benchmark PRIVATE shift_warnings benchmark::benchmark)
target_compile_definitions(cli_benchmark PRIVATE
    SHIFTCAL_BINARY="$<TARGET_FILE:shiftcal>"
    BARE_WRITER_BINARY="$<TARGET_FILE:cli_bare_writer>")
add_dependencies(cli_benchmark shiftcal cli_bare_writer)

# shiftcal publish against the ics and table processes that write the same feeds and tables.
add_executable(publish_benchmark ${CMAKE_CURRENT_LIST_DIR}/publish_benchmark.cpp)
target_link_libraries(publish_benchmark PRIVATE shift_warnings benchmark::benchmark)
target_compile_definitions(publish_benchmark PRIVATE SHIFTCAL_BINARY="$<TARGET_FILE:shiftcal>")
add_dependencies(publish_benchmark shiftcal)

# The --mine commands on a worker's year and on 10,000 entries, against the same for a team.
add_executable(days_benchmark ${CMAKE_CURRENT_LIST_DIR}/days_benchmark.cpp)
target_link_libraries(days_benchmark PRIVATE shift_warnings benchmark::benchmark)
target_compile_definitions(days_benchmark PRIVATE SHIFTCAL_BINARY="$<TARGET_FILE:shiftcal>")
add_dependencies(days_benchmark shiftcal)
