#!/usr/bin/env bash
# A capture of the screen cut short by a kill leaves its partial picture under a temporary name
# beside the snapshot. The next start removes such leftovers, and only those: a capture another
# process is still writing (its file locked) and files of other names stay.
source "$(dirname "$0")/lib.sh"
start_display 1280x800x24

# Two leftovers of killed captures, 5 MB each, readable by the user alone as the real ones are.
for name in topdesk.bmp.a1B2c3 topdesk.bmp.XyZ789; do
    head -c $((5 << 20)) /dev/urandom >"$TMPDIR/$name"
    chmod 600 "$TMPDIR/$name"
done
echo live >"$TMPDIR/topdesk.bmp.Live42"
# A process that holds the file locked, as a capture under way does (the lock lives as long as
# the process that has become `sleep`).
(
    exec 7<"$TMPDIR/topdesk.bmp.Live42"
    flock -x 7
    exec sleep 60
) &
APP_PIDS+=($!)
echo mine >"$TMPDIR/topdesk.bmp.old"
echo mine >"$TMPDIR/other.bmp.a1B2c3"
sleep 0.5

start_app
window=$(wait_for_window 30) || fail "no window"
for name in topdesk.bmp.a1B2c3 topdesk.bmp.XyZ789; do
    [ ! -e "$TMPDIR/$name" ] || fail "the leftover $name is still there"
done
for name in topdesk.bmp.Live42 topdesk.bmp.old other.bmp.a1B2c3; do
    [ -e "$TMPDIR/$name" ] || fail "$name, which is not a leftover, was removed"
done
[ -s "$TMPDIR/topdesk.bmp" ] || fail "no snapshot"
press_key "$window" Escape
wait_for_exit "$APP_PID" 10 || fail "Escape did not close the program"
[ "$EXIT_STATUS" = 0 ] || fail "exit status $EXIT_STATUS"
echo "PASS"
