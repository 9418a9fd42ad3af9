#!/usr/bin/env bash
# Draws the program's icon, platform/win32/fonttasks.ico: the banner's emblem, a blue
# square (the banner's blue) with a white 字, at 16, 24, 32, 48 and 256 pixels. The .ico
# is committed, so only a change of the picture needs this script (ImageMagick and
# fonts-wqy-microhei, both in scripts/install-deps.sh).
set -euo pipefail
root=$(cd "$(dirname "$0")/.." && pwd)
"$root/scripts/install-deps.sh"

font=/usr/share/fonts/truetype/wqy/wqy-microhei.ttc
blue='rgb(30,80,200)'
work=$(mktemp -d)
trap 'rm -rf "$work"' EXIT

# One frame: the glyph drawn at its own size (not scaled down from a large one), as a
# white-on-black mask thickened by the dilation kernel, cut to its ink and laid centred
# on the square. The small sizes are drawn without anti-aliasing so every stroke is
# whole pixels; their point sizes are picked so the ink has the square's parity and
# sits exactly in the middle.
frame() {
    local size=$1 points=$2 antialias=$3 kernel=$4
    convert -background black -fill white "$antialias" -font "$font" -pointsize "$points" \
        label:字 ${kernel:+-morphology Dilate "$kernel"} -trim +repage "$work/glyph$size.png"
    convert -size "${size}x${size}" "xc:$blue" \
        \( "$work/glyph$size.png" -background white -alpha shape \) \
        -gravity center -composite -strip "PNG32:$work/frame$size.png"
}

frame 16 14 +antialias ''
frame 24 17 +antialias Rectangle:2x1
frame 32 21 +antialias Rectangle:2x2
frame 48 35 +antialias Rectangle:2x2
frame 256 190 -antialias Disk:2.5

convert "$work"/frame{16,24,32,48,256}.png -strip -define png:format=png32 "$root/platform/win32/fonttasks.ico"
echo "$root/platform/win32/fonttasks.ico"
