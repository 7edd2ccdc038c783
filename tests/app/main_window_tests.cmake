# The main window and the program start.
#
#   main_window_test          offscreen: start-up state, handlers, views and sizes, events,
#                             focus, date panel, font check, error box (QtTest).
#   main_window_large_fonts   the same program's font check on a 120-dpi screen.
#   main_window_random_test   offscreen: 10,000 random user events, invariants after each.
#   my_days_test              the window's reader of the worker's days against the real
#                             shiftcal writing the same database at once.
#   hour_watch_test           offscreen: the watch with a clock the test moves, and the window
#                             following midnight by itself.
#   schedule_accessibility_test  offscreen: the schedule as a table through Qt's accessibility
#                             interfaces.
#   schedule_atspi            the built program read and typed at as a screen reader does:
#                             AT-SPI on its own D-Bus session, Xvfb with openbox, xdotool.
#   main_window_xvfb          the built program under its own Xvfb, driven with xdotool,
#                             screenshots checked at fixed pixels and kept in
#                             tests/app/xvfb-artifacts/ of the build tree.
#   main_window_larger_than_screen  the built program scaled by QT_SCALE_FACTOR on a
#                             1280 x 1024 screen under openbox: title bar and controls stay on
#                             the screen; screenshots in tests/app/larger-than-screen-artifacts/.
#   start_without_display     the built program where no window can open (no display, or a
#                             platform that cannot start beside a real X display): one line
#                             with the reason, non-zero exit.
find_package(Qt6 6.4 REQUIRED COMPONENTS Test Widgets)

set(SHIFT_MAIN_WINDOW_TEST_DIR ${CMAKE_CURRENT_LIST_DIR})

function(shift_add_main_window_qtest name)
    add_executable(${name} ${SHIFT_MAIN_WINDOW_TEST_DIR}/${name}.cpp)
    set_target_properties(${name} PROPERTIES AUTOMOC ON)
    target_link_libraries(${name} PRIVATE shift_app Qt6::Test shift_warnings)
endfunction()

# Offscreen, unscaled like the program itself (main.cpp turns high-dpi scaling off); no test
# may reach a printer of the machine.
set(SHIFT_MAIN_WINDOW_TEST_ENV
    "QT_QPA_PLATFORM=offscreen"
    "QT_ENABLE_HIGHDPI_SCALING=0"
    "CUPS_SERVER=${CMAKE_CURRENT_BINARY_DIR}/no-scheduler/cups.sock")

# A scale factor from the caller's environment would change every size the tests check, and the
# caller's own days database what the window shows.
set(SHIFT_MAIN_WINDOW_TEST_ENV_MODS "QT_SCALE_FACTOR=unset:" "QT_SCREEN_SCALE_FACTORS=unset:"
    "XDG_DATA_HOME=set:${CMAKE_CURRENT_BINARY_DIR}/no-days")

shift_add_main_window_qtest(main_window_test)
add_test(NAME app.main_window COMMAND main_window_test)
add_test(NAME app.main_window_large_fonts COMMAND main_window_test fontCheckDecidesTheHeight)
set_tests_properties(app.main_window PROPERTIES
    LABELS "app" TIMEOUT 300
    ENVIRONMENT "${SHIFT_MAIN_WINDOW_TEST_ENV}"
    ENVIRONMENT_MODIFICATION "${SHIFT_MAIN_WINDOW_TEST_ENV_MODS};QT_FONT_DPI=unset:")
set_tests_properties(app.main_window_large_fonts PROPERTIES
    LABELS "app" TIMEOUT 120
    ENVIRONMENT "${SHIFT_MAIN_WINDOW_TEST_ENV};QT_FONT_DPI=120"
    ENVIRONMENT_MODIFICATION "${SHIFT_MAIN_WINDOW_TEST_ENV_MODS}")

shift_add_main_window_qtest(main_window_random_test)
add_test(NAME app.main_window_random COMMAND main_window_random_test)
set_tests_properties(app.main_window_random PROPERTIES
    LABELS "app" TIMEOUT 900
    ENVIRONMENT "${SHIFT_MAIN_WINDOW_TEST_ENV}"
    ENVIRONMENT_MODIFICATION "${SHIFT_MAIN_WINDOW_TEST_ENV_MODS};QT_FONT_DPI=unset:")

shift_add_main_window_qtest(my_days_test)
add_test(NAME app.my_days COMMAND my_days_test)
set_tests_properties(app.my_days PROPERTIES
    LABELS "app" TIMEOUT 300
    ENVIRONMENT "${SHIFT_MAIN_WINDOW_TEST_ENV};SHIFTCAL=$<TARGET_FILE:shiftcal>")

foreach(name hour_watch schedule_accessibility)
    shift_add_main_window_qtest(${name}_test)
    add_test(NAME app.${name} COMMAND ${name}_test)
    set_tests_properties(app.${name} PROPERTIES
        LABELS "app" TIMEOUT 120
        ENVIRONMENT "${SHIFT_MAIN_WINDOW_TEST_ENV}"
        ENVIRONMENT_MODIFICATION "${SHIFT_MAIN_WINDOW_TEST_ENV_MODS};QT_FONT_DPI=unset:")
endforeach()

add_test(NAME app.main_window_xvfb
    COMMAND ${SHIFT_MAIN_WINDOW_TEST_DIR}/xvfb/main_window_xvfb_test.sh
            $<TARGET_FILE:shiftschedule> ${CMAKE_CURRENT_BINARY_DIR}/xvfb-artifacts)
set_tests_properties(app.main_window_xvfb PROPERTIES
    LABELS "app" TIMEOUT 300
    ENVIRONMENT "CUPS_SERVER=${CMAKE_CURRENT_BINARY_DIR}/no-scheduler/cups.sock"
    ENVIRONMENT_MODIFICATION
        "${SHIFT_MAIN_WINDOW_TEST_ENV_MODS};QT_QPA_PLATFORM=unset:;QT_FONT_DPI=unset:;QT_ENABLE_HIGHDPI_SCALING=unset:;LC_ALL=set:C.UTF-8")

add_test(NAME app.schedule_atspi
    COMMAND ${SHIFT_MAIN_WINDOW_TEST_DIR}/print_info_x_session.sh --wm
            -- ${SHIFT_MAIN_WINDOW_TEST_DIR}/atspi/schedule_atspi_test.sh
            $<TARGET_FILE:shiftschedule> ${CMAKE_CURRENT_BINARY_DIR}/atspi-artifacts
            $<TARGET_FILE:shiftcal>)
set_tests_properties(app.schedule_atspi PROPERTIES
    LABELS "app" TIMEOUT 300
    ENVIRONMENT "CUPS_SERVER=${CMAKE_CURRENT_BINARY_DIR}/no-scheduler/cups.sock"
    ENVIRONMENT_MODIFICATION
        "${SHIFT_MAIN_WINDOW_TEST_ENV_MODS};QT_QPA_PLATFORM=unset:;QT_FONT_DPI=unset:;QT_ENABLE_HIGHDPI_SCALING=unset:;LC_ALL=set:C.UTF-8;DBUS_SESSION_BUS_ADDRESS=unset:")
# The window on each display it meets: a real X server with a window manager and a headless
# Wayland compositor, each checked against the same view drawn offscreen.
shift_add_main_window_qtest(window_platforms_test)
add_test(NAME app.window_x
    COMMAND ${SHIFT_MAIN_WINDOW_TEST_DIR}/print_info_x_session.sh --wm
            -- $<TARGET_FILE:window_platforms_test>)
add_test(NAME app.window_wayland
    COMMAND ${SHIFT_MAIN_WINDOW_TEST_DIR}/wayland/weston_session.sh
            -- $<TARGET_FILE:window_platforms_test>)
set_tests_properties(app.window_x app.window_wayland PROPERTIES
    LABELS "app" TIMEOUT 180
    ENVIRONMENT "SHIFT_WINDOW_ARTIFACTS=${CMAKE_CURRENT_BINARY_DIR}/window-artifacts;CUPS_SERVER=${CMAKE_CURRENT_BINARY_DIR}/no-scheduler/cups.sock"
    ENVIRONMENT_MODIFICATION
        "${SHIFT_MAIN_WINDOW_TEST_ENV_MODS};QT_QPA_PLATFORM=unset:;QT_FONT_DPI=unset:;QT_ENABLE_HIGHDPI_SCALING=set:0")
add_test(NAME app.main_window_larger_than_screen
    COMMAND ${SHIFT_MAIN_WINDOW_TEST_DIR}/print_info_x_session.sh --wm
            -- ${SHIFT_MAIN_WINDOW_TEST_DIR}/xvfb/larger_than_screen_xvfb_test.sh
               $<TARGET_FILE:shiftschedule> ${CMAKE_CURRENT_BINARY_DIR}/larger-than-screen-artifacts)
set_tests_properties(app.main_window_larger_than_screen PROPERTIES
    LABELS "app" TIMEOUT 180
    ENVIRONMENT "CUPS_SERVER=${CMAKE_CURRENT_BINARY_DIR}/no-scheduler/cups.sock"
    ENVIRONMENT_MODIFICATION
        "${SHIFT_MAIN_WINDOW_TEST_ENV_MODS};QT_QPA_PLATFORM=unset:;QT_FONT_DPI=unset:;QT_ENABLE_HIGHDPI_SCALING=unset:")

add_test(NAME app.start_without_display
    COMMAND ${SHIFT_MAIN_WINDOW_TEST_DIR}/print_info_x_session.sh
            -- ${SHIFT_MAIN_WINDOW_TEST_DIR}/start_without_display_test.sh
               $<TARGET_FILE:shiftschedule>)
set_tests_properties(app.start_without_display PROPERTIES LABELS "app" TIMEOUT 60)
