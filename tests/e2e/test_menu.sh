#!/usr/bin/env bash
# A right click, held as long as a hand holds it, opens the four-item menu at the pointer
# (flipped to stay on screen near the edges) and chooses nothing by its release; a click outside
# or Escape closes it and the tank goes on; a drag from the opening press onto an item chooses
# that item; "  Exit" ends the program with status 0, saving what the media dialogs hold and
# nothing else. A menu exists only
# while it is open: no window of it is left behind once it has closed.
source "$(dirname "$0")/lib.sh"
start_display 1680x1050x24

# The menu's own window: override-redirect, 140 x 192 (four items of 48).
# A window destroyed while xwininfo walks the tree fails the walk: walk again.
menu_windows() {
    local tree
    for _ in 1 2 3; do
        tree=$(xwininfo -root -tree 2>/dev/null) && break
    done
    grep -E ' 140x192\+' <<<"$tree" || true
}
menu_geometry() {
    menu_windows | grep -oE '140x192\+[0-9]+\+[0-9]+' | head -n1
}
menu_mapped() {
    local id
    id=$(menu_windows | awk '{print $1}' | head -n1)
    [ -n "$id" ] && xwininfo -id "$id" 2>/dev/null | grep -q IsViewable
}
wait_menu() {
    for _ in $(seq 50); do menu_mapped && return 0; sleep 0.1; done
    return 1
}
# Waits until no window of any menu is left, mapped or not.
wait_menu_gone() {
    for _ in $(seq 50); do [ -z "$(menu_windows)" ] && return 0; sleep 0.1; done
    fail "$1: $(menu_windows | wc -l) menu window(s) left: $(menu_windows)"
}
visible_window() {
    xdotool search --onlyvisible --name "$1" 2>/dev/null | head -n1 || true
}

start_app
window=$(wait_for_window 30) || fail "no window"
sleep 1

# The release of the opening click is not a choice, whatever a hand's hold time; the menu stays
# open and the first item ("  Add/Delete Fish", under the pointer) is not chosen.
for hold in 0.1 0.15 0.3; do
    xdotool mousemove 600 400
    hand_click 3 "$hold"
    wait_menu || fail "no menu after a right click held ${hold}s"
    [ "$(menu_geometry)" = "140x192+600+400" ] || fail "menu at $(menu_geometry), not at the pointer"
    sleep 1
    menu_mapped || fail "the release of a right click held ${hold}s closed the menu"
    [ -z "$(visible_window '^Fish Settings - ')" ] ||
        fail "the release of a right click held ${hold}s chose Add/Delete Fish"
    [ "$hold" = 0.15 ] && import -window root "$SCRATCH/menu.png"
    # A click outside closes it without a command.
    xdotool mousemove 200 200
    hand_click 1
    wait_menu_gone "a click outside"
done
kill -0 "$APP_PID" || fail "the program ended"

# Near the bottom-right corner the menu opens up and to the left of the pointer; Escape closes it.
xdotool mousemove 1600 1000
hand_click 3
wait_menu || fail "no menu near the corner"
[ "$(menu_geometry)" = "140x192+1460+808" ] || fail "corner menu at $(menu_geometry)"
xdotool key Escape
wait_menu_gone "Escape"

# A drag from the opening press onto "  Custom Music" (the second item, 48 + 24 below the top of
# the menu) chooses it on the release.
xdotool mousemove 600 400 mousedown 3
wait_menu || fail "no menu for the drag"
xdotool mousemove 630 430
sleep 0.1
xdotool mousemove 660 472
sleep 0.2
xdotool mouseup 3
music=$(wait_for_shown '^Custom Music - ') || fail "a drag onto Custom Music did not show its dialog"
wait_menu_gone "a chosen item"
press_key "$music" Escape
for _ in $(seq 50); do [ -z "$(visible_window '^Custom Music - ')" ] && break; sleep 0.1; done

settings="$XDG_CONFIG_HOME/glassreef/ReefSet.ini"
[ -f "$settings" ] || fail "no settings file after start-up"
# Closing the dialog saved its section, one key after the other, the count last; a slow build
# may still be writing it when the dialog has gone.
for _ in $(seq 50); do grep -q '^MusicSum=' "$settings" && break; sleep 0.1; done
grep -q '^MusicSum=' "$settings" || fail "closing the music dialog saved nothing"
before=$(cat "$settings")

# "  Exit" is the fourth item: 3 x 48 + 24 below the top of a menu opened at y = 400; a press
# and release there chooses it.
xdotool mousemove 600 400
hand_click 3
wait_menu || fail "no menu for Exit"
xdotool mousemove 660 568
sleep 0.3
hand_click 1
wait_for_exit "$APP_PID" 10 || fail "Exit did not end the program"
[ "$EXIT_STATUS" -eq 0 ] || fail "exit status $EXIT_STATUS"
# Every line of the file is still there as it was; the background dialog, never closed, has
# saved its section.
changed=$(grep -vxFf "$settings" <<<"$before" || true)
[ -z "$changed" ] || fail "Exit changed the settings file: $changed"
grep -q '^ImageSum=0' "$settings" || fail "Exit did not save the background dialog"
echo "PASS"
