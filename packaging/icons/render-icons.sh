#!/bin/sh
# Renders the PNG sizes of the application icon from an SVG into this folder
# (vtr6420kd-N.png). The PNGs are kept in the tree, so building and installing
# need no SVG renderer; run this again after the SVG changes.
#
#   render-icons.sh [SVG]     (default: vtr6420kd.svg beside this script)
#
# Needs rsvg-convert (Debian package librsvg2-bin).
set -eu
HERE=$(cd "$(dirname "$0")" && pwd)
SVG=${1:-$HERE/vtr6420kd.svg}
SIZES="16 22 24 32 48 64 128 256"

command -v rsvg-convert >/dev/null || {
    echo "render-icons: rsvg-convert not found (apt-get install librsvg2-bin)" >&2
    exit 1
}
for size in $SIZES; do
    rsvg-convert --width "$size" --height "$size" --keep-aspect-ratio \
        --output "$HERE/vtr6420kd-$size.png" "$SVG"
done
echo "render-icons: $SIZES from $SVG"
