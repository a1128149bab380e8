#!/usr/bin/env bash
# The desktop snapshot is written before the aquarium shows, in the bitmap layout of a
# 32-bit screen; Escape closes the program with status 0 and no unpacked file stays behind.
source "$(dirname "$0")/lib.sh"
start_display 1680x1050x24
# A desktop of one colour: a tile set as the root window's background.
convert -size 16x16 'xc:#2050a0' "$SCRATCH/desktop.png"
# display exits with status 1 even when it has set the background.
display -window root "$SCRATCH/desktop.png" || true

start_app
window=$(wait_for_window 30) || fail "no window"

snapshot="$TMPDIR/topdesk.bmp"
[ -f "$snapshot" ] || fail "no snapshot"
size=$(stat -c %s "$snapshot")
[ "$size" -eq 7056054 ] || fail "snapshot has $size bytes"
[ "$(head -c 2 "$snapshot")" = "BM" ] || fail "snapshot does not start with BM"
offset=$(od -An -t u4 -j 10 -N 4 "$snapshot" | tr -d ' ')
[ "$offset" -eq 54 ] || fail "pixel offset $offset"
bits=$(od -An -t u2 -j 28 -N 2 "$snapshot" | tr -d ' ')
[ "$bits" -eq 32 ] || fail "$bits bits per pixel"
# A pixel in the middle shows the desktop colour (blue, green, red), not the aquarium.
pixel=$(od -An -t x1 -j $((54 + (525 * 1680 + 840) * 4)) -N 3 "$snapshot" | tr -d ' ')
[ "$pixel" = "a05020" ] || fail "snapshot pixel is $pixel, not the desktop colour"

# The frame covers the whole screen, without a border.
geometry=$(xdotool getwindowgeometry "$window")
echo "$geometry" | grep -q "Position: 0,0" || fail "window not at the origin: $geometry"
echo "$geometry" | grep -Eq "Geometry: 168[0-9]x105[0-9]" || fail "window does not cover the screen: $geometry"

press_key "$window" Escape
wait_for_exit "$APP_PID" 10 || fail "Escape did not close the program"
[ "$EXIT_STATUS" -eq 0 ] || fail "exit status $EXIT_STATUS"
leftovers=$(find "$XDG_CONFIG_HOME" -name '*.ad' -o -name '*.bmp' -o -name '*.wav')
[ -z "$leftovers" ] || fail "files left behind: $leftovers"
echo "PASS"
