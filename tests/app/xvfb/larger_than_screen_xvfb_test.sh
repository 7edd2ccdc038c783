#!/usr/bin/env bash
# The built program on a 1280 x 1024 screen under openbox (run inside print_info_x_session.sh
# --wm), scaled by QT_SCALE_FACTOR. At 2 the window, 1600 x 1152 screen pixels and more with its
# frame, is larger than the screen: its title bar (by which it is moved) and its control column
# must stay on the screen. At 1.5 it fits, and stands centred, frame included. Screenshots of
# the whole screen stay in ARTIFACT_DIR for review.
#
# usage: larger_than_screen_xvfb_test.sh PROGRAM ARTIFACT_DIR
set -uo pipefail

program=$1
artifacts=$2
mkdir -p "$artifacts"
rm -f "$artifacts"/*.png "$artifacts"/*.log

failures=0
app_pid=

fail() {
    echo "FAIL: $*" >&2
    failures=$((failures + 1))
}

stop_program() {
    [ -n "$app_pid" ] && kill "$app_pid" 2>/dev/null && wait "$app_pid" 2>/dev/null
    app_pid=
}
trap stop_program EXIT

# The screen's size and the frame of window $win once openbox has framed it: sets screen_w,
# screen_h, client_x, client_y, client_w, client_h, frame_left, frame_top, frame_right,
# frame_bottom.
read_geometry() {
    read -r screen_w screen_h < <(xwininfo -root | awk '/Width:/ {w=$2} /Height:/ {h=$2} END {print w, h}')
    read -r client_x client_y client_w client_h < <(xwininfo -id "$win" | awk '
        /Absolute upper-left X:/ {x=$4} /Absolute upper-left Y:/ {y=$4}
        /Width:/ {w=$2} /Height:/ {h=$2} END {print x, y, w, h}')
    IFS=', ' read -r frame_left frame_right frame_top frame_bottom < <(
        xprop -id "$win" _NET_FRAME_EXTENTS | sed -n 's/.* = //p')
}

# Starts the program with the extra environment given and waits until openbox has framed its
# window and the program has given the frame its outer size, $want_w x $want_h screen pixels (to
# within two), and its place: the frame then stays where it is for a second.
start_program() {
    env SHIFTSCHEDULE_FAKE_NOW="2016-10-01 20:00" "$@" "$program" >>"$artifacts/program.log" 2>&1 &
    app_pid=$!
    win=$(timeout 20 xdotool search --sync --onlyvisible --name '^Shift Schedule Tervialund by Lodin $' | head -n1)
    if [ -z "$win" ]; then
        fail "the main window did not appear ($*)"
        cat "$artifacts/program.log" >&2
        return 1
    fi
    local last= now= same=0
    for _ in $(seq 300); do
        read_geometry
        now="$client_x $client_y $client_w $client_h $frame_left $frame_top $frame_right $frame_bottom"
        fw=$((client_w + ${frame_left:-0} + ${frame_right:-0}))
        fh=$((client_h + ${frame_top:-0} + ${frame_bottom:-0}))
        if [ -n "$frame_top" ] && [ "$now" = "$last" ] && near "$fw" "$want_w" && near "$fh" "$want_h"; then
            same=$((same + 1))
            [ "$same" -ge 10 ] && return 0
        else
            same=0
        fi
        last=$now
        sleep 0.1
    done
    fail "$*: the frame did not settle at ${want_w}x$want_h (last ${fw}x$fh, $now)"
    return 1
}

# Whether $1 is within 2 of $2.
near() { [ $(($1 - $2)) -ge -2 ] && [ $(($1 - $2)) -le 2 ]; }

# One scale factor: $1 the factor, $2 what the frame must do ("on-screen" or "centred"), $3 the
# screen's Xft.dpi.
check_scale() {
    local scale=$1 want=$2 dpi=$3
    local name="scale-$scale-dpi-$dpi"
    echo "Xft.dpi: $dpi" | xrdb -nocpp -merge
    set -- "at Xft.dpi $dpi"
    # The program sets outer sizes: 800 x 576, frame included, or 800 x 580 where its font
    # check finds the screen set to large fonts.
    local height=576
    [ "$dpi" -ne 96 ] && height=580
    want_w=$(awk -v s="$scale" 'BEGIN {printf "%d", 800 * s + 0.5}')
    want_h=$(awk -v s="$scale" -v h="$height" 'BEGIN {printf "%d", h * s + 0.5}')
    start_program QT_SCALE_FACTOR="$scale" || { stop_program; return; }
    import -window root "$artifacts/$name.png"
    local fx=$((client_x - frame_left)) fy=$((client_y - frame_top))
    # The control column reaches x 106 and y 260 (the scheme list's bottom) of the client area.
    local controls_right controls_bottom
    controls_right=$(awk -v x="$client_x" -v s="$scale" 'BEGIN {printf "%d", x + 106 * s + 0.5}')
    controls_bottom=$(awk -v y="$client_y" -v s="$scale" 'BEGIN {printf "%d", y + 260 * s + 0.5}')
    echo "scale $scale $*: frame ${fw}x$fh at $fx,$fy (extents $frame_left $frame_top $frame_right $frame_bottom, client at $client_x,$client_y) on ${screen_w}x$screen_h" >>"$artifacts/geometry.log"
    [ "$fx" -ge 0 ] && [ "$fy" -ge 0 ] \
        || fail "scale $scale $*: the frame's top-left corner is off the screen, at $fx,$fy"
    [ "$controls_right" -le "$screen_w" ] && [ "$controls_bottom" -le "$screen_h" ] \
        || fail "scale $scale $*: the controls reach $controls_right,$controls_bottom, off the ${screen_w}x$screen_h screen"
    # Positions are whole pixels of the unscaled window: a scaled one may stand a pixel or two
    # off.
    if [ "$want" = centred ]; then
        local dx=$((fx - (screen_w - fw) / 2)) dy=$((fy - (screen_h - fh) / 2))
        [ "${dx#-}" -le 2 ] && [ "${dy#-}" -le 2 ] \
            || fail "scale $scale $*: the ${fw}x$fh frame at $fx,$fy is not centred on the screen"
    elif [ "$fx" -gt 2 ] || [ "$fy" -gt 2 ]; then
        fail "scale $scale $*: a frame larger than the screen starts at $fx,$fy, not at its corner"
    fi
    stop_program
}

check_scale 2 on-screen 96
check_scale 1.5 centred 96
# Xft.dpi sets the size of the fonts of points; the window's pixels, and so its place, do not
# follow it.
check_scale 2 on-screen 192

if [ "$failures" -ne 0 ]; then
    echo "$failures check(s) failed; screenshots in $artifacts" >&2
    exit 1
fi
echo "all checks passed; screenshots in $artifacts"
