#!/usr/bin/env bash
# One frame is one step of the fish, so the program keeps its own pace: an idle tank (no fish,
# no background), whose frames cost next to nothing, still steps about 64 times a second and not
# as fast as frames can be drawn. Steps are counted as buffer swaps by the swap counter library.
source "$(dirname "$0")/lib.sh"
[ -n "$SWAP_COUNTER" ] || fail "no swap counter library given"
start_display 1680x1050x24

mkdir -p "$XDG_CONFIG_HOME/glassreef"
{
    printf '[Aquarium Settings]\nBACKGROUND=1\n[Fish Number]\n'
    for kind in $(seq 0 14); do echo "Fish$kind=0"; done
} >"$XDG_CONFIG_HOME/glassreef/ReefSet.ini"

swaps_file="$SCRATCH/swaps"
export SWAP_COUNTER_FILE=$swaps_file
# A sanitizer build wants its runtime first among the loaded libraries; the counter needs none.
export ASAN_OPTIONS="${ASAN_OPTIONS:-}:verify_asan_link_order=0"
export LD_PRELOAD=$SWAP_COUNTER
start_app
unset LD_PRELOAD
wait_for_window 30 >/dev/null || fail "no window"

swaps() {
    tr -d ' \n' <"$swaps_file" 2>/dev/null || echo 0
}
for _ in $(seq 100); do
    [ "$(swaps)" -gt 0 ] && break
    sleep 0.1
done
[ "$(swaps)" -gt 0 ] || fail "no frame was presented"
sleep 1

count0=$(swaps)
time0=$(now_ms)
sleep 4
count1=$(swaps)
time1=$(now_ms)
tenths=$(((count1 - count0) * 10000 / (time1 - time0)))
rate="$((tenths / 10)).$((tenths % 10))"
echo "idle tank: $((count1 - count0)) steps in $((time1 - time0)) ms, $rate a second"
[ "$tenths" -ge 550 ] && [ "$tenths" -le 720 ] || fail "$rate steps a second, not about 64"
echo "PASS"
