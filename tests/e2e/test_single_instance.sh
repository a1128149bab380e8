#!/usr/bin/env bash
# A second copy ends at once with status 0 and no window while the first runs; after the first
# ends, the program starts again, whatever arguments it is given.
source "$(dirname "$0")/lib.sh"
start_display

start_app
first=$APP_PID
wait_for_window 30 >/dev/null || fail "no window"

start_app
second=$APP_PID
wait_for_exit "$second" 10 || fail "the second copy keeps running"
[ "$EXIT_STATUS" -eq 0 ] || fail "second copy exit status $EXIT_STATUS"
[ "$(window_count)" -eq 1 ] || fail "$(window_count) windows"
kill -0 "$first" || fail "the first copy ended"

kill "$first"
wait_for_exit "$first" 10 || fail "the first copy did not end"
start_app --help --display=:99 -x junk
window=$(wait_for_window 30) || fail "no window on a new start"
press_key "$window" Escape
wait_for_exit "$APP_PID" 10 || fail "Escape did not close the program"
echo "PASS"
