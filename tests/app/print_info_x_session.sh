#!/usr/bin/env bash
# Runs a command inside a private X session: its own Xvfb on a display number the server picks
# itself (no race with other tests starting servers at the same time) and, with --wm, the
# openbox window manager, so that stacking, activation and window moves behave as on a desktop.
# With --two-monitors its one screen of 2304 x 1024 is shown as two monitors side by side (RandR
# monitors, as a desktop with two displays reports them): 1280 x 1024, and 1024 x 768 at x 1280.
#
#   print_info_x_session.sh [--wm] [--two-monitors] -- COMMAND [ARG...]
#
# COMMAND sees DISPLAY and QT_QPA_PLATFORM=xcb, and SHIFT_WINDOW_MANAGER=openbox when the window
# manager runs. Everything started here is stopped when COMMAND ends; the exit status is
# COMMAND's. Missing packages are installed through scripts/install-deps.sh.
set -euo pipefail

here=$(cd "$(dirname "$0")" && pwd)
repo=$(cd "$here/../.." && pwd)

want_wm=0
screen=1280x1024
two_monitors=0
while [ $# -gt 0 ]; do
    case "$1" in
    --wm) want_wm=1; shift ;;
    --two-monitors) two_monitors=1; screen=2304x1024; shift ;;
    --) shift; break ;;
    *) break ;;
    esac
done
[ $# -gt 0 ] || { echo "usage: $0 [--wm] -- COMMAND [ARG...]" >&2; exit 2; }

need=(Xvfb xprop)
[ "$want_wm" -eq 1 ] && need+=(openbox)
[ "$two_monitors" -eq 1 ] && need+=(xrandr)
for tool in "${need[@]}"; do
    if ! command -v "$tool" >/dev/null 2>&1; then
        "$repo/scripts/install-deps.sh" >&2
        break
    fi
done

work=$(mktemp -d "${TMPDIR:-/tmp}/shiftx.XXXXXX")
xvfb_pid=""
wm_pid=""
cleanup() {
    [ -n "$wm_pid" ] && kill "$wm_pid" 2>/dev/null && wait "$wm_pid" 2>/dev/null
    [ -n "$xvfb_pid" ] && kill "$xvfb_pid" 2>/dev/null && wait "$xvfb_pid" 2>/dev/null
    rm -rf "$work"
}
trap cleanup EXIT
trap 'exit 130' INT TERM HUP PIPE

# -noreset: by default the server resets whenever its last client leaves and refuses
# connections meanwhile, which a check that connects and leaves would provoke.
Xvfb -displayfd 3 -screen 0 "${screen}x24" -nolisten tcp -noreset 3>"$work/display" >/dev/null 2>"$work/xvfb.log" &
xvfb_pid=$!
for _ in $(seq 100); do
    [ -s "$work/display" ] && break
    kill -0 "$xvfb_pid" 2>/dev/null || break
    sleep 0.1
done
if [ ! -s "$work/display" ]; then
    echo "Xvfb did not start:" >&2
    cat "$work/xvfb.log" >&2
    exit 1
fi
export DISPLAY=":$(tr -d '[:space:]' <"$work/display")"
# The server is listening once it has told its number; wait until it answers all the same.
for _ in $(seq 100); do
    xprop -root >/dev/null 2>&1 && break
    sleep 0.1
done
if ! xprop -root >/dev/null 2>&1; then
    echo "Xvfb on $DISPLAY does not answer:" >&2
    cat "$work/xvfb.log" >&2
    exit 1
fi
if [ "$two_monitors" -eq 1 ]; then
    xrandr --setmonitor LEFT 1280/338x1024/270+0+0 screen >/dev/null \
        && xrandr --setmonitor RIGHT 1024/270x768/203+1280+0 none >/dev/null \
        || { echo "xrandr could not make two monitors on $DISPLAY" >&2; exit 1; }
fi
export QT_QPA_PLATFORM=xcb
# No session bus belongs to this display; keep libdbus from trying to start one for it.
export DBUS_SESSION_BUS_ADDRESS=disabled:

if [ "$want_wm" -eq 1 ]; then
    openbox --sm-disable >"$work/openbox.log" 2>&1 &
    wm_pid=$!
    # The window manager is in charge once it announces itself on the root window.
    for _ in $(seq 100); do
        xprop -root _NET_SUPPORTING_WM_CHECK 2>/dev/null | grep -q 'window id' && break
        sleep 0.1
    done
    if ! xprop -root _NET_SUPPORTING_WM_CHECK 2>/dev/null | grep -q 'window id'; then
        echo "openbox did not start on $DISPLAY:" >&2
        cat "$work/openbox.log" "$work/xvfb.log" >&2
        exit 1
    fi
    export SHIFT_WINDOW_MANAGER=openbox
fi

# Should this script be killed outright (a test's time running out), the server and the window
# manager go with it all the same.
script_pid=$$
(
    while kill -0 "$script_pid" 2>/dev/null; do sleep 1; done
    [ -d "$work" ] || exit 0 # cleaned up as usual
    kill $wm_pid "$xvfb_pid" 2>/dev/null
    rm -rf "$work"
) >/dev/null 2>&1 &

set +e
"$@"
status=$?
set -e
exit "$status"
