#!/usr/bin/env bash
# Draws the program's icons with ImageMagick (vector primitives only, no fonts) into
# assets/icons/. Run it by hand after changing a drawing; the PNG files are committed.
set -euo pipefail
out="$(cd "$(dirname "$0")/.." && pwd)/assets/icons"
# No time stamps in the PNG files, so that drawing them again changes nothing.
convert() { command convert -define png:exclude-chunks=date,time "$@"; }
mkdir -p "$out"

# Add/Delete Fish: a fish with a green plus.
convert -size 24x24 xc:none -fill '#f08a24' -stroke '#7a3d08' -strokewidth 1 \
    -draw "ellipse 10,14 7,5 0,360" -draw "polygon 16,14 21,9 21,19" \
    -fill white -stroke none -draw "circle 6,13 7,13" -fill black -draw "point 6,13" \
    -fill '#2f9e44' -draw "rectangle 17,1 19,9" -draw "rectangle 14,4 22,6" "$out/add_fish.png"

# Custom Music: a pair of quavers.
convert -size 24x24 xc:none -fill '#3b5bdb' -stroke '#1c2f7a' -strokewidth 1 \
    -draw "ellipse 7,18 3,2.5 0,360" -draw "ellipse 17,16 3,2.5 0,360" \
    -stroke none -draw "rectangle 9,5 10,18" -draw "rectangle 19,3 20,16" \
    -draw "polygon 9,5 20,3 20,7 9,9" "$out/music.png"

# Custom Background: a framed picture of hills under a sun.
convert -size 24x24 xc:none -fill '#e7f5ff' -stroke '#495057' -strokewidth 1 \
    -draw "rectangle 2,4 21,19" -stroke none -fill '#fab005' -draw "circle 16,8 18,8" \
    -fill '#37b24d' -draw "polygon 3,19 9,10 14,19" -fill '#2b8a3e' -draw "polygon 9,19 15,13 21,19" \
    "$out/background.png"

# Exit: a door with an arrow leaving it.
convert -size 24x24 xc:none -fill '#adb5bd' -stroke '#495057' -strokewidth 1 \
    -draw "rectangle 3,2 13,21" -fill '#868e96' -draw "polygon 3,2 9,4 9,23 3,21" \
    -stroke none -fill '#e03131' -draw "rectangle 12,11 18,13" -draw "polygon 17,7 23,12 17,17" \
    "$out/exit.png"

# The program's icon: a fish in a round tank of water, drawn on a 48 x 48 grid and scaled to
# SIZE pixels (lines and all), so every size is drawn sharp rather than resampled.
app_icon() {
    local size=$1 file=$2 s
    s=$(awk -v n="$size" 'BEGIN { printf "%.6f", n / 48 }')
    local at="affine $s,0,0,$s,0,0"
    convert -size "${size}x${size}" xc:none -fill '#1971c2' -stroke '#0b3d70' -strokewidth 2 \
        -draw "$at circle 24,24 24,3" -stroke '#7a3d08' -strokewidth 1 -fill '#f08a24' \
        -draw "$at ellipse 21,25 11,7 0,360" -draw "$at polygon 30,25 39,17 39,33" \
        -fill white -stroke none -draw "$at circle 15,23 17,23" \
        -fill black -draw "$at circle 15,23 16,23" \
        -fill '#a5d8ff' -draw "$at circle 31,12 33,12" -draw "$at circle 36,7 37,7" "$file"
}
# The one packed into the program, and the sizes installed into the desktop's icon theme (the
# 48-pixel one is the packed file itself).
app_icon 48 "$out/glassreef.png"
for size in 16 22 24 32 64 128 256; do
    mkdir -p "$out/hicolor/${size}x${size}"
    app_icon "$size" "$out/hicolor/${size}x${size}/glassreef.png"
done

# The check-box looks, drawn on a 16 x 16 grid and scaled to 64 pixels (lines and all). The
# check box brings them down to the pixels of its box at the screen's scale (14 at scale 1 and
# 28 at scale 2 in the dialogs), so they stay sharp where a 16-pixel picture would be cut or
# enlarged.
check_icon() {
    local on=$1 file=$2 s=4
    local at="affine $s,0,0,$s,0,0"
    if [ "$on" = 1 ]; then
        # On: a green button with a white tick.
        convert -size 64x64 xc:none -fill '#2f9e44' -stroke '#1b5e20' -strokewidth 1 \
            -draw "$at circle 8,8 8,1" -fill none -stroke white -strokewidth 2 \
            -draw "$at polyline 4.5,8.5 7,11 11.5,5.5" -depth 8 "$file"
    else
        # Off: a grey button with a sunken dark centre.
        convert -size 64x64 xc:none -fill '#ced4da' -stroke '#495057' -strokewidth 1 \
            -draw "$at circle 8,8 8,1" -fill '#495057' -stroke none -draw "$at circle 8,8 8,5" \
            -depth 8 "$file"
    fi
}
check_icon 1 "$out/check_on.png"
check_icon 0 "$out/check_off.png"
