#!/bin/bash
# The editor's window on a real X server (Xvfb, no window manager), driven with
# xdotool like a user: it starts with the simulated mouse, reads it, shows every
# page it can reach in languages 1 and 3 (a screenshot of each goes to the
# folder given), follows a drag of its background, refuses to run twice (the
# second start raises the first window) and closes on Exit.
#
# usage: window.sh PATH/TO/vtr6420kd SCREENSHOT_FOLDER
set -euo pipefail

program=$(realpath "$1")
shots=$2
mkdir -p "$shots"
rm -f "$shots"/*.png
work=$(mktemp -d)
source "$(dirname "$0")/lib.sh"
start_x 91 140

# The top-most mapped window on the screen (xwininfo lists the top first).
top_window() {
    local id
    for id in $(xwininfo -root -children | grep -o '^ *0x[0-9a-f]*'); do
        if xwininfo -id "$id" | grep -q 'Map State: IsViewable'; then
            echo "$id"
            return
        fi
    done
}

# --- start ---
"$program" --simulate="$work/mouse.bin" >"$work/editor.log" 2>&1 &
editor=$!
wait_for 150 find_window || fail "the window did not appear"
geometry
[ "$WIDTH" = 800 ] && [ "$HEIGHT" = 600 ] || fail "window is ${WIDTH}x${HEIGHT}, not 800x600"
[ "$X" = 112 ] && [ "$Y" = 84 ] || fail "window at $X,$Y is not centred"
grep -q '^first-paint ' "$work/editor.log" || wait_for 50 grep -q '^first-paint ' "$work/editor.log" ||
    fail "the window never painted"
shot start-no-mouse

# The first hot-plug poll comes 3.5 s after the start, the read 2.1 s later;
# the busy window shows meanwhile.
wait_for 300 grep -q '^busy 1' "$work/editor.log" || fail "the simulated mouse was not found"
sleep 0.3
shot busy
wait_for 300 grep -q '^busy 0' "$work/editor.log" || fail "the simulated mouse was not read"
sleep 0.5
if grep -q "warning\|error" "$work/editor.log"; then
    grep -v '^paint \|^busy \|^first-paint ' "$work/editor.log" >&2
fi

# --- every reachable page in languages 1 and 3 ---
for language in 1 3; do
    click "$(button_point "$language" "Btn_B$((language == 1 ? 8 : 10))" 90 30)"
    # The taskbar text is the language's title.
    expected=$([ "$language" = 1 ] && echo "USB Gaming Mouse" || echo "USB游戏鼠标驱动")
    titled() { xdotool getwindowname "$window_id" | grep -q "^VTR6420KD Gaming Mouse v1\.0.*$expected\$"; }
    wait_for 30 titled || fail "language $language: window title '$(xdotool getwindowname "$window_id")'"
    for page in 1 2 4; do
        case $page in
            1) prefix=Btn_B1 ;;
            2) prefix=Btn_B4 ;;
            4) prefix=Btn_B11 ;;
        esac
        click "$(button_point "$language" "$prefix" 90 30)"
        xdotool mousemove --sync 1 1
        sleep 0.3
        shot "lang$language-page$page"
    done
done
# Back to language 1, page 1.
click "$(button_point 1 Btn_B8 90 30)"
click "$(button_point 1 Btn_B1 90 30)"
xdotool mousemove --sync 1 1

# --- dragging the background moves the window ---
geometry
before_x=$X
before_y=$Y
# A point of the background above the page buttons, right of the title.
grab_x=520
grab_y=20
xdotool mousemove --sync $((X + grab_x)) $((Y + grab_y)) mousedown 1
for step in 1 2 3 4 5; do
    xdotool mousemove --sync $((X + grab_x + step * 8)) $((Y + grab_y + step * 6))
    sleep 0.05
done
xdotool mouseup 1
sleep 0.3
geometry
[ "$X" = $((before_x + 40)) ] && [ "$Y" = $((before_y + 30)) ] ||
    fail "drag moved the window from $before_x,$before_y to $X,$Y, not by 40,30"
shot dragged

# --- a second start raises the first window and ends ---
xmessage -geometry 1024x768+0+0 "covering the editor" >/dev/null 2>&1 &
cover=$!
wait_for 50 sh -c "xwininfo -root -children | grep -q Xmessage" || fail "xmessage did not start"
sleep 0.3
top_before=$(top_window)
[ "$((top_before))" != "$((window_id))" ] || fail "the covering window is not on top"
start=$(date +%s%N)
"$program" --simulate="$work/mouse.bin" >"$work/second.log" 2>&1 &
second=$!
wait_for 150 sh -c "! kill -0 $second" || fail "the second start is still running after 15 s"
wait "$second" || fail "the second start ended with status $?"
elapsed=$((($(date +%s%N) - start) / 1000000))
echo "e2e: second start ended after $elapsed ms"
sleep 0.5
top_after=$(top_window)
[ "$((top_after))" = "$((window_id))" ] ||
    fail "the first window was not raised (top: $top_after, was: $top_before, editor: $window_id)"

# --- see-through: the covered window shows through the editor's cut corners
# and the strip below its background ---
import -window root "$work/raised.png"
pixel() { convert "$work/raised.png" -format "%[pixel:p{$1,$2}]" info:; }
geometry
cover_colour=$(pixel 1010 300)  # right of the editor
for point in "$((X + 1)) $((Y + 1))" "$((X + 798)) $((Y + 1))" "$((X + 400)) $((Y + 590))"; do
    # shellcheck disable=SC2086
    seen=$(pixel $point)
    [ "$seen" = "$cover_colour" ] ||
        fail "at $point the window shows $seen, not the window behind it ($cover_colour)"
done
[ "$(pixel $((X + 400)) $((Y + 20)))" != "$cover_colour" ] || fail "the window's background is see-through"
cp "$work/raised.png" "$shots/raised-over-another-window.png"
kill "$cover" 2>/dev/null || true
if xdotool search --onlyvisible --name '^VTR6420KD Gaming Mouse v1\.0' | grep -qv "^$window_id$"; then
    fail "a second editor window appeared"
fi

# --- Exit closes the window and ends the program ---
sleep 0.3
click "$(button_point 1 Btn_A4 48 43)"
wait_for 50 sh -c "! kill -0 $editor" || fail "Exit did not end the program"
wait "$editor" || fail "the program ended with status $?"
editor=""
echo "e2e: screenshots in $shots"
