#!/usr/bin/env bash
# Makes the README's pictures of the whole window, controls and frame included, in both views:
# the built program under a private Xvfb with openbox, its clock fixed, driven with xdotool.
#
# usage: scripts/readme-pictures.sh [PROGRAM] [OUT_DIR]
#   PROGRAM  default build/release/app/shiftschedule (make build first)
#   OUT_DIR  default docs/
set -euo pipefail

here=$(cd "$(dirname "$0")/.." && pwd)
program=${1:-$here/build/release/app/shiftschedule}
out=${2:-$here/docs}
[ -x "$program" ] || { echo "readme-pictures: no program at $program; run make build" >&2; exit 1; }
mkdir -p "$out"

pids=()
cleanup() { for pid in "${pids[@]}"; do kill "$pid" 2>/dev/null || true; done; }
trap cleanup EXIT

for n in $(shuf -i 100-899 -n 50); do
    [ -e "/tmp/.X11-unix/X$n" ] && continue
    Xvfb ":$n" -screen 0 1024x768x24 -nolisten tcp >/dev/null 2>&1 &
    pids+=($!)
    for _ in $(seq 50); do [ -e "/tmp/.X11-unix/X$n" ] && break; sleep 0.1; done
    [ -e "/tmp/.X11-unix/X$n" ] && { export DISPLAY=":$n"; break; }
done
[ -n "${DISPLAY:-}" ] || { echo "readme-pictures: could not start Xvfb" >&2; exit 1; }
openbox >/dev/null 2>&1 &
pids+=($!)
sleep 0.5

# A Christmas under norda shows holidays, stops and the marks of today and the shift working.
env -u QT_QPA_PLATFORM LC_ALL=C.UTF-8 SHIFTSCHEDULE_FAKE_NOW="2016-12-23 15:00" "$program" &
pids+=($!)
win=$(timeout 20 xdotool search --sync --onlyvisible --name '^Shift Schedule Tervialund by Lodin $' | head -n1)
xdotool windowactivate --sync "$win"
sleep 0.5

# The scheme list: Norda, chosen from the keyboard as a user might.
xdotool mousemove --window "$win" 55 249 click 1 && sleep 0.3
xdotool key Down Return && sleep 0.5
xdotool mousemove --window "$win" 400 600 && sleep 0.3
import -frame -window "$win" "$out/window-multi-month.png"

# "Calender" under "Show as", then team C.
xdotool mousemove --window "$win" 20 142 click 1 && sleep 0.5
xdotool mousemove --window "$win" 55 206 click 1 && sleep 0.3
xdotool key Down Down Return && sleep 0.5
xdotool mousemove --window "$win" 400 600 && sleep 0.3
import -frame -window "$win" "$out/window-calendar.png"

echo "readme-pictures: wrote $out/window-multi-month.png and $out/window-calendar.png"
