#!/usr/bin/env bash
# With no browser to start, a click on the Fish Settings dialog's link shows one message box,
# the program's own "Unable to open hyperlink" box, and no error box of the toolkit's.
source "$(dirname "$0")/lib.sh"
start_display 1680x1050x24
# Nothing to open a web address with: no programs and no desktop handlers.
mkdir -p "$SCRATCH/empty"
PATH="$SCRATCH/empty" XDG_DATA_DIRS="$SCRATCH/empty" XDG_DATA_HOME="$SCRATCH/empty" BROWSER="" \
    start_app
window=$(wait_for_window 30) || fail "no window"

boxes() {
    xdotool search --all --onlyvisible --pid "$APP_PID" --name "$1" 2>/dev/null | wc -l
}

# The menu opens with its first item, "Add/Delete Fish", at the pointer.
xdotool mousemove 800 500 click 3
sleep 2
xdotool mousemove 870 524 click 1
dialog=$(wait_for_shown '^Fish Settings - ' 10) || fail "the dialog did not open"
sleep 1
[ "$(boxes "^GlassReefScr")" -eq 1 ] || fail "a box is open before the click"

# The link is the first line of text at the dialog's bottom left.
eval "$(xdotool getwindowgeometry --shell "$dialog")"
xdotool mousemove $((X + 30)) $((Y + HEIGHT - 14)) click 1
for _ in $(seq 50); do
    [ "$(boxes '^GlassReefScr$')" -ge 2 ] && break
    sleep 0.1
done
sleep 2  # the toolkit shows its logged errors when it is next idle
[ "$(boxes '^GlassReefScr$')" -eq 2 ] || fail "no message box for the failed link"
[ "$(boxes '^GlassReefScr')" -eq 2 ] || fail "more than one message box for the failed link"
echo "PASS"
