#!/bin/bash
# The Main Control page's menus in the real program on a real X server (Xvfb,
# no window manager), driven with xdotool like a user: with the simulated
# mouse read, a click on a key label opens the category menu, hovering a
# category opens its function menu and a click on a function assigns it. The
# open menus and the combination-key dialog are photographed in languages 1
# and 3 (into the folder given). Key6 is given "Volume +" through the menus,
# CPI level 3 is made current on the Advanced page, Apply writes both, Exit
# ends the program, and the command-line tool reads the simulated mouse's
# memory back to check them.
#
# usage: main_control.sh PATH/TO/vtr6420kd PATH/TO/vtr6420kdctl SCREENSHOT_FOLDER
set -euo pipefail

program=$(realpath "$1")
ctl=$(realpath "$2")
shots=$3
mkdir -p "$shots"
rm -f "$shots"/*.png
work=$(mktemp -d)
source "$(dirname "$0")/lib.sh"
start_x 141 190

# --- the menus' own geometry ---
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

# --- start, and the simulated mouse read ---
start_editor "$program" "$work/mouse.bin"

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
# --- and CPI level 3 becomes the current level on the Advanced page ---
click "$(button_point 1 Btn_B4 90 30)"
click "$(button_point 1 DPI3_Check 18 19)"
xdotool mousemove --sync 1 1
sleep 0.3
shot "lang1-cpi-level3-current"
apply_and_exit

"$ctl" --simulate="$work/mouse.bin" show --json >"$work/show.json" ||
    fail "vtr6420kdctl show failed: $(cat "$work/show.json")"
key6=$(jq -r '[.buttons[] | select(.button == 6) | .name] | join(",")' "$work/show.json")
[ "$key6" = "Volume +" ] || fail "the mouse holds '$key6' for Key6, not Volume +"
current=$(jq -r '.cpi.current' "$work/show.json")
[ "$current" = 3 ] || fail "the mouse's current CPI level is $current, not 3"
echo "e2e: Key6 is Volume + and CPI level 3 is current in the mouse; screenshots in $shots"
