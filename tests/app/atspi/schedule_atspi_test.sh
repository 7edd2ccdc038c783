#!/usr/bin/env bash
# The program as a screen reader meets it: in its own D-Bus session with the accessibility bus,
# on the private X display with a window manager that print_info_x_session.sh --wm gives it
# (DISPLAY), its clock fixed at Saturday 1 October 2016, 20:00,
# read and driven through AT-SPI by schedule_atspi_check.py, which also types at the window
# with xdotool. The worker's days are those SHIFTCAL records before the program starts, in a
# database of the test's own, and those it adds while the window is open. Logs and screenshots
# stay in ARTIFACT_DIR.
#
# usage: schedule_atspi_test.sh PROGRAM ARTIFACT_DIR SHIFTCAL
set -uo pipefail

if [ -z "${SHIFT_ATSPI_SESSION:-}" ]; then
    exec env SHIFT_ATSPI_SESSION=1 dbus-run-session -- "$0" "$@"
fi

program=$1
artifacts=$2
shiftcal=$3
here=$(dirname "$0")
mkdir -p "$artifacts"
rm -rf "$artifacts"/*.log "$artifacts"/*.png "$artifacts/data"

# On team D of Sudra from 2016: away 3 to 5 October (a note on two lines), an extra night on
# the 8th.
export XDG_DATA_HOME=$artifacts/data
"$shiftcal" days team D --scheme sudra --from 2016-01-01 >/dev/null || exit 1
"$shiftcal" days add vacation 2016-10-03 --to 2016-10-05 --note $'Kreta\nmed barnen' >/dev/null || exit 1
"$shiftcal" days add extra 2016-10-08 --shift N --note "för Anna" >/dev/null 2>&1 || exit 1

pids=()
stop() {
    local pid
    for pid in "${pids[@]}"; do
        kill "$pid" 2>/dev/null && wait "$pid" 2>/dev/null
    done
}
trap stop EXIT

# Waits up to 60 s (a machine busy with other builds starts its clients slowly) for the command
# given to succeed.
wait_until() {
    local _
    for _ in $(seq 600); do
        "$@" >/dev/null 2>&1 && return 0
        sleep 0.1
    done
    return 1
}

[ -n "${DISPLAY:-}" ] || { echo "no X display: run under print_info_x_session.sh --wm" >&2; exit 1; }

/usr/libexec/at-spi-bus-launcher --launch-immediately >"$artifacts/at-spi.log" 2>&1 &
pids+=($!)
wait_until sh -c "dbus-send --session --print-reply --dest=org.freedesktop.DBus /org/freedesktop/DBus \
    org.freedesktop.DBus.NameHasOwner string:org.a11y.Bus | grep -q true" \
    || { echo "the accessibility bus did not start" >&2; exit 1; }

env QT_LINUX_ACCESSIBILITY_ALWAYS_ON=1 SHIFTSCHEDULE_FAKE_NOW="2016-10-01 20:00" \
    "$program" >"$artifacts/program.log" 2>&1 &
pids+=($!)
win=$(timeout 60 xdotool search --sync --onlyvisible --name '^Shift Schedule Tervialund by Lodin $' | head -n1)
[ -n "$win" ] || { echo "the main window did not appear" >&2; cat "$artifacts/program.log" >&2; exit 1; }
xdotool windowactivate --sync "$win"

/usr/bin/python3 "$here/schedule_atspi_check.py" "$win" "$shiftcal" "$artifacts"
