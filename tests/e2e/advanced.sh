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
here=$(cd "$(dirname "$0")" && pwd)
resources="$here/../../resources"

mkdir -p "$shots"
rm -f "$shots"/advanced-*.png
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

# --- where the controls are: the layout descriptors the program carries ---
key() {  # key FILE NAME -> value
    tr -d '\r' <"$1" | awk -F= -v k="$(echo "$2" | tr '[:upper:]' '[:lower:]')" '
        { name = tolower($1); gsub(/^[ \t]+|[ \t]+$/, "", name) }
        name == k { v = $2; gsub(/^[ \t]+|[ \t]+$/, "", v); print v; exit }'
}
# The middle of a control of the given size placed by PREFIX_X and PREFIX_Y.
point() {  # point LANGUAGE PREFIX WIDTH HEIGHT -> "x y" in the window
    local file="$resources/ORG$1.txt" x y
    x=$(key "$file" "$2_X")
    y=$(key "$file" "$2_Y")
    [ -n "$x" ] && [ -n "$y" ] || fail "$file has no $2_X/$2_Y"
    echo "$((x + $3 / 2)) $((y + $4 / 2))"
}

window_id=""
geometry() {  # sets X Y WIDTH HEIGHT of the editor window
    eval "$(xdotool getwindowgeometry --shell "$window_id")"
}
click() {  # click "x y" (window coordinates)
    local at=($1)
    geometry
    xdotool mousemove --sync $((X + at[0])) $((Y + at[1])) click 1
    sleep 0.4
}
shot() {
    geometry
    import -window root -crop "${WIDTH}x${HEIGHT}+${X}+${Y}" +repage "$shots/$1.png"
}
busy_count() { grep -c '^busy 0' "$work/editor.log" || true; }

# --- start, and the simulated mouse is read ---
"$program" --simulate="$work/mouse.bin" >"$work/editor.log" 2>&1 &
editor=$!
find_window() {
    window_id=$(xdotool search --onlyvisible --name '^VTR6420KD Gaming Mouse v1\.0' | head -n 1)
    [ -n "$window_id" ]
}
wait_for 150 find_window || fail "the window did not appear"
wait_for 300 grep -q '^busy 0' "$work/editor.log" || fail "the simulated mouse was not read"
sleep 0.5

# --- the Advanced page in languages 1 and 3 ---
for language in 1 3; do
    click "$(point "$language" "Btn_B$((language == 1 ? 8 : 10))" 90 30)"
    click "$(point "$language" Btn_B4 90 30)"
    xdotool mousemove --sync 1 1
    sleep 0.3
    shot "advanced-lang$language"
done

# --- level 3 made current, applied, and the program closed ---
click "$(point 3 Btn_B8 90 30)"
click "$(point 1 Btn_B4 90 30)"
click "$(point 1 DPI3_Check 18 19)"
xdotool mousemove --sync 1 1
sleep 0.3
shot advanced-level3-current
before=$(busy_count)
click "$(point 1 Btn_A2 48 43)"
applied() { [ "$(busy_count)" -gt "$before" ]; }
wait_for 300 applied || fail "Apply did not finish"
sleep 0.3
click "$(point 1 Btn_A4 48 43)"
wait_for 50 sh -c "! kill -0 $editor" || fail "Exit did not end the program"
wait "$editor" || fail "the program ended with status $?"
editor=""

# --- what the mouse holds ---
"$ctl" --simulate="$work/mouse.bin" show --json >"$work/show.json" ||
    fail "vtr6420kdctl show failed: $(cat "$work/show.json")"
current=$(jq -r '.cpi.current' "$work/show.json")
[ "$current" = 3 ] || fail "the mouse's current CPI level is $current, not 3"
echo "e2e: CPI level 3 is current in the mouse; screenshots in $shots"
