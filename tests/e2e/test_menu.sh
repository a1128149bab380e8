#!/usr/bin/env bash
# A right click opens the four-item menu at the pointer (flipped to stay on screen near the
# edges); a click outside closes it and the tank goes on; "  Exit" ends the program with
# status 0 and writes no settings.
source "$(dirname "$0")/lib.sh"
start_display 1680x1050x24

# The menu's own window: override-redirect, 140 x 192 (four items of 48).
menu_geometry() {
    xwininfo -root -tree | grep -oE '140x192\+[0-9]+\+[0-9]+' | head -n1 || true
}
menu_mapped() {
    local id
    id=$(xwininfo -root -tree | grep -E '140x192\+' | awk '{print $1}' | head -n1)
    [ -n "$id" ] && xwininfo -id "$id" | grep -q IsViewable
}
wait_menu() {
    for _ in $(seq 50); do menu_mapped && return 0; sleep 0.1; done
    return 1
}
wait_menu_closed() {
    for _ in $(seq 50); do menu_mapped || return 0; sleep 0.1; done
    return 1
}

start_app
window=$(wait_for_window 30) || fail "no window"
sleep 1

xdotool mousemove 600 400 click 3
wait_menu || fail "no menu after a right click"
[ "$(menu_geometry)" = "140x192+600+400" ] || fail "menu at $(menu_geometry), not at the pointer"
import -window root "$SCRATCH/menu.png"

# A click outside closes it without a command.
xdotool mousemove 200 200 click 1
wait_menu_closed || fail "the menu stays open after a click outside"
kill -0 "$APP_PID" || fail "the program ended"

# Near the bottom-right corner the menu opens up and to the left of the pointer.
xdotool mousemove 1600 1000 click 3
wait_menu || fail "no menu near the corner"
[ "$(menu_geometry)" = "140x192+1460+808" ] || fail "corner menu at $(menu_geometry)"
xdotool mousemove 1000 500 click 1
wait_menu_closed || fail "the corner menu stays open"

settings="$XDG_CONFIG_HOME/glassreef/ReefSet.ini"
[ -f "$settings" ] || fail "no settings file after start-up"
before=$(stat -c '%Y %s' "$settings"; md5sum <"$settings")

# "  Exit" is the fourth item: 3 x 48 + 24 below the top of a menu opened at y = 400.
xdotool mousemove 600 400 click 3
wait_menu || fail "no menu for Exit"
xdotool mousemove 660 568
sleep 0.3
xdotool click 1
wait_for_exit "$APP_PID" 10 || fail "Exit did not end the program"
[ "$EXIT_STATUS" -eq 0 ] || fail "exit status $EXIT_STATUS"
after=$(stat -c '%Y %s' "$settings"; md5sum <"$settings")
[ "$before" = "$after" ] || fail "Exit changed the settings file"
echo "PASS"
