#!/usr/bin/env bash
# The built program in a real X server: started with a fixed clock under a private Xvfb
# (no window manager, so the window has no frame and its client area is the outer size less
# the nominal frame), driven with xdotool as a user would, and checked on screenshots at pixels
# the views fix. Then: its tooltip over a day, its controls' captions at 96, 120, 144 and 192
# dots per inch (QT_FONT_DPI, and Xft.dpi as a desktop sets it) and at scale factors 1.5 and 2,
# alone and at 192 dpi, and a run through libfaketime whose clock passes midnight while nobody
# touches the window. The screenshots stay in ARTIFACT_DIR for review.
#
# usage: main_window_xvfb_test.sh PROGRAM ARTIFACT_DIR
set -uo pipefail

program=$1
artifacts=$2
mkdir -p "$artifacts"
rm -f "$artifacts"/*.png "$artifacts"/*.log

failures=0
xvfb_pid=
app_pid=

fail() {
    echo "FAIL: $*" >&2
    failures=$((failures + 1))
}

stop() {
    [ -n "$app_pid" ] && kill "$app_pid" 2>/dev/null && wait "$app_pid" 2>/dev/null
    [ -n "$xvfb_pid" ] && kill "$xvfb_pid" 2>/dev/null && wait "$xvfb_pid" 2>/dev/null
    app_pid=
    xvfb_pid=
}
trap stop EXIT

# A display the server picks itself, so that tests starting servers at the same time never
# meet on one number.
start_xvfb() {
    rm -f "$artifacts/display"
    # -noreset: the server keeps Xft.dpi when the last client leaves.
    Xvfb -displayfd 3 -screen 0 1024x768x24 -nolisten tcp -noreset \
        3>"$artifacts/display" >"$artifacts/xvfb.log" 2>&1 &
    xvfb_pid=$!
    for _ in $(seq 600); do
        if [ -s "$artifacts/display" ]; then
            export DISPLAY=":$(tr -d '[:space:]' <"$artifacts/display")"
            # Listening once it has told its number; answering all the same before going on.
            xprop -root >/dev/null 2>&1 && return 0
        fi
        kill -0 "$xvfb_pid" 2>/dev/null || break
        sleep 0.1
    done
    echo "could not start Xvfb:" >&2
    cat "$artifacts/xvfb.log" >&2
    exit 1
}

# Starts the program, its clock standing at Saturday 1 October 2016, 20:00, with extra
# environment assignments; sets $win.
start_program() {
    launch env SHIFTSCHEDULE_FAKE_NOW="2016-10-01 20:00" "$@" "$program"
}

# Starts the program with libfaketime, its clock running on from the local time $1; sets $win.
# The library goes first into the process: AddressSanitizer, which wants to be first, is told
# to let it.
start_program_running_from() {
    local library
    library=$(ls /usr/lib/*/faketime/libfaketimeMT.so.1 2>/dev/null | head -n1)
    [ -n "$library" ] || { echo "libfaketime is not installed" >&2; exit 1; }
    launch env LD_PRELOAD="$library" FAKETIME="@$1" \
        ASAN_OPTIONS="${ASAN_OPTIONS:+$ASAN_OPTIONS:}verify_asan_link_order=0" "$program"
}

# Runs the command line given (it ends in the program, which env executes, so that $app_pid is
# the program's own); sets $win.
launch() {
    "$@" >>"$artifacts/program.log" 2>&1 &
    app_pid=$!
    win=$(timeout 20 xdotool search --sync --onlyvisible --name '^Shift Schedule Tervialund by Lodin $' | head -n1)
    if [ -z "$win" ]; then
        echo "the main window did not appear" >&2
        cat "$artifacts/program.log" >&2
        exit 1
    fi
    # What a window manager does for a new window: give it the keyboard focus.
    xdotool windowfocus --sync "$win"
    settle
}

stop_program() {
    kill "$app_pid" 2>/dev/null
    wait "$app_pid" 2>/dev/null
    app_pid=
}

settle() { sleep 0.4; }

click() {
    xdotool mousemove --window "$win" "$1" "$2" click 1
    settle
}

key() {
    xdotool key "$@"
    settle
}

shot() {
    import -window "$win" "$artifacts/$1.png"
    current="$artifacts/$1.png"
}

# The part of the window on the screen, for a window larger than the screen (X refuses a
# window's own image then).
shot_visible() {
    local x y
    read -r x y < <(xwininfo -id "$win" | awk '/Absolute upper-left X:/ {x=$4} /Absolute upper-left Y:/ {y=$4} END {print x, y}')
    import -window root -crop "+$x+$y" +repage "$artifacts/$1.png"
    current="$artifacts/$1.png"
}

# R,G,B of the pixel at (x, y) of the last screenshot.
pixel() {
    convert "$current" -format "%[fx:int(255*p{$1,$2}.r+.5)],%[fx:int(255*p{$1,$2}.g+.5)],%[fx:int(255*p{$1,$2}.b+.5)]" info:
}

# How many pixels of the rectangle x, y, width, height have the colour R,G,B exactly.
count() {
    convert "$current" -crop "$3x$4+$1+$2" +repage \( -size "$3x$4" "xc:rgb($5)" \) \
        -compose difference -composite -colorspace gray -threshold 0 \
        -format '%[fx:int((1-mean)*w*h+.5)]' info:
}

client_size() {
    xwininfo -id "$win" | awk '/Width:/ {w=$2} /Height:/ {h=$2} END {print w "x" h}'
}

expect_pixel() { # what x y rgb
    local got
    got=$(pixel "$2" "$3")
    [ "$got" = "$4" ] || fail "$1: pixel ($2, $3) of $(basename "$current") is $got, not $4"
}

expect_some() { # what x y w h rgb
    local n
    n=$(count "$2" "$3" "$4" "$5" "$6")
    [ "$n" -gt 0 ] || fail "$1: no pixel of $6 in $4x$5+$2+$3 of $(basename "$current")"
}

expect_none() { # what x y w h rgb
    local n
    n=$(count "$2" "$3" "$4" "$5" "$6")
    [ "$n" -eq 0 ] || fail "$1: $n pixels of $6 in $4x$5+$2+$3 of $(basename "$current")"
}

# $1 times the scale factor $2, to the nearest whole pixel.
scaled() { awk -v v="$1" -v s="$2" 'BEGIN {printf "%d", v * s + 0.5}'; }

# The caption of each control stays inside it, clear of its frame: the box around its dark
# pixels (the text; frames and focus marks are lighter) keeps at least 3 pixels from the
# control's left and right edges and 2 from its top and bottom. The radio items end 4 pixels
# before the group's right edge, so their captions must end 3 pixels before that; each item's
# caption stays within its half of the group below the title. With a scale factor (second
# argument) every position and margin is scaled.
expect_captions_fit() { # what [scale]
    local scale=${2:-1} control name x y w h right box bw bh bx by
    for control in "date-panel 5 11 100 31" "'<' 5 42 25 34" "'<<' 30 42 25 34" \
        "'>>' 55 42 25 34" "'>' 80 42 25 34" "Info 5 78 40 15" "Print 52 78 54 15" \
        "Show-as 5 118 100 57 93" "Calender 5 132 100 19 93" "Normal 5 151 100 19 93" \
        "team-list 5 194 100 24" "scheme-list 5 238 100 22"; do
        read -r name x y w h right <<<"$control"
        right=${right:-$((w - 3))}
        right=$(($(scaled $((x + right)) "$scale") - $(scaled "$x" "$scale")))
        w=$(($(scaled $((x + w)) "$scale") - $(scaled "$x" "$scale")))
        h=$(($(scaled $((y + h)) "$scale") - $(scaled "$y" "$scale")))
        x=$(scaled "$x" "$scale")
        y=$(scaled "$y" "$scale")
        box=$(convert "$current" -crop "${w}x${h}+$x+$y" +repage -colorspace gray -threshold 35% \
            -negate -bordercolor black -border 1 -format '%@' info:)
        IFS='x+' read -r bw bh bx by <<<"$box"
        bx=$((bx - 1))
        by=$((by - 1))
        if [ "$bw" -le 1 ] || [ "$bh" -le 1 ]; then
            fail "$1: no caption in $name"
        elif [ "$bx" -lt "$(scaled 3 "$scale")" ] || [ $((bx + bw)) -gt "$right" ] \
            || [ "$by" -lt "$(scaled 2 "$scale")" ] \
            || [ $((by + bh)) -gt $((h - $(scaled 2 "$scale"))) ]; then
            fail "$1: the caption of $name (${bw}x$bh at $bx,$by) does not fit its ${w}x$h"
        fi
    done
}

# The control column (x 0..110, y 0..270 of the client area) of the last screenshot looks as
# in screenshot $2: the same pixels, or with a scale factor $3, the same picture brought back
# to the unscaled size, but for the smoothing of the edges (RMSE about 0.06 where the style is
# scaled once, 0.13 where it is scaled twice, by the factor and again by the dpi).
expect_controls_as() { # what reference [scale]
    local scale=${3:-1} diff here="$artifacts/column-here.png" there="$artifacts/column-there.png"
    convert "$current" -crop "$(scaled 110 "$scale")x$(scaled 270 "$scale")+0+0" +repage \
        -resize '110x270!' "$here"
    convert "$2" -crop 110x270+0+0 +repage "$there"
    if [ "$scale" = 1 ]; then
        diff=$(compare -metric AE "$here" "$there" null: 2>&1)
        [ "$diff" = 0 ] || fail "$1: $diff pixels of the control column differ from $(basename "$2")"
    else
        diff=$(compare -metric RMSE "$here" "$there" null: 2>&1 | sed 's/.*(\(.*\))/\1/')
        echo "$1: RMSE $diff against $(basename "$2")" >>"$artifacts/column-differences.log"
        awk -v d="$diff" 'BEGIN {exit !(d < 0.09)}' \
            || fail "$1: the control column differs from $(basename "$2") by $diff (RMSE)"
    fi
    rm -f "$here" "$there"
}

# A checksum of the date panel's pixels in the last screenshot.
panel_signature() {
    convert "$current" -crop 100x31+5+11 +repage -format '%#' info:
}

expect_size() { # what WxH
    local got
    got=$(client_size)
    [ "$got" = "$2" ] || fail "$1: client area $got, not $2"
}

teal=0,128,128
maroon=128,0,0
red=255,0,0
blue=0,0,255
black=0,0,0
tip=255,255,220 # the tooltip's background

start_xvfb

# --- Multi-month view, all teams, from Saturday 1 October 2016, 20:00 ----------------------
start_program
shot 01-start
expect_size "800 x 576 less the nominal frame" 794x551
expect_pixel "title band under Sudra" 125 15 "$teal"
expect_pixel "title band reaches across six columns" 784 15 "$teal"
expect_some "Sunday 2 October's day number" 140 100 14 13 "$red"
expect_none "Saturday 1 October's day number" 140 86 14 13 "$red"
expect_some "today's weekday letter" 130 86 10 13 "$blue"
expect_some "team D's afternoon shift at 20:00" 203 86 9 13 "$blue"
expect_none "team C's cell at 20:00" 192 86 9 13 "$blue"
expect_captions_fit "at 96 dpi"

# The mouse resting on team D's cell of 1 October brings a tooltip, beside the mouse.
xdotool mousemove --window "$win" 205 92
sleep 0.2
xdotool mousemove --window "$win" 206 93
sleep 1.5
eval "$(xdotool getwindowgeometry --shell "$win")"
import -window root "$artifacts/01-tooltip.png"
current="$artifacts/01-tooltip.png"
expect_some "a tooltip beside the mouse" $((X + 200)) $((Y + 95)) 260 80 "$tip"
xdotool mousemove --window "$win" 400 15 # the title band: no tooltip
sleep 1.5
import -window root "$artifacts/01-no-tooltip.png"
current="$artifacts/01-no-tooltip.png"
expect_none "no tooltip over the title band" $((X + 395)) $((Y + 10)) 300 80 "$tip"

# The team list has the focus from the start: a typed letter chooses a team, and another
# one (the next entry with that letter, "All teams") takes it back.
key b
shot 02-team-b-typed
expect_pixel "one team: twelve narrower columns end before x 781" 784 15 "$(pixel 5 300)"
expect_pixel "title band still there" 700 15 "$teal"
key a
shot 03-all-teams-typed
expect_pixel "all teams again" 784 15 "$teal"

click 92 59 # ">"
shot 04-next-month
expect_none "2 November, a Wednesday" 140 100 14 13 "$red"
expect_some "Sunday 6 November" 140 156 14 13 "$red"
expect_none "no today in November" 130 86 10 13 "$blue"

click 17 59 # "<"
click 42 59 # "<<": six months back with all teams, April 2016
shot 05-half-year-back
expect_some "Sunday 3 April 2016" 140 114 14 13 "$red"
expect_none "Saturday 2 April 2016" 140 100 14 13 "$red"
click 67 59 # ">>"
shot 06-half-year-forward
expect_some "back at Sunday 2 October" 140 100 14 13 "$red"
expect_some "back at today" 130 86 10 13 "$blue"

# The team list by mouse: open it, move down one entry, take it.
click 55 206
key Down Return
shot 07-one-team-by-mouse
expect_pixel "one team again" 784 15 "$(pixel 5 300)"

# --- Month calendar view ------------------------------------------------------------------
click 20 141 # "Calender"
shot 08-calendar
expect_size "800 x 430 less the nominal frame" 794x405
expect_pixel "calendar title band under Sudra" 124 40 "$teal"
expect_some "Sunday 2 October in the calendar" 695 105 30 22 "$red"
expect_none "no day on the Tuesday of the first row" 295 105 40 22 "$black"

click 92 59 # ">"
shot 09-calendar-november
expect_some "Tuesday 1 November" 295 105 40 22 "$black"
expect_size "still 800 x 430" 794x405

click 55 26 # the date panel: back to the current month
shot 10-calendar-today
expect_none "October again" 295 105 40 22 "$black"
expect_some "Sunday 2 October again" 695 105 30 22 "$red"

click 55 249 # the scheme list
key Down Return
shot 11-calendar-norda
expect_pixel "calendar title band under Norda" 124 40 "$maroon"
expect_size "a scheme change keeps the calendar size" 794x405

click 20 160 # "Normal"
shot 12-normal-again
expect_size "800 x 580 less the nominal frame" 794x555
expect_pixel "title band under Norda" 125 15 "$maroon"
expect_pixel "the calendar's team alone" 784 15 "$(pixel 5 300)"
stop_program

# --- Screens set to large fonts: the window opens 580 high, every caption still fits -------
# The controls keep their pixels: the style draws them as at 96 dpi.
start_program QT_FONT_DPI=120
shot 13-large-fonts
expect_size "800 x 580 less the nominal frame" 794x555
expect_captions_fit "at 120 dpi"
expect_controls_as "at 120 dpi" "$artifacts/01-start.png"
expect_some "today's weekday letter at 120 dpi" 130 86 10 13 "$blue"
stop_program

start_program QT_FONT_DPI=144
shot 14-larger-fonts
expect_size "800 x 580 less the nominal frame at 144 dpi" 794x555
expect_captions_fit "at 144 dpi"
expect_controls_as "at 144 dpi" "$artifacts/01-start.png"
stop_program

# A desktop set for a screen of twice the pixels per inch says so in Xft.dpi.
echo "Xft.dpi: 192" | xrdb -nocpp -merge
start_program
shot 15-192-dpi
expect_size "800 x 580 less the nominal frame at 192 dpi" 794x555
expect_captions_fit "at 192 dpi"
expect_controls_as "at 192 dpi" "$artifacts/01-start.png"
stop_program

# --- Scale factors: the whole window scaled once, style included --------------------------
# Larger than this 1024 x 768 screen, the window stands at its top-left corner, controls on it.
for scale in 1.5 2; do
    start_program QT_SCALE_FACTOR=$scale
    shot_visible "16-scale-$scale-at-192-dpi"
    expect_captions_fit "at scale $scale and 192 dpi" "$scale"
    expect_controls_as "at scale $scale and 192 dpi" "$artifacts/01-start.png" "$scale"
    stop_program
done
xrdb -nocpp -remove
for scale in 1.5 2; do
    start_program QT_SCALE_FACTOR=$scale
    shot_visible "17-scale-$scale"
    expect_captions_fit "at scale $scale" "$scale"
    expect_controls_as "at scale $scale" "$artifacts/01-start.png" "$scale"
    stop_program
done

# --- Left open over midnight, untouched: the new day is marked within a minute -------------
# The program's clock starts 30 seconds before midnight and runs on; nothing is sent to the
# window after it has appeared.
launched=$(date +%s)
start_program_running_from "2016-10-01 23:59:30"
shot 18-before-midnight
expect_some "Saturday 1 October is today" 130 86 10 13 "$blue"
expect_none "Sunday 2 October is not today yet" 130 100 10 13 "$blue"
panel_before=$(panel_signature)
wait_for=$((launched + 38 - $(date +%s)))
[ "$wait_for" -le 0 ] || sleep "$wait_for"
shot 19-after-midnight
expect_none "Saturday 1 October is no longer today" 130 86 10 13 "$blue"
expect_some "Sunday 2 October is today" 130 100 10 13 "$blue"
expect_some "team A's night shift since 22:00 is still working" 170 86 9 13 "$blue"
[ "$(panel_signature)" != "$panel_before" ] || fail "the date panel still shows 1 October"
stop_program

if [ "$failures" -ne 0 ]; then
    echo "$failures check(s) failed; screenshots in $artifacts" >&2
    exit 1
fi
echo "all checks passed; screenshots in $artifacts"
