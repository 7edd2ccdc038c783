#!/usr/bin/env bash
# The program started where no window can open: without any display named, and with a
# DISPLAY that names no running server. Each time it must say so in one line on stderr and
# exit with a non-zero status, instead of Qt's several lines, abort and core dump.
#
# usage: start_without_display_test.sh PROGRAM
set -uo pipefail

program=$1
failures=0

# A display number with no server behind it.
unused_display() {
    local n
    for n in $(shuf -i 300-899 -n 50); do
        [ -e "/tmp/.X11-unix/X$n" ] || [ -e "/tmp/.X$n-lock" ] || { echo ":$n"; return; }
    done
}

check() { # what, then the environment to run in
    local what=$1
    shift
    local err rc lines
    err=$(mktemp)
    ulimit -c 0
    env -u QT_QPA_PLATFORM -u WAYLAND_DISPLAY -u DISPLAY "$@" timeout 30 "$program" >/dev/null 2>"$err"
    rc=$?
    lines=$(wc -l <"$err")
    if [ "$rc" -eq 0 ] || [ "$rc" -ge 124 ]; then
        echo "FAIL: $what: exit status $rc" >&2
        failures=$((failures + 1))
    fi
    if [ "$lines" -ne 1 ] || ! grep -q '^shiftschedule: cannot open a window' "$err"; then
        echo "FAIL: $what: stderr was not one clear line:" >&2
        cat "$err" >&2
        failures=$((failures + 1))
    fi
    rm -f "$err"
}

check "no display named"
check "a display without a server" DISPLAY="$(unused_display)"
check "xcb asked for, no display" QT_QPA_PLATFORM=xcb

[ "$failures" -eq 0 ] && echo "all checks passed"
exit $((failures != 0))
