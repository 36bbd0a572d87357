#!/usr/bin/env bash
# Draws the program icon (a picture in a blue tile) into assets/ombrel.ico with ImageMagick.
set -euo pipefail
here=$(cd "$(dirname "$0")" && pwd)
work=$(mktemp -d)
trap 'rm -rf "$work"' EXIT
convert -size 256x256 xc:none \
    -fill '#1f6fb2' -draw "roundrectangle 8,8 248,248 44,44" \
    -fill white -draw "roundrectangle 48,64 208,192 10,10" \
    -fill '#1f6fb2' -draw "rectangle 60,76 196,180" \
    -fill '#ffd34d' -draw "circle 160,108 160,124" \
    -fill '#8fd16a' -draw "polygon 60,180 104,118 136,160 152,142 196,180" \
    "$work/icon256.png"
for size in 48 32 16; do
    convert "$work/icon256.png" -resize ${size}x${size} "$work/icon$size.png"
done
convert -depth 8 "$work/icon256.png" "$work/icon48.png" "$work/icon32.png" "$work/icon16.png" "$here/ombrel.ico"
