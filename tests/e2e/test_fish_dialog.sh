#!/usr/bin/env bash
# The menu's "Add/Delete Fish" opens the Fish Settings dialog over the running tank; with kind 0
# selected on its picture, three presses of "a" reach the settings file within two seconds (the
# dialog saves every half second), and Escape closes the dialog while the tank runs on.
source "$(dirname "$0")/lib.sh"
start_display 1680x1050x24

start_app
window=$(wait_for_window 30) || fail "no window"
ini="$XDG_CONFIG_HOME/glassreef/ReefSet.ini"

fish0() {
    sed -n 's/^Fish0=\([0-9]*\).*/\1/p' "$ini" | tr -d '\r'
}

for _ in $(seq 100); do
    [ -n "$(fish0 2>/dev/null)" ] && break
    sleep 0.1
done
before=$(fish0)
[ -n "$before" ] || fail "no Fish0 in the settings file after start-up"

# The menu opens with its first item at the pointer; each item is 140 x 48 pixels.
xdotool mousemove 800 500 click 3
sleep 2
xdotool mousemove 870 524 click 1

dialog=""
for _ in $(seq 200); do
    dialog=$(xdotool search --name '^Fish Settings - ' 2>/dev/null | head -n1 || true)
    [ -n "$dialog" ] && break
    sleep 0.1
done
[ -n "$dialog" ] || fail "the dialog did not open"
sleep 2

# Kind 0's cell sits at the top-left of the dialog's client area.
eval "$(xdotool getwindowgeometry --shell "$dialog")"
xdotool mousemove $((X + 50)) $((Y + 50)) click 1
sleep 1
xdotool windowfocus --sync "$dialog" 2>/dev/null || xdotool windowfocus "$dialog"
sleep 0.5
xdotool key a
xdotool key a
xdotool key a
[ -n "${SHOT:-}" ] && import -window root "$SHOT"

expected=$((before + 3))
for _ in $(seq 20); do
    [ "$(fish0)" = "$expected" ] && break
    sleep 0.1
done
[ "$(fish0)" = "$expected" ] || fail "Fish0 is $(fish0), not $expected"

xdotool key Escape
for _ in $(seq 50); do
    [ -z "$(xdotool search --name '^Fish Settings - ' 2>/dev/null || true)" ] && break
    sleep 0.1
done
[ -z "$(xdotool search --name '^Fish Settings - ' 2>/dev/null || true)" ] ||
    fail "Escape did not close the dialog"
kill -0 "$APP_PID" || fail "the program ended with the dialog"
[ "$(fish0)" = "$expected" ] || fail "closing changed Fish0 to $(fish0)"

press_key "$window" Escape
wait_for_exit "$APP_PID" 10 || fail "Escape did not close the program"
echo "PASS"
