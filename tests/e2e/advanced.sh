#!/bin/bash
# The Advanced page of the editor on a real X server (Xvfb, no window manager),
# driven with xdotool like a user: screenshots of the page in languages 1 and 3
# go to the folder given; then level 3 is made the current CPI level with a
# click on its check image, Apply writes it into the simulated mouse, Exit
# closes, and vtr6420kdctl reads level 3 back as current from the same mouse.
#
# The Breathing Light page's button lies outside the window in layouts 1 and
# 3, and the Language 2 button (whose layout shows it) is hidden in every
# layout, so a user reaches neither; the page has no screenshot here.
#
# usage: advanced.sh PATH/TO/vtr6420kd PATH/TO/vtr6420kdctl SCREENSHOT_FOLDER
set -euo pipefail

program=$(realpath "$1")
ctl=$(realpath "$2")
shots=$3
mkdir -p "$shots"
rm -f "$shots"/advanced-*.png
work=$(mktemp -d)
source "$(dirname "$0")/lib.sh"

start_x 141 190
start_editor "$program" "$work/mouse.bin"

for language in 1 3; do
    click "$(button_point "$language" "Btn_B$((language == 1 ? 8 : 10))" 90 30)"
    click "$(button_point "$language" Btn_B4 90 30)"
    xdotool mousemove --sync 1 1
    sleep 0.3
    shot "advanced-lang$language"
done

click "$(button_point 3 Btn_B8 90 30)"
click "$(button_point 1 Btn_B4 90 30)"
click "$(button_point 1 DPI3_Check 18 19)"
xdotool mousemove --sync 1 1
sleep 0.3
shot advanced-level3-current
apply_and_exit

"$ctl" --simulate="$work/mouse.bin" show --json >"$work/show.json" ||
    fail "vtr6420kdctl show failed: $(cat "$work/show.json")"
current=$(jq -r '.cpi.current' "$work/show.json")
[ "$current" = 3 ] || fail "the mouse's current CPI level is $current, not 3"
echo "e2e: CPI level 3 is current in the mouse; screenshots in $shots"
