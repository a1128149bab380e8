#!/usr/bin/env bash
# The menu's "Add/Delete Fish" opens the Fish Settings dialog over the running tank. With kind 0
# selected on its picture, the buttons' first letters act in either case (Shift or not) but not
# with Ctrl, and reach the settings file within two seconds (the dialog saves every half
# second). Enter presses the focused button and leaves the dialog open; with the focus on the
# link, where no button has it, Enter closes the dialog like OK. Escape closes it too, and the
# tank runs on.
source "$(dirname "$0")/lib.sh"
start_display 1680x1050x24

start_app
window=$(wait_for_window 30) || fail "no window"
ini="$XDG_CONFIG_HOME/glassreef/ReefSet.ini"

count_of() {
    sed -n "s/^Fish$1=\([0-9]*\).*/\1/p" "$ini" | tr -d '\r'
}
total() {
    local sum=0
    for kind in $(seq 0 14); do sum=$((sum + $(count_of "$kind"))); done
    echo "$sum"
}
# Waits up to two seconds for the command $2... to print $1.
wait_for() {
    local expected=$1
    shift
    for _ in $(seq 20); do
        [ "$("$@")" = "$expected" ] && return 0
        sleep 0.1
    done
    return 1
}
dialog_window() {
    xdotool search --onlyvisible --name '^Fish Settings - ' 2>/dev/null | head -n1 || true
}
wait_closed() {
    for _ in $(seq 50); do
        [ -z "$(dialog_window)" ] && return 0
        sleep 0.1
    done
    fail "$1 did not close the dialog"
}

for _ in $(seq 100); do
    [ -n "$(count_of 0 2>/dev/null)" ] && break
    sleep 0.1
done
before=$(count_of 0)
[ -n "$before" ] || fail "no Fish0 in the settings file after start-up"

open_fish_dialog
# Kind 0's cell sits at the top-left of the dialog's client area.
xdotool mousemove $((X + 50)) $((Y + 50))
hand_click 1
sleep 0.3
xdotool key a a a A shift+a D ctrl+a ctrl+d alt+c
[ -n "${SHOT:-}" ] && import -window root "$SHOT"
wait_for $((before + 4)) count_of 0 || fail "after a a a A shift+a D: Fish0 is $(count_of 0), not $((before + 4))"

# The Add button, centred on its template box (121, 324, 27, 15) of the 334 x 345 dialog units.
xdotool mousemove $((X + WIDTH * 1345 / 3340)) $((Y + HEIGHT * 3315 / 3450))
hand_click 1
sleep 0.3
xdotool key Return
sleep 0.3
[ -n "$(dialog_window)" ] || fail "Enter on the focused Add button closed the dialog"
xdotool key space
wait_for $((before + 7)) count_of 0 || fail "click, Enter and Space on Add: Fish0 is $(count_of 0), not $((before + 7))"

xdotool key shift+c
wait_for 0 total || fail "shift+c left $(total) fish"
xdotool key R
for _ in $(seq 20); do [ "$(total)" != 0 ] && break; sleep 0.1; done
[ "$(total)" != 0 ] || fail "R (Random) left the tank empty"
randomised=$(total)

# Tab moves the focus from Add through Delete, Random and Clear to the link.
xdotool key Tab Tab Tab Tab
sleep 0.2
xdotool key Return
wait_closed "Enter on the link"
kill -0 "$APP_PID" || fail "the program ended with the dialog"
[ "$(total)" = "$randomised" ] || fail "closing changed the counts to a total of $(total)"

open_fish_dialog
xdotool key Escape
wait_closed "Escape"
kill -0 "$APP_PID" || fail "the program ended with the dialog"

press_key "$window" Escape
wait_for_exit "$APP_PID" 10 || fail "Escape did not close the program"
echo "PASS"
