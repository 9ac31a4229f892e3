#!/bin/sh
# /init of the kernel test's initramfs (run-kernel-test.sh builds it). Loads the
# HID modules, starts uhid-mouse, drives it with vtr6420kdctl through hidapi and
# hidraw, prints every step on the console and leaves qemu through isa-debug-exit:
# byte 0 for a pass (qemu exits 1), byte 1 for a failure (qemu exits 3).
#
# Layout: /bin (busybox, uhid-mouse, vtr6420kdctl), /modules/*.ko,
# /test/default.bin (the built-in default profile a fresh type-10 mouse reads as).
# shellcheck shell=sh
set -u
export PATH=/bin

mount -t proc proc /proc
mount -t sysfs sysfs /sys
mount -t devtmpfs devtmpfs /dev
mkdir -p /tmp /run

CTL=/bin/vtr6420kdctl
STEP=setup
MOUSE_PID=""

# Leaves qemu with 0 (pass) or 1 (fail); poweroff only if the port write failed.
leave() {
    if [ "$1" = 0 ]; then
        printf '\000' | dd of=/dev/port bs=1 seek=244 count=1 conv=notrunc 2>/dev/null
    else
        printf '\001' | dd of=/dev/port bs=1 seek=244 count=1 conv=notrunc 2>/dev/null
    fi
    echo "kernel test: isa-debug-exit did not stop qemu"
    poweroff -f
}

fail() {
    echo "kernel test: step '$STEP' failed: $*"
    if [ -f /tmp/uhid-mouse.log ]; then
        echo "--- uhid-mouse log (last 60 lines)"
        tail -n 60 /tmp/uhid-mouse.log
    fi
    echo "--- kernel log (last 30 lines)"
    dmesg | tail -n 30
    echo "KERNEL HID TEST: FAIL"
    leave 1
}

# run CMD...: runs CMD with a time limit; its output goes to /tmp/out and the
# console; its exit status to RC.
run() {
    echo "\$ $*"
    started=$(centiseconds)
    timeout 60 "$@" >/tmp/out 2>&1
    RC=$?
    cat /tmp/out
    echo "(exit $RC, $(elapsed_since "$started"))"
}

# Time since boot in 1/100 s, and the time since such a point as "1.23 s".
centiseconds() {
    cut -d' ' -f1 /proc/uptime | tr -d .
}
elapsed_since() {
    cs=$(($(centiseconds) - $1))
    printf '%d.%02d s' $((cs / 100)) $((cs % 100))
}

expect_rc() {
    [ "$RC" = "$1" ] || fail "exit status $RC, expected $1"
}

expect_line() {
    grep -qF -- "$1" /tmp/out || fail "no line with '$1'"
}

# count_lines PATTERN FILE
count_lines() {
    grep -cF -- "$1" "$2"
}

byte_at() {
    od -An -tu1 -j "$2" -N1 "$1" | tr -d ' '
}

# poke FILE OFFSET: changes the byte at OFFSET to a different value.
poke() {
    old=$(byte_at "$1" "$2")
    new=$(((old + 0x55) % 256))
    # shellcheck disable=SC2059
    printf "\\$(printf '%03o' "$new")" | dd of="$1" bs=1 seek="$2" count=1 conv=notrunc 2>/dev/null
}

# same_bytes FILE_A OFFSET_A FILE_B OFFSET_B LENGTH
same_bytes() {
    dd if="$1" of=/tmp/part-a bs=1 skip="$2" count="$5" 2>/dev/null
    dd if="$3" of=/tmp/part-b bs=1 skip="$4" count="$5" 2>/dev/null
    cmp /tmp/part-a /tmp/part-b
}

echo "kernel test: $(uname -r), up $(cut -d' ' -f1 /proc/uptime) s"

STEP="load modules"
for module in hid hid-generic uhid; do
    insmod "/modules/$module.ko" || fail "insmod $module.ko"
done
[ -c /dev/uhid ] || fail "/dev/uhid missing after loading uhid.ko"

STEP="start uhid-mouse"
uhid-mouse --type=10 --verbose --eeprom=/tmp/eeprom.bin --ready-file=/tmp/mouse-ready \
    2>/tmp/uhid-mouse.log &
MOUSE_PID=$!
tries=0
until [ -f /tmp/mouse-ready ] && [ -c /dev/hidraw0 ] && [ -c /dev/hidraw1 ]; do
    kill -0 "$MOUSE_PID" 2>/dev/null || fail "uhid-mouse exited"
    tries=$((tries + 1))
    [ "$tries" -le 100 ] || fail "no /dev/hidraw0 and /dev/hidraw1 after 5 s"
    usleep 50000
done
head -n 3 /tmp/uhid-mouse.log
ls -l /dev/hidraw*

STEP="list"
run "$CTL" list
expect_rc 0
[ "$(wc -l </tmp/out)" = 2 ] || fail "expected exactly two interfaces"
[ "$(count_lines 'feature report 8 bytes' /tmp/out)" = 1 ] ||
    fail "expected exactly one interface with an 8-byte feature report"
[ "$(count_lines 'feature report 0 bytes' /tmp/out)" = 1 ] ||
    fail "expected exactly one interface without a feature report"
grep -F 'feature report 8 bytes' /tmp/out | grep -qF '1BCF:08A0' || fail "ids missing"
grep -F 'feature report 8 bytes' /tmp/out | grep -qF '(configuration interface)' ||
    fail "the 8-byte interface is not called the configuration interface"

STEP="status"
run "$CTL" status
expect_rc 0
expect_line "signature:    0xAA"
expect_line "memory ready: yes"
expect_line "device type:  10"

STEP="read the factory profile"
run "$CTL" read /tmp/a.bin
expect_rc 0
[ "$(wc -c </tmp/a.bin)" = 583 ] || fail "a.bin is not 583 bytes"
cmp /tmp/a.bin /test/default.bin || fail "a fresh mouse does not read as the built-in defaults"

STEP="prepare the test profile"
cp /tmp/a.bin /tmp/w.bin
# Parameter area (0..42, but not the type byte 42), button table (43..70), macro
# area (71..582) with the bytes around its 255-byte page boundaries.
for offset in 0 3 37 41 43 50 70 71 100 325 326 327 581 582; do
    poke /tmp/w.bin "$offset"
done
[ "$(byte_at /tmp/w.bin 42)" = 10 ] || fail "the type byte changed"
if cmp -s /tmp/a.bin /tmp/w.bin; then
    fail "the test profile equals the factory one"
fi

STEP="write"
run "$CTL" write /tmp/w.bin
expect_rc 0
expect_line "wrote 583 bytes"

STEP="read back with --trace"
echo "\$ $CTL --trace read /tmp/b.bin"
started=$(centiseconds)
timeout 60 "$CTL" --trace read /tmp/b.bin >/tmp/trace.txt 2>&1
RC=$?
echo "(exit $RC, $(elapsed_since "$started"); $(grep -c '^send' /tmp/trace.txt) reports sent, $(grep -c '^recv' /tmp/trace.txt) received)"
grep -v -e '^send' -e '^recv' /tmp/trace.txt
if [ "$RC" != 0 ]; then
    tail -n 40 /tmp/trace.txt
    fail "exit status $RC, expected 0"
fi
grep -qx 'send 04 04 00 00 2B 00 00 00' /tmp/trace.txt ||
    fail "no announcement 'send 04 04 00 00 2B 00 00 00' in the trace"
grep -q 'failed' /tmp/trace.txt && fail "the trace shows failed reports"
cmp /tmp/w.bin /tmp/b.bin || fail "the profile read back differs from the one written"

STEP="stop uhid-mouse"
kill -TERM "$MOUSE_PID"
wait "$MOUSE_PID"
RC=$?
tail -n 2 /tmp/uhid-mouse.log
[ "$RC" = 0 ] || fail "uhid-mouse exited with $RC"
tries=0
while [ -e /dev/hidraw0 ] || [ -e /dev/hidraw1 ]; do
    tries=$((tries + 1))
    [ "$tries" -le 40 ] || fail "the hidraw nodes stayed after uhid-mouse stopped"
    usleep 50000
done

# The firmware's own memory, independent of the tool's reading of it.
STEP="check the mouse's memory"
[ -f /tmp/eeprom.bin ] || fail "uhid-mouse saved no memory"
same_bytes /tmp/eeprom.bin 0 /tmp/w.bin 0 43 || fail "parameter area at 0 differs"
same_bytes /tmp/eeprom.bin 64 /tmp/w.bin 43 28 || fail "button table at 64 differs"
same_bytes /tmp/eeprom.bin 512 /tmp/w.bin 71 512 || fail "macro area at 512 differs"
echo "memory: parameter area, button table and macro area hold the written profile"

echo "kernel test: done at $(cut -d' ' -f1 /proc/uptime) s after boot"
echo "KERNEL HID TEST: PASS"
leave 0
