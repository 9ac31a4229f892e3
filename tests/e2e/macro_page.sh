#!/bin/bash
# The Macro page of the editor on a real X server (Xvfb, no window manager),
# driven with xdotool like a user: with the simulated mouse read, it shows a
# macro's steps, hovers and presses a page button, opens the insert panel on a
# delay and on a key entry and cancels it, and opens and closes the name
# dialog, in languages 1 and 3; a screenshot of each state goes to the folder
# given.
#
# usage: macro_page.sh PATH/TO/vtr6420kd SCREENSHOT_FOLDER
set -euo pipefail

program=$(realpath "$1")
shots=$2
mkdir -p "$shots"
rm -f "$shots"/*.png
work=$(mktemp -d)
source "$(dirname "$0")/lib.sh"

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

start_x 191 240
start_editor "$program" "$work/mouse.bin"

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
    move "$(place_point "$language" BtnClear 0 0 80 25)"
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
