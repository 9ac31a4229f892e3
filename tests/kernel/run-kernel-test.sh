#!/bin/bash
# The real HID path through a Linux kernel: boots Debian's kernel under qemu with
# an initramfs holding busybox, the HID modules, uhid-mouse and vtr6420kdctl;
# uhid-mouse creates the mouse through /dev/uhid and the tool talks to it through
# hidapi and hidraw (guest-init.sh is the test itself).
#
#   run-kernel-test.sh VTR6420KDCTL UHID_MOUSE CACHE_DIR
#
# The kernel package is fetched with `apt-get download` once and its kernel and
# modules are kept in CACHE_DIR; later runs need no network. A kernel that cannot
# be fetched is a failure, not a skip.
#
# Environment: VTR_KERNEL_TEST_TIMEOUT (seconds for boot and test, default 120),
# VTR_KERNEL_TEST_VERBOSE=1 (print the guest console also when the test passes),
# VTR_KERNEL_TEST_ACCEL (qemu accelerator, default tcg; kvm where it works).
# Exit status: 0 pass, 1 fail, 2 usage.
set -eu
set -o pipefail

say() { echo "kernel test: $*"; }
die() {
    echo "kernel test: FAIL: $*" >&2
    exit 1
}

if [ $# -ne 3 ]; then
    echo "usage: $0 VTR6420KDCTL UHID_MOUSE CACHE_DIR" >&2
    exit 2
fi
CTL=$1
UHID_MOUSE=$2
CACHE=$3
HERE=$(cd "$(dirname "$0")" && pwd)
DEFAULT_PROFILE=$HERE/../../resources/VTR6420KDData.bin
TIMEOUT=${VTR_KERNEL_TEST_TIMEOUT:-120}

now_ms() { echo $(($(date +%s%N) / 1000000)); }
T_START=$(now_ms)

for program in "$CTL" "$UHID_MOUSE"; do
    [ -x "$program" ] || die "$program is not an executable"
done
[ -f "$DEFAULT_PROFILE" ] || die "$DEFAULT_PROFILE is missing"
for tool in qemu-system-x86_64 busybox cpio xz dpkg-deb apt-get apt-cache timeout ldd; do
    command -v "$tool" >/dev/null ||
        die "$tool not found; scripts/install-deps installs what the kernel test needs"
done
[ "$(dpkg --print-architecture)" = amd64 ] || die "the kernel test runs on amd64 machines only"
BUSYBOX=$(command -v busybox)
if ldd "$BUSYBOX" >/dev/null 2>&1; then
    die "$BUSYBOX is dynamically linked; the initramfs needs busybox-static"
fi

mkdir -p "$CACHE"
CACHE=$(cd "$CACHE" && pwd)
WORK=$(mktemp -d "${TMPDIR:-/tmp}/vtr-kernel-test.XXXXXX")
trap 'rm -rf "$WORK"' EXIT

# ---------------------------------------------------------------------------
# Kernel and modules, from the package linux-image-amd64 points at.

can_update_apt() { [ "$(id -u)" -eq 0 ] || sudo -n true 2>/dev/null; }
update_apt() {
    say "refreshing apt's package index"
    if [ "$(id -u)" -eq 0 ]; then
        apt-get update -q >&2
    else
        sudo -n apt-get update -q >&2
    fi
}

# Sets KPKG and KVERSION from apt's index.
resolve_kernel_package() {
    KPKG=$(apt-cache depends linux-image-amd64 2>/dev/null |
        awk '/Depends: linux-image-/ { print $2; exit }') || true
    KVERSION=""
    if [ -n "$KPKG" ]; then
        KVERSION=$(apt-cache show --no-all-versions "$KPKG" 2>/dev/null |
            awk '/^Version:/ { print $2; exit }') || true
    fi
    [ -n "$KPKG" ] && [ -n "$KVERSION" ]
}

download_kernel_package() {
    local dir=$1
    local options=()
    # As root apt hands the download to its _apt user, who may not write here.
    [ "$(id -u)" -eq 0 ] && options=(-o APT::Sandbox::User=root)
    (cd "$dir" && apt-get "${options[@]}" -q download "$KPKG=$KVERSION" >&2)
}

# Unpacks the kernel package in $1/pkg and fills $2 with vmlinux and the modules.
unpack_kernel() {
    local fetch=$1 out=$2
    mkdir -p "$fetch/pkg" "$out"
    dpkg-deb --fsys-tarfile "$fetch"/*.deb |
        tar -x -C "$fetch/pkg" --wildcards './boot/vmlinuz-*' \
            './lib/modules/*/kernel/drivers/hid/hid.ko*' \
            './lib/modules/*/kernel/drivers/hid/hid-generic.ko*' \
            './lib/modules/*/kernel/drivers/hid/uhid.ko*'
    local vmlinuz
    vmlinuz=$(find "$fetch/pkg/boot" -name 'vmlinuz-*' | head -n 1)
    [ -n "$vmlinuz" ] || die "no boot/vmlinuz-* in $KPKG"

    # qemu boots about twice as fast from the uncompressed kernel: the xz
    # stream inside vmlinuz, unpacked.
    local offset
    LC_ALL=C grep -obUaP '\xfd7zXZ\x00' "$vmlinuz" | cut -d: -f1 >"$fetch/offsets" || true
    while read -r offset; do
        tail -c +$((offset + 1)) "$vmlinuz" >"$fetch/payload.xz"
        if xz -dc --single-stream "$fetch/payload.xz" >"$out/vmlinux" 2>/dev/null &&
            [ "$(head -c 4 "$out/vmlinux" | od -An -c | tr -d ' ')" = '177ELF' ]; then
            break
        fi
        rm -f "$out/vmlinux"
    done <"$fetch/offsets"
    if [ ! -f "$out/vmlinux" ]; then
        say "no xz-compressed kernel inside $(basename "$vmlinuz"); booting it compressed"
        cp "$vmlinuz" "$out/vmlinux"
    fi

    local module file
    for module in hid hid-generic uhid; do
        file=$(find "$fetch/pkg/lib/modules" -name "$module.ko*" | head -n 1)
        case "$file" in
            *.ko) cp "$file" "$out/$module.ko" ;;
            *.ko.xz) xz -dc "$file" >"$out/$module.ko" ;;
            "") die "$module.ko is not in $KPKG" ;;
            *) die "cannot unpack $file (only .ko and .ko.xz are handled)" ;;
        esac
    done
    echo "$KPKG $KVERSION" >"$out/package"
}

T_KERNEL=$(now_ms)
if ! resolve_kernel_package; then
    can_update_apt || die "apt knows no linux-image-amd64 and cannot refresh its index (needs root)"
    update_apt || die "apt-get update failed; the kernel test needs the Debian archive once"
    resolve_kernel_package || die "apt knows no package linux-image-amd64 points at"
fi
KDIR=$CACHE/$KPKG-$KVERSION
if [ -f "$KDIR/package" ]; then
    say "kernel $KPKG $KVERSION from the cache"
else
    say "fetching $KPKG $KVERSION (once; kept in $CACHE)"
    FETCH=$(mktemp -d "$CACHE/fetch.XXXXXX")
    chmod 755 "$FETCH"
    if ! download_kernel_package "$FETCH"; then
        # An old index can name a version the archive no longer has.
        if can_update_apt && update_apt && resolve_kernel_package; then
            KDIR=$CACHE/$KPKG-$KVERSION
            download_kernel_package "$FETCH" || true
        fi
    fi
    if ! ls "$FETCH"/*.deb >/dev/null 2>&1; then
        rm -rf "$FETCH"
        die "cannot download the kernel package $KPKG $KVERSION with apt-get download; the kernel test needs the Debian archive once (the kernel is then cached in $CACHE)"
    fi
    unpack_kernel "$FETCH" "$FETCH/kernel"
    # Another run may have filled the same folder meanwhile; either copy is good.
    mv -T "$FETCH/kernel" "$KDIR" 2>/dev/null || true
    rm -rf "$FETCH"
    [ -f "$KDIR/package" ] || die "could not put the kernel into $KDIR"
fi
T_INITRD=$(now_ms)

# ---------------------------------------------------------------------------
# Initramfs: busybox, modules, the two programs with their libraries, /init.

ROOT=$WORK/root
mkdir -p "$ROOT"/{bin,modules,test,proc,sys,dev,tmp}
cp "$BUSYBOX" "$ROOT/bin/busybox"
for applet in $("$BUSYBOX" --list); do
    [ "$applet" = busybox ] || ln -s busybox "$ROOT/bin/$applet"
done
cp "$CTL" "$ROOT/bin/vtr6420kdctl"
cp "$UHID_MOUSE" "$ROOT/bin/uhid-mouse"
cp "$KDIR"/hid.ko "$KDIR"/hid-generic.ko "$KDIR"/uhid.ko "$ROOT/modules/"
cp "$DEFAULT_PROFILE" "$ROOT/test/default.bin"
cp "$HERE/guest-init.sh" "$ROOT/init"
chmod 755 "$ROOT/init"

# Every library ldd names, the dynamic loader included, at the same path.
for program in "$CTL" "$UHID_MOUSE"; do
    if ldd "$program" | grep -q 'not found'; then
        ldd "$program" >&2
        die "$program needs libraries this machine lacks"
    fi
    for lib in $(ldd "$program" | awk '$2 == "=>" && $3 ~ /^\// { print $3 } $1 ~ /^\// { print $1 }'); do
        if [ ! -e "$ROOT$lib" ]; then
            mkdir -p "$ROOT$(dirname "$lib")"
            cp -L "$lib" "$ROOT$lib"
        fi
    done
done

INITRD=$WORK/initrd.cpio
(cd "$ROOT" && find . | LC_ALL=C sort | cpio -o -H newc -R 0:0 --quiet) >"$INITRD"

# ---------------------------------------------------------------------------
# Boot. The guest leaves through isa-debug-exit: qemu exits 1 for a pass, 3 for
# a failure. 0 means the guest stopped without a result (a panic with -no-reboot).

# Software emulation by default: a /dev/kvm that opens is no promise that KVM
# works (nested under another hypervisor it can stop the guest midway).
ACCEL=(-accel "${VTR_KERNEL_TEST_ACCEL:-tcg}")
CONSOLE=$WORK/console.log
T_BOOT=$(now_ms)
set +e
timeout "$TIMEOUT" qemu-system-x86_64 "${ACCEL[@]}" -m 512 -nographic -no-reboot -nic none \
    -kernel "$KDIR/vmlinux" -initrd "$INITRD" \
    -append 'console=ttyS0 panic=-1 quiet' \
    -device isa-debug-exit,iobase=0xf4,iosize=0x04 \
    </dev/null >"$CONSOLE" 2>&1
QEMU_RC=$?
set -e
T_END=$(now_ms)
tr -d '\r' <"$CONSOLE" >"$CACHE/last-console.log"

case $QEMU_RC in
    1)
        if grep -q '^KERNEL HID TEST: PASS' "$CACHE/last-console.log"; then
            RESULT=pass
        else
            RESULT="fail: qemu signalled a pass but the console has no PASS line"
        fi
        ;;
    3) RESULT="fail: the test in the guest failed" ;;
    124) RESULT="fail: no result within $TIMEOUT s (qemu killed)" ;;
    *) RESULT="fail: qemu exited with $QEMU_RC without a test result (guest panic or qemu error)" ;;
esac

TIMES="kernel $((T_INITRD - T_KERNEL)) ms, initramfs $((T_BOOT - T_INITRD)) ms ($(($(stat -c %s "$INITRD") / 1024)) KiB), boot+test $((T_END - T_BOOT)) ms (${ACCEL[*]}), total $((T_END - T_START)) ms"
if [ "$RESULT" != pass ] || [ "${VTR_KERNEL_TEST_VERBOSE:-0}" = 1 ]; then
    echo "----- guest console ($CACHE/last-console.log)"
    cat "$CACHE/last-console.log"
    echo "-----"
fi
say "$TIMES"
if [ "$RESULT" != pass ]; then
    die "${RESULT#fail: }"
fi
say PASS
