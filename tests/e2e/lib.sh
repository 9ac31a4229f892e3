# What the end-to-end scripts share: an X server of their own (Xvfb, no window
# manager), a clean environment, the editor started with a simulated mouse,
# and xdotool moves, clicks and screenshots in window coordinates taken from
# the layout descriptors the program carries. Sourced by each script after it
# has set `work` (a temporary folder) and `shots` (the screenshot folder).

e2e_here=$(cd "$(dirname "${BASH_SOURCE[0]}")" && pwd)
resources="$e2e_here/../../resources"
xvfb=""
editor=""
window_id=""

e2e_cleanup() {
    [ -n "$editor" ] && kill "$editor" 2>/dev/null || true
    [ -n "$xvfb" ] && kill "$xvfb" 2>/dev/null || true
    rm -rf "$work"
}
trap e2e_cleanup EXIT

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

# Starts Xvfb on the first free display from $1 to $2 and makes it this
# script's display, with nothing of the user's (settings, state, the
# single-instance socket) in reach.
start_x() {
    local display="" n
    for n in $(seq "$1" "$2"); do
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
    mkdir -p "$work/home" "$work/tmp" "$work/run"
    chmod 700 "$work/run"
    export HOME="$work/home" XDG_CONFIG_HOME="$work/home/.config" XDG_STATE_HOME="$work/home/.state"
    export XDG_RUNTIME_DIR="$work/run" TMPDIR="$work/tmp"
    export VTR6420KD_PAINT_TRACE=1
}

# --- where things are: the layout descriptors ---

key() {  # key FILE NAME -> value
    tr -d '\r' <"$1" | awk -F= -v k="$(echo "$2" | tr '[:upper:]' '[:lower:]')" '
        { name = tolower($1); gsub(/^[ \t]+|[ \t]+$/, "", name) }
        name == k { v = $2; gsub(/^[ \t]+|[ \t]+$/, "", v); print v; exit }'
}
descriptor_xy() {  # descriptor_xy LANGUAGE PREFIX -> "x y" of PREFIX_X, PREFIX_Y
    local file="$resources/ORG$1.txt" x y
    x=$(key "$file" "$2_X")
    y=$(key "$file" "$2_Y")
    [ -n "$x" ] && [ -n "$y" ] || fail "$file has no $2_X/$2_Y"
    echo "$x $y"
}
# The middle of a control of WIDTH x HEIGHT placed at PREFIX_X, PREFIX_Y.
button_point() {  # button_point LANGUAGE PREFIX WIDTH HEIGHT -> "x y" in the window
    local xy
    xy=($(descriptor_xy "$1" "$2"))
    echo "$((xy[0] + $3 / 2)) $((xy[1] + $4 / 2))"
}

# --- the editor ---

# Starts the editor with the simulated mouse kept in FILE and waits until it
# has found and read it.
start_editor() {  # start_editor PROGRAM FILE
    "$1" --simulate="$2" >"$work/editor.log" 2>&1 &
    editor=$!
    wait_for 150 find_window || fail "the window did not appear"
    wait_for 300 grep -q '^busy 0' "$work/editor.log" || fail "the simulated mouse was not read"
    sleep 0.5
}
find_window() {
    window_id=$(xdotool search --onlyvisible --name '^VTR6420KD Gaming Mouse v1\.0' | head -n 1)
    [ -n "$window_id" ]
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
shot() {  # shot NAME: the editor window into $shots/NAME.png
    geometry
    import -window root -crop "${WIDTH}x${HEIGHT}+${X}+${Y}" +repage "$shots/$1.png"
}
# Finished transfers so far (each ends with the busy window going away).
busy_count() { grep -c '^busy 0' "$work/editor.log" || true; }
# Clicks the button at "x y" and waits for the transfer it starts to end.
click_and_wait_transfer() {
    local before
    before=$(busy_count)
    click "$1"
    wait_for 300 sh -c "[ \$(grep -c '^busy 0' '$work/editor.log') -gt $before ]" ||
        fail "the transfer did not finish"
    sleep 0.3
}
# Apply (language 1's layout), then Exit; the program must end by itself.
apply_and_exit() {
    click_and_wait_transfer "$(button_point 1 Btn_A2 48 43)"
    click "$(button_point 1 Btn_A4 48 43)"
    wait_for 50 sh -c "! kill -0 $editor" || fail "Exit did not end the program"
    wait "$editor" || fail "the program ended with status $?"
    editor=""
}
