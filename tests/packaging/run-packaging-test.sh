#!/bin/bash
# The Debian package as a user gets it: CPack builds it from this build's
# binaries, dpkg-deb unpacks it into a scratch root (no root needed), and the
# unpacked files are checked where they will lie: the control data, the file
# list and modes, the desktop entry and AppStream metadata (validated), the
# udev rule, the manual pages, the bash completion, and the installed
# vtr6420kdctl itself.
#
#   run-packaging-test.sh BUILD_DIR SCRATCH_DIR VERSION gui|nogui
#
# SCRATCH_DIR is emptied first, removed when the test passes, and kept for a
# look when it fails. Exit status: 0 pass, 1 fail, 2 usage.
set -eu
set -o pipefail
# So no grep in a pipe uses -q: leaving early, it fails the pipeline whenever
# the writer has more to write.

say() { echo "packaging test: $*"; }
failures=0
fail() {
    echo "packaging test: FAIL: $*" >&2
    failures=$((failures + 1))
}
die() {
    echo "packaging test: FAIL: $*" >&2
    echo "packaging test: the scratch folder $SCRATCH is kept" >&2
    exit 1
}

if [ $# -ne 4 ] || { [ "$4" != gui ] && [ "$4" != nogui ]; }; then
    echo "usage: $0 BUILD_DIR SCRATCH_DIR VERSION gui|nogui" >&2
    exit 2
fi
BUILD=$1
SCRATCH=$2
VERSION=$3
GUI=$4

for tool in cpack dpkg-deb dpkg-shlibdeps desktop-file-validate appstreamcli groff man readelf; do
    command -v "$tool" >/dev/null ||
        die "$tool not found; scripts/install-deps installs what the packaging test needs"
done
COMPLETION_LIB=/usr/share/bash-completion/bash_completion
[ -f "$COMPLETION_LIB" ] || die "$COMPLETION_LIB not found (package bash-completion)"
[ -f "$BUILD/CPackConfig.cmake" ] || die "$BUILD/CPackConfig.cmake missing: not a configured build"

rm -rf "$SCRATCH"
mkdir -p "$SCRATCH"
SCRATCH=$(cd "$SCRATCH" && pwd)
ROOT=$SCRATCH/root
export HOME=$SCRATCH/home XDG_STATE_HOME=$SCRATCH/state XDG_CONFIG_HOME=$SCRATCH/config
mkdir -p "$HOME"

# ---------------------------------------------------------------------------
# Build and unpack.
cpack --config "$BUILD/CPackConfig.cmake" -G DEB -B "$SCRATCH/out" >"$SCRATCH/cpack.log" 2>&1 ||
    die "cpack failed:$(echo; cat "$SCRATCH/cpack.log")"
ARCH=$(dpkg --print-architecture)
DEB=$SCRATCH/out/vtr6420kd_${VERSION}_${ARCH}.deb
[ -f "$DEB" ] || die "no $DEB; cpack made: $(cd "$SCRATCH/out" && ls ./*.deb 2>/dev/null)"
dpkg-deb -x "$DEB" "$ROOT"
dpkg-deb -e "$DEB" "$SCRATCH/control"
say "built and unpacked $(basename "$DEB") ($(stat -c %s "$DEB") bytes)"

# ---------------------------------------------------------------------------
# Control data: names, version, and the dependencies dpkg-shlibdeps found.
field() { dpkg-deb -f "$DEB" "$1"; }
[ "$(field Package)" = vtr6420kd ] || fail "Package is '$(field Package)'"
[ "$(field Version)" = "$VERSION" ] || fail "Version is '$(field Version)', not $VERSION"
[ "$(field Architecture)" = "$ARCH" ] || fail "Architecture is '$(field Architecture)'"
[ -n "$(field Maintainer)" ] || fail "no Maintainer"
DEPENDS=$(field Depends)
depends_on=$(echo "$DEPENDS" | tr ',|' '\n' | sed 's/^ *//; s/[ (].*//')
needed="libc6 libstdc++6 libhidapi-hidraw0"
[ "$GUI" = gui ] && needed="$needed libqt6widgets6 qt6-qpa-plugins"
for package in $needed; do
    echo "$depends_on" | grep -xF "$package" >/dev/null || fail "Depends lacks $package: $DEPENDS"
done
for script in postinst postrm; do
    if [ ! -x "$SCRATCH/control/$script" ]; then
        fail "control script $script missing or not executable"
    elif ! sh -n "$SCRATCH/control/$script"; then
        fail "control script $script is not valid sh"
    fi
done

# ---------------------------------------------------------------------------
# Files: each in a place it belongs, owned by root, with the right mode; no
# path from the build machine (such as /usr/local) leaks in.
ID=org.vtr6420kd.Editor
required="usr/bin/vtr6420kdctl usr/lib/udev/rules.d/70-vtr6420kd.rules
    usr/share/man/man1/vtr6420kdctl.1.gz usr/share/bash-completion/completions/vtr6420kdctl"
if [ "$GUI" = gui ]; then
    required="$required usr/bin/vtr6420kd usr/share/man/man1/vtr6420kd.1.gz
        usr/share/applications/$ID.desktop usr/share/metainfo/$ID.metainfo.xml
        usr/share/icons/hicolor/scalable/apps/vtr6420kd.svg"
    for size in 16 32 48 128 256; do
        required="$required usr/share/icons/hicolor/${size}x${size}/apps/vtr6420kd.png"
    done
fi
for file in $required; do
    [ -f "$ROOT/$file" ] || fail "/$file is not in the package"
done

while read -r mode owner _ _ _ path; do
    path=${path#./}
    case $mode in d*) continue ;; esac
    [ "$owner" = root/root ] || fail "/$path is owned by $owner"
    case $path in
        usr/bin/vtr6420kd | usr/bin/vtr6420kdctl) want=-rwxr-xr-x ;;
        usr/lib/udev/rules.d/[0-9][0-9]-*.rules | usr/share/man/man1/*.1.gz | \
            usr/share/bash-completion/completions/* | usr/share/applications/*.desktop | \
            usr/share/metainfo/*.metainfo.xml | usr/share/icons/hicolor/*/apps/vtr6420kd.*)
            want=-rw-r--r--
            ;;
        *)
            fail "/$path does not belong in the package"
            continue
            ;;
    esac
    [ "$mode" = "$want" ] || fail "/$path has mode $mode, not $want"
done < <(dpkg-deb -c "$DEB")

# Each PNG is as large as the folder it lies in says.
for png in "$ROOT"/usr/share/icons/hicolor/*x*/apps/*.png; do
    [ -e "$png" ] || continue
    folder=$(basename "$(dirname "$(dirname "$png")")")
    # Width and height: big-endian words at bytes 16 and 20 of the IHDR chunk.
    size=$(od -An -tu1 -j16 -N8 "$png" |
        awk '{ printf "%dx%d", $1*16777216+$2*65536+$3*256+$4, $5*16777216+$6*65536+$7*256+$8 }')
    [ "$size" = "$folder" ] || fail "${png#"$ROOT"} is $size"
done

# ---------------------------------------------------------------------------
# The installed programs: no run path into the build tree, every library found.
for program in "$ROOT"/usr/bin/*; do
    if readelf -d "$program" | grep -E 'R(UN)?PATH' >/dev/null; then
        fail "${program#"$ROOT"} carries a run path:$(readelf -d "$program" | grep -E 'R(UN)?PATH')"
    fi
    if ldd "$program" | grep 'not found' >/dev/null; then
        fail "${program#"$ROOT"} misses libraries: $(ldd "$program" | grep 'not found')"
    fi
done

CTL=$ROOT/usr/bin/vtr6420kdctl
HELP=$("$CTL" --help) || fail "vtr6420kdctl --help exited with $?"
[[ $HELP == "Usage: vtr6420kdctl "* ]] || fail "vtr6420kdctl --help printed: $HELP"
# The commands and options as the tool itself lists them.
COMMANDS=$(echo "$HELP" | sed -n '/^Commands:/,/^$/p' | sed -n 's/^  \([a-z][a-z-]*\).*/\1/p')
OPTIONS=$(echo "$HELP" | sed -n '/^Options:/,/^$/p' | grep -oE '(^|[ ,])--?[a-z][a-z-]*' |
    tr -d ' ,')
if [ -z "$COMMANDS" ] || [ -z "$OPTIONS" ]; then
    fail "no commands or options found in --help"
fi

SIM=$SCRATCH/m.bin
SHOW=$("$CTL" --simulate="$SIM" show) || fail "the installed vtr6420kdctl --simulate show failed"
[[ $SHOW == *"Buttons"*"CPI levels"*"Fire key"* ]] || fail "installed show printed: $SHOW"
PROFILE=$SCRATCH/profile.bin
"$CTL" --simulate="$SIM" read "$PROFILE" >/dev/null || fail "the installed vtr6420kdctl read failed"
say "installed vtr6420kdctl runs (--help, show, read)"
if [ "$GUI" = gui ]; then
    # The editor starts far enough to read its options: Qt and its plugins load.
    mkdir -m 700 "$SCRATCH/runtime"
    gui_help=$(QT_QPA_PLATFORM=offscreen XDG_RUNTIME_DIR=$SCRATCH/runtime \
        "$ROOT/usr/bin/vtr6420kd" --help 2>&1) ||
        fail "the installed vtr6420kd --help failed: $gui_help"
    [[ $gui_help == *--simulate* ]] || fail "vtr6420kd --help printed: $gui_help"
fi

# ---------------------------------------------------------------------------
# udev rule: the mouse's ids as sysfs spells them (lower case), access for the
# user at the seat through uaccess, and a number that sorts before
# 73-seat-late.rules, which turns the uaccess tag into an ACL.
RULE=$ROOT/usr/lib/udev/rules.d/70-vtr6420kd.rules
if [ -f "$RULE" ]; then
    active=$(grep -vE '^[[:space:]]*(#|$)' "$RULE" || true)
    matching=$(echo "$active" | grep -F 'SUBSYSTEM=="hidraw"' | grep -F 'ATTRS{idVendor}=="1bcf"' |
        grep -F 'ATTRS{idProduct}=="08a0"' | grep -F 'TAG+="uaccess"' || true)
    [ -n "$matching" ] || fail "no hidraw rule for 1bcf:08a0 with uaccess in:$(echo; cat "$RULE")"
    if echo "$active" | grep -E 'MODE[[:space:]]*:?=[[:space:]]*"0?[0-7][0-7][2367]"' >/dev/null; then
        fail "the rule makes the device writable for every user"
    fi
    number=$(basename "$RULE" | cut -c1-2)
    [ "$number" -lt 73 ] || fail "$(basename "$RULE") sorts after 73-seat-late.rules"
    # Newer udev can check the syntax itself.
    if udevadm verify --help >/dev/null 2>&1; then
        udevadm verify --no-summary "$RULE" || fail "udevadm verify refuses the rule"
    fi
fi

# ---------------------------------------------------------------------------
# Manual pages: they render without a warning, carry the package's version,
# and name every command, option and exit status the tool has.
check_page() { # page.gz
    local page=$1 text warnings
    warnings=$(zcat "$page" | groff -man -ww -z -Tutf8 2>&1) || true
    [ -z "$warnings" ] || fail "$(basename "$page") warns:$(echo; echo "$warnings")"
    text=$(zcat "$page")
    [[ $text == *'.TH '*"\"vtr6420kd $VERSION\""* ]] ||
        fail "$(basename "$page") is not marked as version $VERSION"
    MANWIDTH=80 man -l "$page" >/dev/null 2>&1 || fail "man cannot show $(basename "$page")"
}
CTL_PAGE=$ROOT/usr/share/man/man1/vtr6420kdctl.1.gz
if [ -f "$CTL_PAGE" ]; then
    check_page "$CTL_PAGE"
    SOURCE=$(zcat "$CTL_PAGE")
    COMMAND_SECTION=$(echo "$SOURCE" | sed -n '/^\.SH COMMANDS/,/^\.SH /p')
    for command in $COMMANDS; do
        echo "$COMMAND_SECTION" | grep -E "^\.(B|BI|BR) \"?$command( |\"|$)" >/dev/null ||
            fail "the manual page does not describe the command $command"
    done
    OPTION_SECTION=$(echo "$SOURCE" | sed -n '/^\.SH OPTIONS/,/^\.SH /p' | sed 's/\\-/-/g')
    for option in $OPTIONS; do
        echo "$OPTION_SECTION" | grep -E "^\.[A-Z]+ .*$option([^a-z-]|$)" >/dev/null ||
            fail "the manual page does not describe the option $option"
    done
    STATUS_SECTION=$(echo "$SOURCE" | sed -n '/^\.SH EXIT STATUS/,/^\.SH /p')
    for status in 0 1 2; do
        echo "$STATUS_SECTION" | grep -x "\.B $status" >/dev/null ||
            fail "the manual page does not describe exit status $status"
    done
    [[ $SOURCE == *'.SH EXAMPLES'* ]] || fail "the manual page has no examples"
fi
GUI_PAGE=$ROOT/usr/share/man/man1/vtr6420kd.1.gz
if [ "$GUI" = gui ] && [ -f "$GUI_PAGE" ]; then
    check_page "$GUI_PAGE"
    GUI_SOURCE=$(zcat "$GUI_PAGE" | sed 's/\\-/-/g')
    for option in --simulate --simulate-type; do
        echo "$GUI_SOURCE" | grep -E "^\.[A-Z]+ $option" >/dev/null ||
            fail "vtr6420kd.1 does not describe $option"
    done
fi

# ---------------------------------------------------------------------------
# Desktop entry and AppStream metadata: valid, and pointing at what is installed.
if [ "$GUI" = gui ]; then
    DESKTOP=$ROOT/usr/share/applications/$ID.desktop
    METAINFO=$ROOT/usr/share/metainfo/$ID.metainfo.xml
    if [ -f "$DESKTOP" ]; then
        desktop-file-validate "$DESKTOP" || fail "desktop-file-validate refuses $ID.desktop"
        exec_line=$(sed -n 's/^Exec=//p' "$DESKTOP")
        [ -x "$ROOT/usr/bin/${exec_line%% *}" ] ||
            fail "Exec=$exec_line is not an installed program"
        icon=$(sed -n 's/^Icon=//p' "$DESKTOP")
        for file in scalable/apps/$icon.svg 256x256/apps/$icon.png 48x48/apps/$icon.png; do
            [ -f "$ROOT/usr/share/icons/hicolor/$file" ] || fail "Icon=$icon: no $file"
        done
    fi
    if [ -f "$METAINFO" ]; then
        appstreamcli validate --no-net "$METAINFO" >"$SCRATCH/appstream.log" 2>&1 ||
            fail "appstreamcli refuses $ID.metainfo.xml:$(echo; cat "$SCRATCH/appstream.log")"
        grep -q "<id>$ID</id>" "$METAINFO" || fail "the metainfo's id is not $ID"
        grep -q "<launchable type=\"desktop-id\">$ID.desktop</launchable>" "$METAINFO" ||
            fail "the metainfo does not launch $ID.desktop"
        newest=$(grep -m1 -o '<release version="[^"]*"' "$METAINFO" | cut -d'"' -f2)
        [ "$newest" = "$VERSION" ] ||
            fail "the metainfo's newest release is '$newest', the package's version $VERSION"
        while read -r binary; do
            [ -x "$ROOT/usr/bin/$binary" ] || fail "the metainfo provides $binary, not installed"
        done < <(sed -n 's:.*<binary>\(.*\)</binary>.*:\1:p' "$METAINFO")
    fi
    say "desktop entry and metainfo validated"
fi

# ---------------------------------------------------------------------------
# Bash completion, as bash-completion loads it. complete LINE prints the
# candidates for the last word of LINE; bash breaks words at '=' the way it
# does at a prompt.
COMPLETION=$ROOT/usr/share/bash-completion/completions/vtr6420kdctl
complete_line() {
    # shellcheck disable=SC2016
    bash --norc --noprofile -c '
        source "$1" >/dev/null 2>&1
        source "$2"
        spec=$(complete -p vtr6420kdctl) || exit 3
        fn=${spec#*-F }
        fn=${fn%% *}
        line=$3
        words=()
        read -ra raw <<<"$line"
        [[ $line == *" " || -z $line ]] && raw+=("")
        for w in "${raw[@]}"; do
            if [[ $w == *=* ]]; then
                words+=("${w%%=*}" "=")
                [[ -n ${w#*=} ]] && words+=("${w#*=}")
            else
                words+=("$w")
            fi
        done
        [[ ${words[-1]} == "=" ]] && words+=("")
        COMP_WORDS=("${words[@]}")
        COMP_CWORD=$((${#COMP_WORDS[@]} - 1))
        COMP_LINE=$line
        COMP_POINT=${#line}
        cd "$4"
        "$fn" vtr6420kdctl "${COMP_WORDS[COMP_CWORD]}" "${COMP_WORDS[COMP_CWORD - 1]}"
        printf "%s\n" "${COMPREPLY[@]}" | sort -u
    ' _ "$COMPLETION_LIB" "$COMPLETION" "vtr6420kdctl $1" "$SCRATCH"
}
sorted() { tr ' ' '\n' | sed '/^$/d' | sort -u; }
oneline() { tr '\n' ' ' | sed 's/ $//'; }
expect_completion() { # LINE EXPECTED...
    local line=$1 got want
    shift
    got=$(complete_line "$line" | sorted) || { fail "completing '$line' failed"; return; }
    want=$(echo "$*" | sorted)
    [ "$got" = "$want" ] ||
        fail "completing 'vtr6420kdctl $line' gave [$(oneline <<<"$got")]," \
            "not [$(oneline <<<"$want")]"
}
if [ -f "$COMPLETION" ]; then
    commands=$(oneline <<<"$COMMANDS")
    touch "$SCRATCH/backup.bin" "$SCRATCH/notes.txt"
    expect_completion "" "$commands"
    expect_completion "help " "$commands"
    expect_completion "--lang=2 st" status
    expect_completion "--trace s" show set save status
    expect_completion "--lang=" 1 2 3
    expect_completion "--simulate-type=" 2 10
    expect_completion "set " button cpi lighting fire
    expect_completion "set --file=x.bin button " 1 2 3 4 5 6 7 8 9
    expect_completion "set button 4 vol" volume-up volume-down
    expect_completion "set lighting --effect=" on off
    expect_completion "pointer " show set
    expect_completion "write b" backup.bin
    expect_completion "show --file=no" ""

    # What the completion offers is what the tool takes: the function names
    # and the options of every topic, as the tool lists them when refusing.
    accepted() { # ARGS...: the list after "accepted:" or "Functions:" in the refusal
        { "$CTL" --simulate="$SIM" "$@" 2>&1 >/dev/null || true; } |
            sed -n -e 's/.*(accepted: \(.*\)).*/\1/p' -e 's/^Functions: \(.*\);$/\1/p' |
            tr -d ','
    }
    check_offers() { # LINE -- TOOL ARGS...
        local line=$1 got want
        shift 2
        got=$(complete_line "$line" | sed 's/=$//' | sorted)
        want=$(accepted "$@" | sorted)
        [ -n "$want" ] || { fail "the tool lists nothing for: $*"; return; }
        [ "$got" = "$want" ] ||
            fail "'$line' offers [$(oneline <<<"$got")], the tool takes [$(oneline <<<"$want")]"
    }
    check_offers "set button 4 " -- --file="$PROFILE" set button 4 no-such-function
    check_offers "set cpi --" -- --file="$PROFILE" set cpi --no-such-option=1
    check_offers "set lighting --" -- --file="$PROFILE" set lighting --no-such-option=1
    check_offers "set fire --" -- --file="$PROFILE" set fire --no-such-option=1
    check_offers "pointer set --" -- pointer set --no-such-option=1
    say "bash completion checked"
fi

if [ "$failures" -ne 0 ]; then
    echo "packaging test: $failures checks failed; the scratch folder $SCRATCH is kept" >&2
    exit 1
fi
rm -rf "$SCRATCH"
say "pass"
