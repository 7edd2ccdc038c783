#!/usr/bin/env bash
# Runs a command inside a private headless Wayland session: weston 10 with its headless back end
# on a socket of its own, in a fresh XDG_RUNTIME_DIR, with one 1280 x 1024 output. The pixman
# renderer and --debug let weston-screenshooter read back what the compositor shows.
#
#   weston_session.sh -- COMMAND [ARG...]
#
# COMMAND sees WAYLAND_DISPLAY, XDG_RUNTIME_DIR and QT_QPA_PLATFORM=wayland, and no DISPLAY, so
# nothing can fall back to X. Everything started here is stopped when COMMAND ends; the exit
# status is COMMAND's. Missing packages are installed through scripts/install-deps.sh.
set -euo pipefail

here=$(cd "$(dirname "$0")" && pwd)
repo=$(cd "$here/../../.." && pwd)

[ "${1:-}" = "--" ] && shift
[ $# -gt 0 ] || { echo "usage: $0 -- COMMAND [ARG...]" >&2; exit 2; }

if ! command -v weston >/dev/null || ! command -v weston-screenshooter >/dev/null \
    || ! compgen -G '/usr/lib/*/qt6/plugins/platforms/libqwayland-generic.so' >/dev/null; then
    "$repo/scripts/install-deps.sh" >&2
fi

runtime=$(mktemp -d "${TMPDIR:-/tmp}/shiftwl.XXXXXX")
chmod 700 "$runtime"
weston_pid=""
cleanup() {
    [ -n "$weston_pid" ] && kill "$weston_pid" 2>/dev/null && wait "$weston_pid" 2>/dev/null
    rm -rf "$runtime"
}
trap cleanup EXIT
trap 'exit 130' INT TERM HUP PIPE

export XDG_RUNTIME_DIR=$runtime
socket=wl-shift
unset DISPLAY
weston --backend=headless-backend.so --socket="$socket" --idle-time=0 --use-pixman --debug \
    --width=1280 --height=1024 >"$runtime/weston.log" 2>&1 &
weston_pid=$!
# The compositor is ready once its desktop shell runs: its socket alone comes earlier.
for _ in $(seq 100); do
    [ -S "$runtime/$socket" ] && grep -q "launching '.*weston-desktop-shell'" "$runtime/weston.log" && break
    kill -0 "$weston_pid" 2>/dev/null || break
    sleep 0.1
done
if ! [ -S "$runtime/$socket" ]; then
    echo "weston did not start:" >&2
    cat "$runtime/weston.log" >&2
    exit 1
fi
export WAYLAND_DISPLAY=$socket
export QT_QPA_PLATFORM=wayland
# No session bus belongs to this session; keep libdbus from trying to start one for it.
export DBUS_SESSION_BUS_ADDRESS=disabled:

# Should this script be killed outright (a test's time running out), weston goes with it.
script_pid=$$
(
    while kill -0 "$script_pid" 2>/dev/null; do sleep 1; done
    kill "$weston_pid" 2>/dev/null
    rm -rf "$runtime"
) >/dev/null 2>&1 &

set +e
"$@"
status=$?
set -e
exit "$status"
