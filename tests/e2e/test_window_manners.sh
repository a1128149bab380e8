#!/usr/bin/env bash
# Under a window manager: the dialogs are dialog windows that ask for no minimise and no
# maximise; a minimise request on a dialog (openbox offers one anyway) leaves neither it nor the
# tank iconified; a tank frame hidden from outside renders nothing and shows itself again when a
# dialog closes; an iconified tank renders nothing either.
source "$(dirname "$0")/lib.sh"
start_display 1680x1050x24
start_window_manager
start_app
frame=$(wait_for_window 30) || fail "no window"
sleep 2

# CPU time the program spends in 3 seconds, in clock ticks.
cpu_ticks() {
    local before after
    before=$(awk '{print $14 + $15}' "/proc/$APP_PID/stat")
    sleep 3
    after=$(awk '{print $14 + $15}' "/proc/$APP_PID/stat")
    echo $((after - before))
}
window_state() {
    xprop -id "$1" WM_STATE | sed -n 's/.*window state: //p'
}
rendering=$(cpu_ticks)

# Menu item (1 the fish dialog, 2 the music dialog) and the dialog's title.
dialogs=("1|^Fish Settings - " "2|^Custom Music - ")
for entry in "${dialogs[@]}"; do
    IFS='|' read -r item title <<<"$entry"
    # The menu opens with its first item at the pointer; each item is 140 x 48 pixels.
    xdotool mousemove 800 500 click 3
    sleep 2
    xdotool mousemove 870 $((476 + 48 * item)) click 1
    dialog=$(wait_for_shown "$title" 10) || fail "the dialog $title did not open"
    sleep 1

    xprop -id "$dialog" _NET_WM_WINDOW_TYPE | grep -q "_NET_WM_WINDOW_TYPE_DIALOG$" ||
        fail "$title is not a dialog window"
    # Motif hints: flags, functions, decorations. Functions: 1 all, 8 minimise, 16 maximise;
    # decorations: 1 all, 32 minimise, 64 maximise.
    read -r flags functions decorations _ < <(xprop -id "$dialog" _MOTIF_WM_HINTS |
        sed 's/.*= //; s/,/ /g')
    [ $((flags & 3)) -eq 3 ] || fail "$title gives no function and decoration hints"
    [ $((functions & 25)) -eq 0 ] || fail "$title asks for minimise or maximise ($functions)"
    [ $((decorations & 97)) -eq 0 ] || fail "$title asks for their buttons ($decorations)"
    xprop -id "$dialog" _NET_WM_ALLOWED_ACTIONS | grep -q MAXIMIZE &&
        fail "the window manager offers to maximise $title"

    # The request the window manager's minimise button makes.
    xdotool windowminimize "$dialog"
    sleep 2
    [ "$(window_state "$dialog")" = Normal ] || fail "$title stayed iconified"
    [ "$(window_state "$frame")" = Normal ] || fail "the tank stayed iconified with $title"

    xdotool windowunmap "$frame"
    sleep 1
    hidden=$(cpu_ticks)
    [ $((hidden * 4)) -lt "$rendering" ] ||
        fail "the hidden tank used $hidden ticks in 3 s, rendering $rendering"
    press_key "$dialog" Escape
    sleep 2
    xwininfo -id "$frame" | grep -q "IsViewable" || fail "the tank stayed hidden after $title"
    eval "$(xdotool getwindowgeometry --shell "$frame")"
    [ "$X,$Y,$WIDTH,$HEIGHT" = "0,0,1680,1050" ] ||
        fail "the tank came back at $X,$Y size ${WIDTH}x$HEIGHT"
    again=$(cpu_ticks)
    [ $((hidden * 4)) -lt "$again" ] || fail "the tank does not render again ($again ticks)"
done

xdotool windowminimize "$frame"
sleep 1
[ "$(window_state "$frame")" = Iconic ] || fail "the tank did not iconify"
iconified=$(cpu_ticks)
[ $((iconified * 4)) -lt "$rendering" ] ||
    fail "the iconified tank used $iconified ticks in 3 s, rendering $rendering"
xdotool windowactivate "$frame"
sleep 1
press_key "$frame" Escape
wait_for_exit "$APP_PID" 10 || fail "Escape did not close the program"
echo "PASS"
