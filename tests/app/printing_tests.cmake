# Printing and the info window.
#
#   print_surface_test  offscreen, no printer at all: the print surface, the captured image and
#                       the failures before a job starts.
#   info_window_test    a real X server with a window manager: stacking, focus, keys, position;
#                       again on two monitors, for the monitor it opens on.
#   print_real_test     a real X server and a private CUPS scheduler with a PDF queue: whole
#                       prints through the dialog, checked on the PDF that comes out.
find_package(Qt6 6.4 REQUIRED COMPONENTS Test Widgets PrintSupport)

set(SHIFT_PRINT_TEST_DIR ${CMAKE_CURRENT_LIST_DIR})

function(shift_add_print_qtest name)
    add_executable(${name} ${SHIFT_PRINT_TEST_DIR}/${name}.cpp)
    set_target_properties(${name} PROPERTIES AUTOMOC ON)
    target_link_libraries(${name} PRIVATE shift_app Qt6::Test shift_warnings)
endfunction()

# Nothing the tests do may reach a printer of the machine: LPDEST and PRINTER would name one.
set(SHIFT_PRINT_TEST_ENV_MODS "LPDEST=unset:" "PRINTER=unset:")

shift_add_print_qtest(print_surface_test)
add_test(NAME app.print_surface COMMAND print_surface_test)
set_tests_properties(app.print_surface PROPERTIES
    LABELS "app"
    ENVIRONMENT "QT_QPA_PLATFORM=offscreen;CUPS_SERVER=${CMAKE_CURRENT_BINARY_DIR}/no-scheduler/cups.sock"
    ENVIRONMENT_MODIFICATION "${SHIFT_PRINT_TEST_ENV_MODS}"
    TIMEOUT 120)

shift_add_print_qtest(info_window_test)
target_link_libraries(info_window_test PRIVATE shift_version)
add_test(NAME app.info_window
    COMMAND ${SHIFT_PRINT_TEST_DIR}/print_info_x_session.sh --wm -- $<TARGET_FILE:info_window_test>)
# Alone: on a loaded machine the window manager may frame the window only after the test has
# given up on it.
set_tests_properties(app.info_window PROPERTIES
    LABELS "app"
    ENVIRONMENT_MODIFICATION "${SHIFT_PRINT_TEST_ENV_MODS}"
    RUN_SERIAL TRUE
    TIMEOUT 180)

add_test(NAME app.info_window_two_monitors
    COMMAND ${SHIFT_PRINT_TEST_DIR}/print_info_x_session.sh --wm --two-monitors
            -- $<TARGET_FILE:info_window_test> opensCentredOnTheMainWindowsMonitor)
set_tests_properties(app.info_window_two_monitors PROPERTIES
    LABELS "app"
    ENVIRONMENT_MODIFICATION "${SHIFT_PRINT_TEST_ENV_MODS}"
    TIMEOUT 120)

shift_add_print_qtest(print_real_test)
add_test(NAME app.print_real
    COMMAND ${SHIFT_PRINT_TEST_DIR}/cups/with_private_cups.sh
            ${CMAKE_CURRENT_BINARY_DIR}/print-artifacts
            -- ${SHIFT_PRINT_TEST_DIR}/print_info_x_session.sh
            -- $<TARGET_FILE:print_real_test>)
set_tests_properties(app.print_real PROPERTIES
    LABELS "app"
    SKIP_RETURN_CODE 77
    ENVIRONMENT_MODIFICATION "${SHIFT_PRINT_TEST_ENV_MODS}"
    TIMEOUT 600)
