#!/bin/bash
# The Main Control page's menus in the real program on a real X server (Xvfb,
# no window manager), driven with xdotool like a user: with the simulated
# mouse read, a click on a key label opens the category menu, hovering a
# category opens its function menu and a click on a function assigns it. The
# open menus and the combination-key dialog are photographed in languages 1
# and 3 (into the folder given). Key6 is given "Volume +" through the menus,
# Apply writes it, Exit ends the program, and the command-line tool reads the
# simulated mouse's memory back to check it.
#
# usage: main_control.sh PATH/TO/vtr6420kd PATH/TO/vtr6420kdctl SCREENSHOT_FOLDER
set -euo pipefail

program=$(realpath "$1")
ctl=$(realpath "$2")
shots=$3
here=$(cd "$(dirname "$0")" && pwd)
resources="$here/../../resources"

mkdir -p "$shots"
rm -f "$shots"/*.png
work=$(mktemp -d)
xvfb=""
editor=""
cleanup() {
    [ -n "$editor" ] && kill "$editor" 2>/dev/null || true
    [ -n "$xvfb" ] && kill "$xvfb" 2>/dev/null || true
    rm -rf "$work"
}
trap cleanup EXIT

fail() {
    echo "e2e: $*" >&2
    if [ -f "$work/editor.log" ]; then
        echo "--- editor output ---" >&2
        grep -v '^paint ' "$work/editor.log" >&2 || true
    fi
    exit 1
}

# Waits up to $1 tenths of a second for the command after it to succeed.
wait_for() {
    local tenths=$1
    shift
    for _ in $(seq "$tenths"); do
        if "$@" >/dev/null 2>&1; then
            return 0
        fi
        sleep 0.1
    done
    return 1
}

# --- an X server of our own ---
display=""
for n in $(seq 141 190); do
    if [ ! -e "/tmp/.X11-unix/X$n" ] && [ ! -e "/tmp/.X$n-lock" ]; then
        display=":$n"
        break
    fi
done
[ -n "$display" ] || fail "no free X display number"
Xvfb "$display" -screen 0 1024x768x24 -noreset >"$work/xvfb.log" 2>&1 &
xvfb=$!
wait_for 100 test -e "/tmp/.X11-unix/X${display#:}" || fail "Xvfb did not start"
export DISPLAY=$display
export QT_QPA_PLATFORM=xcb
# Nothing of the user's: settings, state, the single-instance socket.
mkdir -p "$work/home" "$work/tmp" "$work/run"
chmod 700 "$work/run"
export HOME="$work/home" XDG_CONFIG_HOME="$work/home/.config" XDG_STATE_HOME="$work/home/.state"
export XDG_RUNTIME_DIR="$work/run" TMPDIR="$work/tmp"
export VTR6420KD_PAINT_TRACE=1

# --- where things are: the layout descriptors the program carries, and the
# menus' own geometry ---
key() {  # key FILE NAME -> value
    tr -d '\r' <"$1" | awk -F= -v k="$(echo "$2" | tr '[:upper:]' '[:lower:]')" '
        { name = tolower($1); gsub(/^[ \t]+|[ \t]+$/, "", name) }
        name == k { v = $2; gsub(/^[ \t]+|[ \t]+$/, "", v); print v; exit }'
}
descriptor_xy() {  # descriptor_xy LANGUAGE PREFIX -> "x y"
    local file="$resources/ORG$1.txt" x y
    x=$(key "$file" "$2_X")
    y=$(key "$file" "$2_Y")
    [ -n "$x" ] && [ -n "$y" ] || fail "$file has no $2_X/$2_Y"
    echo "$x $y"
}
# The middle of a 90 x 30 page or language button, or of a 48 x 43 bottom button.
button_point() {  # button_point LANGUAGE PREFIX WIDTH HEIGHT -> "x y" in the window
    local xy
    xy=($(descriptor_xy "$1" "$2"))
    echo "$((xy[0] + $3 / 2)) $((xy[1] + $4 / 2))"
}

# A key label lies over its 135 x 27 picture. The category menu (190 x 170,
# items 24 high inset by 1) opens at the label's centre, to the left or
# upwards where it would reach the window's right or bottom edge; a function
# menu (164 wide) opens beside the hovered item, or left of the category menu
# when both would reach the right edge, and ends level with the item's bottom
# when it would reach the bottom edge.
label_w=135
label_h=27
menu_w=190
menu_h=170
item_h=24
sub_w=164
category_index() {
    case $1 in
        Key_Standard) echo 0 ;; Key_Special) echo 1 ;; Key_Media) echo 2 ;; Key_WWW) echo 3 ;;
        Key_MyPC) echo 4 ;; Key_Assembly) echo 5 ;; Key_Macro) echo 6 ;;
    esac
}
menu_origin() {  # menu_origin LANGUAGE KeyN -> "x y" of Pnl_Main
    local xy cx cy
    xy=($(descriptor_xy "$1" "$2"))
    cx=$((xy[0] + label_w / 2))
    cy=$((xy[1] + label_h / 2))
    [ $((cx + menu_w)) -ge 800 ] && cx=$((cx - menu_w))
    [ $((cy + menu_h)) -ge 600 ] && cy=$((cy - menu_h))
    echo "$cx $cy"
}
label_point() {  # label_point LANGUAGE KeyN
    local xy
    xy=($(descriptor_xy "$1" "$2"))
    echo "$((xy[0] + label_w / 2)) $((xy[1] + label_h / 2))"
}
category_point() {  # category_point LANGUAGE KeyN CATEGORY
    local o i
    o=($(menu_origin "$1" "$2"))
    i=$(category_index "$3")
    echo "$((o[0] + menu_w / 2)) $((o[1] + 1 + i * item_h + item_h / 2))"
}
function_point() {  # function_point LANGUAGE KeyN CATEGORY ITEMS_IN_MENU INDEX
    local o i x t y
    o=($(menu_origin "$1" "$2"))
    i=$(category_index "$3")
    if [ $((o[0] + menu_w + sub_w)) -ge 800 ]; then
        x=$((o[0] - sub_w))
    else
        x=$((o[0] + 1 + menu_w - 2))
    fi
    t=$((o[1] + 1 + i * item_h))
    y=$t
    [ $((t + item_h + $4 * item_h)) -ge 600 ] && y=$((t + item_h - $4 * item_h))
    echo "$((x + sub_w / 2)) $((y + $5 * item_h + item_h / 2))"
}

geometry() {  # sets X Y WIDTH HEIGHT of the editor window
    eval "$(xdotool getwindowgeometry --shell "$window_id")"
}
move() {  # move "x y" (window coordinates)
    local point=($1)
    geometry
    xdotool mousemove --sync $((X + point[0])) $((Y + point[1]))
    sleep 0.3
}
click() {  # click "x y" (window coordinates)
    move "$1"
    xdotool click 1
    sleep 0.4
}
shot() {
    geometry
    import -window root -crop "${WIDTH}x${HEIGHT}+${X}+${Y}" +repage "$shots/$1.png"
}

# --- start, and the simulated mouse read ---
"$program" --simulate="$work/mouse.bin" >"$work/editor.log" 2>&1 &
editor=$!
window_id=""
find_window() {
    window_id=$(xdotool search --onlyvisible --name '^VTR6420KD Gaming Mouse v1\.0' | head -n 1)
    [ -n "$window_id" ]
}
wait_for 150 find_window || fail "the window did not appear"
wait_for 300 grep -q '^busy 0' "$work/editor.log" || fail "the simulated mouse was not read"
sleep 0.5

# --- the menus and the dialog in languages 1 and 3 ---
for language in 1 3; do
    click "$(button_point "$language" "Btn_B$((language == 1 ? 8 : 10))" 90 30)"
    sleep 0.3
    click "$(label_point "$language" Key3)"
    move "$(category_point "$language" Key3 Key_Standard)"
    move "$(function_point "$language" Key3 Key_Standard 5 1)"
    shot "lang$language-key3-standard-menu"
    move "$(category_point "$language" Key3 Key_Media)"
    shot "lang$language-key3-media-menu"
    click "$(label_point "$language" Key4)"
    move "$(category_point "$language" Key4 Key_Special)"
    move "$(function_point "$language" Key4 Key_Special 5 2)"
    shot "lang$language-key4-special-menu"
    move "$(category_point "$language" Key4 Key_Macro)"
    shot "lang$language-key4-macro-list"

    # The combination-key dialog: Ctrl checked, then A pressed.
    click "$(category_point "$language" Key4 Key_Assembly)"
    dialog_x=$((X + (800 - 354) / 2))
    dialog_y=$((Y + (600 - 179) / 2 + 40))
    xdotool mousemove --sync $((dialog_x + 62)) $((dialog_y + 105)) click 1
    sleep 0.3
    xdotool key a
    xdotool mousemove --sync $((dialog_x + 90)) $((dialog_y + 148))
    sleep 0.4
    shot "lang$language-combination-dialog"
    # Closed by its corner: nothing changes.
    xdotool mousemove --sync $((dialog_x + 331)) $((dialog_y + 21)) click 1
    sleep 0.4
done

# --- Key6 gets "Volume +" (the fifth entry of Media Fn) and it is applied ---
click "$(button_point 1 Btn_B8 90 30)"
click "$(label_point 1 Key6)"
move "$(category_point 1 Key6 Key_Media)"
move "$(function_point 1 Key6 Key_Media 7 4)"
shot "lang1-key6-volume-plus"
click "$(function_point 1 Key6 Key_Media 7 4)"
xdotool mousemove --sync 1 1
sleep 0.3
shot "lang1-key6-assigned"
busy_before=$(grep -c '^busy 0' "$work/editor.log" || true)
click "$(button_point 1 Btn_A2 48 43)"
applied() { [ "$(grep -c '^busy 0' "$work/editor.log")" -gt "$busy_before" ]; }
wait_for 300 applied || fail "Apply did not finish"
sleep 0.3
click "$(button_point 1 Btn_A4 48 43)"
wait_for 50 sh -c "! kill -0 $editor" || fail "Exit did not end the program"
wait "$editor" || fail "the program ended with status $?"
editor=""

shown=$("$ctl" --simulate="$work/mouse.bin" show --json)
echo "$shown" | python3 -c '
import json, sys
buttons = json.load(sys.stdin)["buttons"]
key6 = [b for b in buttons if b["button"] == 6]
if len(key6) != 1 or key6[0]["name"] != "Volume +":
    sys.exit("Key6: %r" % (key6,))
' || fail "the mouse does not hold Volume + for Key6: $shown"
echo "e2e: Key6 is Volume + in the mouse; screenshots in $shots"
