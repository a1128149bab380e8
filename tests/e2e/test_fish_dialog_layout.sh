#!/usr/bin/env bash
# The Fish Settings dialog at 1x and at GDK_SCALE=2: its 334 x 345 dialog units come out as 501 x
# 561 pixels (times the scale), so the 500-pixel picture sheet spans the dialog from edge to edge,
# and the Add and Delete buttons work where the template puts them. SHOT_DIR, when set, keeps a
# screenshot of the dialog at each scale.
source "$(dirname "$0")/lib.sh"

ini="$XDG_CONFIG_HOME/glassreef/ReefSet.ini"
fish0() {
    sed -n 's/^Fish0=\([0-9]*\).*/\1/p' "$ini" | tr -d '\r'
}
wait_fish0() {
    for _ in $(seq 20); do
        [ "$(fish0)" = "$1" ] && return 0
        sleep 0.1
    done
    fail "$2: Fish0 is $(fish0), not $1"
}
pixel() {
    convert "$SCRATCH/dialog.png" -format "%[pixel:p{$1,$2}]" info:
}
# Clicks the centre of the template box (x, y, w, h) in dialog units: 1.5 x 1.625 window pixels
# a unit, times the scale.
click_box() {
    local x=$1 y=$2 w=$3 h=$4
    xdotool mousemove $((X + (x * 2 + w) * 3 * scale / 4)) $((Y + (y * 2 + h) * 13 * scale / 16))
    hand_click 1
    sleep 0.3
}

# At scale 2 the screen is just large enough for the dialog (1002 x 1122), so the tank behind it
# costs no more to draw than at 1x.
for scale in 1 2; do
    if [ "$scale" = 1 ]; then start_display 1680x1050x24; else start_display 1200x1200x24; fi
    rm -f "$ini"
    GDK_SCALE=$scale start_app
    window=$(wait_for_window 30) || fail "no window at scale $scale"
    for _ in $(seq 100); do
        [ -n "$(fish0 2>/dev/null)" ] && break
        sleep 0.1
    done
    before=$(fish0)

    open_fish_dialog
    [ "${WIDTH}x$HEIGHT" = "$((501 * scale))x$((561 * scale))" ] ||
        fail "the dialog is ${WIDTH}x$HEIGHT at scale $scale"

    import -window root -crop "${WIDTH}x$HEIGHT+$X+$Y" +repage "$SCRATCH/dialog.png"
    [ -n "${SHOT_DIR:-}" ] && cp "$SCRATCH/dialog.png" "$SHOT_DIR/fish-dialog-${scale}x.png"
    # The sheet's light ground reaches the last column but one before the dialog's own ground,
    # which shows below the sheet.
    ground=$(pixel $((WIDTH - 1)) $((300 * scale)))
    sheet=$(pixel $((WIDTH - 2 * scale - 1)) $((5 * scale)))
    [ "$sheet" != "$ground" ] || fail "an empty band right of the sheet at scale $scale"

    # Kind 0, then Add (121, 324, 27, 15) twice and Delete (150, 324, 32, 15) once.
    xdotool mousemove $((X + 50 * scale)) $((Y + 50 * scale))
    hand_click 1
    click_box 121 324 27 15
    click_box 121 324 27 15
    click_box 150 324 32 15
    wait_fish0 $((before + 1)) "Add, Add, Delete at scale $scale"

    press_key "$dialog" Escape
    press_key "$window" Escape
    wait_for_exit "$APP_PID" 10 || fail "Escape did not close the program at scale $scale"
    kill "$XVFB_PID"
    wait "$XVFB_PID" 2>/dev/null || true
    XVFB_PID=""
done
echo "PASS"
