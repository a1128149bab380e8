#!/usr/bin/env bash
# One frame is one step of the fish, so the program keeps its own pace: an idle tank (no fish,
# no background), whose frames cost next to nothing, still steps about 64 times a second and not
# as fast as frames can be drawn. Steps are counted as buffer swaps by the swap counter library.
source "$(dirname "$0")/lib.sh"
# A small screen keeps the cost of each swap, in the program and in Xvfb, far below the period
# even on a busy machine.
start_display 800x600x24
write_idle_tank_settings
start_counted_app
sleep 1

expect_pace 5 "idle tank"
echo "PASS"
