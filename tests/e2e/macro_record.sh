#!/bin/bash
# Recording a macro system-wide on a real X server (Xvfb), with real X input
# from xdotool: with the simulated mouse read, the first macro is selected on
# the Macro page and Record is pressed; then A and B are typed and the right
# button is clicked in another program's window; Stop (a left click on the
# record button, which must not be recorded) and Save Macro write the macro
# into the mouse. vtr6420kdctl reads it back from the same mouse: presses and
# releases of A, B and the right button, with delays between them, and no
# left button.
#
# usage: macro_record.sh PATH/TO/vtr6420kd PATH/TO/vtr6420kdctl SCREENSHOT_FOLDER
set -euo pipefail

program=$(realpath "$1")
ctl=$(realpath "$2")
shots=$3
mkdir -p "$shots"
rm -f "$shots"/*.png
work=$(mktemp -d)
source "$(dirname "$0")/lib.sh"
start_x 191 240

# Another program's window, away from the editor (which is centred).
xmessage -geometry 100x40+0+0 "another window" >/dev/null 2>&1 &
other=$!
trap 'kill $other 2>/dev/null || true; e2e_cleanup' EXIT
wait_for 50 sh -c "xwininfo -root -children | grep -q Xmessage" || fail "xmessage did not start"

start_editor "$program" "$work/mouse.bin"
names_before=$("$ctl" --simulate="$work/mouse.bin" macro list | head -n 1)

click "$(button_point 1 Btn_B11 90 30)"
# The first row of the macro names.
name=($(descriptor_xy 1 MacroName))
click "$((name[0] + 40)) $((name[1] + 10))"
record="$(button_point 1 BtnStart 80 25)"
click "$record"
shot recording

# Keys and a right click aimed at the other window.
xdotool mousemove --sync 50 20
sleep 0.2
xdotool key a
sleep 0.15
xdotool key b
sleep 0.15
xdotool click 3
sleep 0.3
# Stop: a left click on the record button.
click "$record"
shot recorded
click_and_wait_transfer "$(button_point 1 BtnSaveMacro 80 25)"
shot saved
click "$(button_point 1 Btn_A4 48 43)"
wait_for 50 sh -c "! kill -0 $editor" || fail "Exit did not end the program"
wait "$editor" || fail "the program ended with status $?"
editor=""

"$ctl" --simulate="$work/mouse.bin" macro show 1 >"$work/steps.txt" ||
    fail "vtr6420kdctl macro show failed: $(cat "$work/steps.txt")"
echo "e2e: macro 1 now reads:"
sed 's/^/    /' "$work/steps.txt"
steps=$(grep -v 'ms$' "$work/steps.txt" | tr '\n' ' ')
delays=$(grep -c 'ms$' "$work/steps.txt" || true)
case "$steps" in
    "+A -A +B -B +RightKey -RightKey " | "+A -A +B -B +Right -Right ") ;;
    *) fail "recorded steps are '$steps'" ;;
esac
# A measured delay before each of the later presses (xdotool's own press and
# release come within the same millisecond, so theirs may be 0 or absent).
[ "$delays" -ge 4 ] || fail "only $delays delays between the six steps"
for step in +B +RightKey +Right; do
    before=$(grep -B1 -x -- "$step" "$work/steps.txt" | head -n 1 || true)
    [ "$before" = "$step" ] && fail "no delay before $step"
    case "$before" in "" | [1-9]*ms) ;; *) fail "the delay before $step is '$before'" ;; esac
done
grep -qi 'left' "$work/steps.txt" && fail "the Stop click was recorded"
names_after=$("$ctl" --simulate="$work/mouse.bin" macro list | head -n 1)
[ "${names_after%% *}" = "${names_before%% *}" ] || fail "macro 1 lost its place: $names_after"
echo "e2e: the recorded macro is in the mouse; screenshots in $shots"
