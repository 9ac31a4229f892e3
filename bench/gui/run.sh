#!/bin/bash
# Measures the editor's window against a minimal Qt Widgets window, both on
# the same X server (Xvfb) in the same run:
#   - start: process start to the first painted frame (median of 5 starts each)
#   - peak memory: maximum resident set size over a run that idles 60 s
#     (for the editor: start, read the simulated mouse, idle)
#   - idle CPU: user + system time over 60 s of idling, as a share of one core
#     (the editor with the simulated mouse connected and read)
#   - the editor's largest gap between painted frames during a full read
# Targets: start <= 1.3 x minimal, memory <= 1.5 x, idle CPU < 0.1 %, gap <= 50 ms.
#
# usage: bench/gui/run.sh [BUILD_FOLDER]   (default: build; vtr6420kd must be built)
set -euo pipefail

root=$(cd "$(dirname "$0")/../.." && pwd)
build=$(realpath "${1:-$root/build}")
editor="$build/src/app/vtr6420kd"
[ -x "$editor" ] || { echo "bench: no $editor; build it first" >&2; exit 1; }
starts=${STARTS:-5}
idle_seconds=${IDLE_SECONDS:-60}

# --- the minimal window ---
minimal_build="$build/bench-gui-minimal"
cmake -S "$root/bench/gui/minimal" -B "$minimal_build" -G Ninja >/dev/null
cmake --build "$minimal_build" >/dev/null
minimal="$minimal_build/minimal_window"

work=$(mktemp -d)
xvfb=""
pids=()
cleanup() {
    for p in "${pids[@]}"; do kill "$p" 2>/dev/null || true; done
    [ -n "$xvfb" ] && kill "$xvfb" 2>/dev/null || true
    rm -rf "$work"
}
trap cleanup EXIT

display=""
for n in $(seq 141 190); do
    if [ ! -e "/tmp/.X11-unix/X$n" ] && [ ! -e "/tmp/.X$n-lock" ]; then
        display=":$n"
        break
    fi
done
Xvfb "$display" -screen 0 1024x768x24 -noreset >/dev/null 2>&1 &
xvfb=$!
for _ in $(seq 100); do [ -e "/tmp/.X11-unix/X${display#:}" ] && break; sleep 0.1; done
export DISPLAY=$display QT_QPA_PLATFORM=xcb VTR6420KD_PAINT_TRACE=1
mkdir -p "$work/home" "$work/tmp" "$work/run"
chmod 700 "$work/run"
export HOME="$work/home" XDG_CONFIG_HOME="$work/home/.config" XDG_STATE_HOME="$work/home/.state"
export XDG_RUNTIME_DIR="$work/run" TMPDIR="$work/tmp"

now_ns() { date +%s%N; }

# Waits up to $2 seconds for a line starting with $3 in file $1.
wait_line() {
    local tenths=$(($2 * 10))
    for _ in $(seq "$tenths"); do
        grep -q "^$3" "$1" 2>/dev/null && return 0
        sleep 0.1
    done
    return 1
}

# start_ms PROGRAM ARGS... -> milliseconds from exec to the first painted frame
start_ms() {
    local log="$work/start.log"
    rm -f "$log" "$work/mouse.bin"
    local t0
    t0=$(now_ns)
    "$@" >"$log" 2>/dev/null &
    local pid=$!
    wait_line "$log" 20 first-paint || { kill "$pid"; echo "bench: $1 never painted" >&2; exit 1; }
    local t1
    t1=$(grep -m1 '^first-paint' "$log" | cut -d' ' -f2)
    kill "$pid" 2>/dev/null
    wait "$pid" 2>/dev/null || true
    echo $(((t1 - t0) / 1000000))
}

median() { tr ' ' '\n' | sort -n | awk '{ a[NR] = $1 } END { print a[int((NR + 1) / 2)] }'; }

echo "bench: start-up, $starts starts each (alternating)"
minimal_starts=""
editor_starts=""
for _ in $(seq "$starts"); do
    minimal_starts+="$(start_ms "$minimal") "
    editor_starts+="$(start_ms "$editor" --simulate="$work/mouse.bin") "
done
minimal_start=$(echo $minimal_starts | median)
editor_start=$(echo $editor_starts | median)
echo "  minimal: $minimal_starts-> median $minimal_start ms"
echo "  editor:  $editor_starts-> median $editor_start ms"

# --- one long run of each, side by side ---
ticks=$(getconf CLK_TCK)
cpu_ticks() { awk '{ print $14 + $15 }' "/proc/$1/stat"; }
child_of() { pgrep -P "$1" | head -n 1; }

rm -f "$work/mouse.bin"
/usr/bin/time -v -o "$work/minimal.time" "$minimal" >"$work/minimal.log" 2>/dev/null &
minimal_wrapper=$!
pids+=("$minimal_wrapper")
/usr/bin/time -v -o "$work/editor.time" "$editor" --simulate="$work/mouse.bin" >"$work/editor.log" 2>/dev/null &
editor_wrapper=$!
pids+=("$editor_wrapper")

wait_line "$work/editor.log" 30 'busy 0' || { echo "bench: the simulated mouse was not read" >&2; exit 1; }
sleep 1
minimal_pid=$(child_of "$minimal_wrapper")
editor_pid=$(child_of "$editor_wrapper")
echo "bench: idling $idle_seconds s with the simulated mouse read"
m0=$(cpu_ticks "$minimal_pid")
e0=$(cpu_ticks "$editor_pid")
t0=$(now_ns)
sleep "$idle_seconds"
m1=$(cpu_ticks "$minimal_pid")
e1=$(cpu_ticks "$editor_pid")
t1=$(now_ns)
kill "$minimal_pid" "$editor_pid"
wait "$minimal_wrapper" "$editor_wrapper" 2>/dev/null || true
pids=()

wall_ms=$(((t1 - t0) / 1000000))
cpu_share() {  # ticks -> percent of one core, 3 decimals
    awk -v t="$1" -v hz="$ticks" -v ms="$wall_ms" 'BEGIN { printf "%.3f", 100 * (t / hz) / (ms / 1000) }'
}
minimal_cpu=$(cpu_share $((m1 - m0)))
editor_cpu=$(cpu_share $((e1 - e0)))
rss() { awk -F': ' '/Maximum resident set size/ { print $2 }' "$1"; }
minimal_rss=$(rss "$work/minimal.time")
editor_rss=$(rss "$work/editor.time")

# The largest gap between painted frames from the start to the end of the read.
read -r read_ms gap_ms frames < <(awk '
    $1 == "busy" && $2 == 1 && !begin { begin = $3; last = $3; next }
    $1 == "paint" && begin && !end { gap = $3 - last; if (gap > max) max = gap; last = $3; n++ }
    $1 == "busy" && $2 == 0 && begin && !end { end = $3; gap = end - last; if (gap > max) max = gap }
    END { printf "%d %d %d\n", (end - begin) / 1e6, max / 1e6, n }' "$work/editor.log")

verdict() { awk -v ok="$1" 'BEGIN { print (ok ? "ok" : "MISSED") }'; }
ratio() { awk -v a="$1" -v b="$2" 'BEGIN { printf "%.2f", a / b }'; }

echo
printf "%-34s %12s %12s %8s %10s %s\n" "measure" "minimal" "vtr6420kd" "ratio" "target" ""
printf "%-34s %12s %12s %8s %10s %s\n" "start to first frame (ms, median)" "$minimal_start" "$editor_start" \
    "$(ratio "$editor_start" "$minimal_start")" "<= 1.3x" \
    "$(verdict "$(awk -v a="$editor_start" -v b="$minimal_start" 'BEGIN { print a <= 1.3 * b }')")"
printf "%-34s %12s %12s %8s %10s %s\n" "peak RSS (KiB)" "$minimal_rss" "$editor_rss" \
    "$(ratio "$editor_rss" "$minimal_rss")" "<= 1.5x" \
    "$(verdict "$(awk -v a="$editor_rss" -v b="$minimal_rss" 'BEGIN { print a <= 1.5 * b }')")"
printf "%-34s %12s %12s %8s %10s %s\n" "idle CPU over ${idle_seconds} s (% of a core)" "$minimal_cpu" "$editor_cpu" "" \
    "< 0.1 %" "$(verdict "$(awk -v a="$editor_cpu" 'BEGIN { print a < 0.1 }')")"
printf "%-34s %12s %12s %8s %10s %s\n" "largest frame gap in a read (ms)" "" "$gap_ms" "" "<= 50" \
    "$(verdict "$((gap_ms <= 50))")"
echo "(the read took $read_ms ms and painted $frames frames)"
