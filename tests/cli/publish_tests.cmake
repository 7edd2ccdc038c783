# The tests of `shiftcal publish` and `--remind`: the parts in-process, the real binary on a
# real file system (shared folders, other users, mounts), and the published folder served by a
# real web server (nginx) to curl.
add_executable(cli_publish_units_test publish_units_test.cpp)
target_link_libraries(cli_publish_units_test
    PRIVATE shiftcal_text cli_test_support shift_warnings GTest::gtest_main)
gtest_discover_tests(cli_publish_units_test PROPERTIES LABELS "cli")

add_executable(cli_publish_test publish_test.cpp)
target_link_libraries(cli_publish_test PRIVATE cli_test_support shift_warnings GTest::gtest_main)
target_compile_definitions(cli_publish_test PRIVATE ${CLI_BINARIES}
    CLI_EXPECTED_DIR="${CMAKE_CURRENT_SOURCE_DIR}/expected")
add_dependencies(cli_publish_test shiftcal)
gtest_discover_tests(cli_publish_test PROPERTIES LABELS "cli" TIMEOUT 300)

add_executable(cli_publish_filesystem_test publish_filesystem_test.cpp)
target_link_libraries(cli_publish_filesystem_test
    PRIVATE cli_test_support shift_warnings GTest::gtest_main)
target_compile_definitions(cli_publish_filesystem_test PRIVATE ${CLI_BINARIES})
add_dependencies(cli_publish_filesystem_test shiftcal)
gtest_discover_tests(cli_publish_filesystem_test PROPERTIES LABELS "cli" TIMEOUT 600)

add_executable(cli_publish_web_test publish_web_test.cpp ical_reader.cpp ical_reader.h
    web_server.cpp web_server.h)
target_link_libraries(cli_publish_web_test
    PRIVATE cli_test_support shift_warnings PkgConfig::LIBICAL GTest::gtest_main)
target_compile_definitions(cli_publish_web_test PRIVATE ${CLI_BINARIES})
add_dependencies(cli_publish_web_test shiftcal)
gtest_discover_tests(cli_publish_web_test PROPERTIES LABELS "cli" TIMEOUT 600)
