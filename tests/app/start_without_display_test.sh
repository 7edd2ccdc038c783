#!/usr/bin/env bash
# The program started where no window can open: without any display named, with a DISPLAY
# that names no running server, and with a platform asked for that cannot start (Wayland with
# no compositor, a name Qt does not know) although an X display is there. Each time it must say why in
# one line on stderr and exit with a non-zero status, instead of Qt's several lines, abort and
# core dump; where Qt knows the reason, the line gives Qt's reason, not a missing display.
#
# usage: start_without_display_test.sh PROGRAM
# Run inside print_info_x_session.sh, the last checks have a real display; else an unused one.
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
    check_reason "$1" "" "${@:2}"
}

check_reason() { # what, an extended regular expression the line must match, then the environment
    local what=$1 reason=$2
    shift 2
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
    elif [ -n "$reason" ] && { ! grep -Eq "$reason" "$err" || grep -q 'no display server' "$err"; }; then
        echo "FAIL: $what: the line does not give the reason ($reason):" >&2
        cat "$err" >&2
        failures=$((failures + 1))
    fi
    rm -f "$err"
}

check "no display named"
check "a display without a server" DISPLAY="$(unused_display)"
check "xcb asked for, no display" QT_QPA_PLATFORM=xcb

display=${DISPLAY:-$(unused_display)}
# A session's own runtime folder, with no compositor's socket in it (without any, libwayland
# itself writes a line of its own to stderr).
runtime=$(mktemp -d)
check_reason "wayland asked for, an X display there, no compositor" \
    'Qt platform plugin "wayland"|wl_display' QT_QPA_PLATFORM=wayland DISPLAY="$display" \
    XDG_RUNTIME_DIR="$runtime"
rmdir "$runtime"
check_reason "a platform Qt does not know" 'Could not find the Qt platform plugin "no-such-one"' \
    QT_QPA_PLATFORM=no-such-one DISPLAY="$display"

[ "$failures" -eq 0 ] && echo "all checks passed"
exit $((failures != 0))
