#!/usr/bin/env bash
# With the sibling program's lock held by another process, the program ends with status 0
# before any window exists and without taking a snapshot.
source "$(dirname "$0")/lib.sh"
start_display

# The holder locks the file, then becomes a sleep that keeps the descriptor and the lock.
(exec 9>"$XDG_RUNTIME_DIR/CoralfinScr.lock" && flock 9 && exec sleep 60) >/dev/null 2>&1 &
APP_PIDS+=("$!")
sleep 0.3

start_app
wait_for_exit "$APP_PID" 10 || fail "the program keeps running beside its sibling"
[ "$EXIT_STATUS" -eq 0 ] || fail "exit status $EXIT_STATUS"
[ "$(window_count)" -eq 0 ] || fail "a window was made"
[ ! -e "$TMPDIR/topdesk.bmp" ] || fail "a snapshot was taken"
echo "PASS"
