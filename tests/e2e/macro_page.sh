#!/bin/bash
# The Macro page of the editor on a real X server (Xvfb, no window manager),
# driven with xdotool like a user: with the simulated mouse read, it shows a
# macro's steps, hovers and presses a page button, opens the insert panel on a
# delay and on a key entry and cancels it, in languages 1 and 3; a screenshot
# of each state goes to the folder given.
#
# usage: macro_page.sh PATH/TO/vtr6420kd SCREENSHOT_FOLDER
set -euo pipefail

program=$(realpath "$1")
shots=$2
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
for n in $(seq 91 140); do
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

# --- where the buttons are: the layout descriptors the program carries ---
key() {  # key FILE NAME -> value
    tr -d '\r' <"$1" | awk -F= -v k="$(echo "$2" | tr '[:upper:]' '[:lower:]')" '
        { name = tolower($1); gsub(/^[ \t]+|[ \t]+$/, "", name) }
        name == k { v = $2; gsub(/^[ \t]+|[ \t]+$/, "", v); print v; exit }'
}
# The middle of a 90 x 30 page or language button, or of a 48 x 43 bottom button.
button_point() {  # button_point LANGUAGE PREFIX WIDTH HEIGHT -> "x y" in the window
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
    local point=($1)
    geometry
    xdotool mousemove --sync $((X + point[0])) $((Y + point[1])) click 1
    sleep 0.4
}
shot() {
    geometry
    import -window root -crop "${WIDTH}x${HEIGHT}+${X}+${Y}" +repage "$shots/$1.png"
}

# The middle of a control placed at (KEY_X, KEY_Y) + offset, plus half a size.
place_point() {  # place_point LANGUAGE KEY DX DY WIDTH HEIGHT -> "x y"
    local file="$resources/ORG$1.txt" x y
    x=$(key "$file" "$2_X")
    y=$(key "$file" "$2_Y")
    [ -n "$x" ] && [ -n "$y" ] || fail "$file has no $2_X/$2_Y"
    echo "$((x + $3 + $5 / 2)) $((y + $4 + $6 / 2))"
}
# A point inside the insert panel (its own coordinates).
panel_point() {  # panel_point LANGUAGE X Y -> "x y"
    local file="$resources/ORG$1.txt"
    echo "$(($(key "$file" Insert_X) + $2)) $(($(key "$file" Insert_Y) + $3))"
}
# Mean brightness (0..1) of a rectangle of a screenshot.
brightness() {  # brightness FILE X Y WIDTH HEIGHT
    convert "$1" -crop "$4x$5+$2+$3" +repage -colorspace Gray -format "%[fx:mean]" info:
}

# --- start ---
"$program" --simulate="$work/mouse.bin" >"$work/editor.log" 2>&1 &
editor=$!
find_window() {
    window_id=$(xdotool search --onlyvisible --name '^VTR6420KD Gaming Mouse v1\.0' | head -n 1)
    [ -n "$window_id" ]
}
wait_for 150 find_window || fail "the window did not appear"
wait_for 300 grep -q '^busy 1' "$work/editor.log" || fail "the simulated mouse was not found"
wait_for 300 grep -q '^busy 0' "$work/editor.log" || fail "the simulated mouse was not read"
sleep 0.5

for language in 1 3; do
    click "$(button_point "$language" "Btn_B$((language == 1 ? 8 : 10))" 90 30)"
    click "$(button_point "$language" Btn_B11 90 30)"
    # The first macro of the list, then its second step.
    row_height=$(key "$resources/ORG$language.txt" MacroNameHeight)
    click "$(place_point "$language" MacroName 0 0 160 "$row_height")"
    click "$(place_point "$language" MacroContent 0 26 120 26)"
    xdotool mousemove --sync 1 1
    sleep 0.3
    shot "lang$language-macro-steps"
    # The step view shows rows: its first row carries an icon and text.
    geometry
    import -window root -crop "${WIDTH}x${HEIGHT}+${X}+${Y}" +repage "$work/steps.png"
    read -r sx sy <<<"$(place_point "$language" MacroContent 0 0 0 0)"
    light=$(brightness "$work/steps.png" "$sx" "$sy" 120 26)
    awk -v l="$light" 'BEGIN { exit !(l > 0.08) }' ||
        fail "language $language: the step view's first row is empty (brightness $light)"

    # Hovering a page button lights it.
    read -r hx hy <<<"$(place_point "$language" BtnClear 0 0 80 25)"
    geometry
    xdotool mousemove --sync $((X + hx)) $((Y + hy))
    sleep 0.3
    shot "lang$language-macro-hover-clear"

    # The insert panel: a delay entry, then a key entry.
    click "$(place_point "$language" BtnInsert 0 0 80 25)"
    # The pressed picture stays while the pointer rests on the button.
    shot "lang$language-macro-insert-pressed"
    xdotool mousemove --sync 1 1
    sleep 0.3
    shot "lang$language-macro-insert-delay"
    # The insert panel covers the delay panel.
    read -r px py <<<"$(panel_point "$language" 0 0)"
    convert "$shots/lang$language-macro-steps.png" -crop "207x162+$px+$py" +repage "$work/before.png"
    convert "$shots/lang$language-macro-insert-delay.png" -crop "207x162+$px+$py" +repage "$work/after.png"
    changed=$(compare -metric AE "$work/before.png" "$work/after.png" null: 2>&1 || true)
    awk -v c="$changed" 'BEGIN { exit !(c + 0 > 2000) }' ||
        fail "language $language: the insert panel did not open ($changed pixels changed)"
    # Insert Key Front: the drop-down list, then its third entry.
    read -r lx ly <<<"$(panel_point "$language" $(($(key "$resources/ORG$language.txt" InsertList_X) + 90)) \
        $(($(key "$resources/ORG$language.txt" InsertList_Y) + 11)))"
    click "$lx $ly"
    sleep 0.6
    # The list opens over the box, its entries 21 pixels apart.
    click "$lx $((ly + 2 * 21))"
    xdotool mousemove --sync 1 1
    sleep 0.3
    shot "lang$language-macro-insert-key"
    # Cancel closes the panel.
    click "$(panel_point "$language" \
        $(($(key "$resources/ORG$language.txt" InsertBtnCancel_X) + 20)) \
        $(($(key "$resources/ORG$language.txt" InsertBtnCancel_Y) + 12)))"
    xdotool mousemove --sync 1 1
    sleep 0.3
    shot "lang$language-macro-after-cancel"
    # The name dialog over the window; its close area ends it without a name.
    click "$(place_point "$language" BtnRename 0 0 80 25)"
    sleep 0.5
    shot "lang$language-macro-name-dialog"
    click "$(((800 - 354) / 2 + 331)) $(((600 - 179) / 2 + 21))"
done

# --- Exit ends the program ---
click "$(button_point 1 Btn_A4 48 43)"
wait_for 50 sh -c "! kill -0 $editor" || fail "Exit did not end the program"
wait "$editor" || fail "the program ended with status $?"
editor=""
echo "e2e: screenshots in $shots"
