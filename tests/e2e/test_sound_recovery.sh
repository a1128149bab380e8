#!/usr/bin/env bash
# The ambient sound outlives its sound server: killed while the ambience plays and started again,
# the server hears the ambience again within seconds, from the loop's start at the same level; a
# program started before any server plays once one appears; the program never holds more than one
# stream on the server; and waiting for a server costs no CPU.
source "$(dirname "$0")/lib.sh"
start_display 1280x1024x24
settings_dir="$XDG_CONFIG_HOME/glassreef"
mkdir -p "$settings_dir"
printf '[Aquarium Settings]\nYINLIANG=32767\n' >"$settings_dir/ReefSet.ini"

# Starts the test's server and keeps its pid in SERVER_PID, and the time it answered in SERVER_MS.
start_server() {
    start_sound_server
    SERVER_PID=${SOUND_PIDS[-1]}
    SERVER_MS=$(now_ms)
}

# Records $2 ms into $SCRATCH/$1.raw; the time the recording began goes to RECORD_MS.
record() {
    start_recording "$SCRATCH/$1.raw"
    RECORD_MS=$(now_ms)
    sleep "$(awk -v ms="$2" 'BEGIN { print ms / 1000 }')"
    stop_recording
}

# The first window of 20 ms with sound, in ms from the start of recording $1.
onset_ms() {
    measure "$1" 20 | awk '!found && $2 > 0.001 { print $1; found = 1 }'
}

# RMS over 3 s from $2 ms on.
level() {
    measure "$1" 20 | awk -v from="$2" \
        '$1 >= from && $1 < from + 3000 { e += $2 * $2; n++ } END { printf "%.6f", sqrt(e / n) }'
}

# Checks $1 times, a second apart, that the program has exactly one stream on the server.
expect_one_stream() {
    local count
    for _ in $(seq "$1"); do
        count=$(pactl list sink-inputs | grep -c "application.process.id = \"$APP_PID\"" || true)
        [ "$count" = 1 ] || fail "the program has $count streams on the server"
        sleep 1
    done
}

# Records 14 s into $SCRATCH/$1.raw from the server's start; the time from the server's start to
# the first sound, in ms, goes to HEARD_MS.
heard_after_return() {
    record "$1" 14000
    local onset
    onset=$(onset_ms "$SCRATCH/$1.raw")
    [ -n "$onset" ] || fail "$1: no ambience within 14 s of the server's return"
    HEARD_MS=$((RECORD_MS + onset - SERVER_MS))
}

stop_app() {
    kill "$APP_PID"
    wait_for_exit "$APP_PID" 10 || fail "the program did not end"
}

# The program's CPU time, user and system, in clock ticks; or of its thread named $1.
cpu_ticks() {
    if [ -n "${1:-}" ]; then
        for task in /proc/"$APP_PID"/task/*; do
            if [ "$(cat "$task/comm" 2>/dev/null)" = "$1" ]; then
                awk '{ print $14 + $15 }' "$task/stat"
            fi
        done | awk '{ t += $1 } END { print t + 0 }'
    else
        awk '{ print $14 + $15 }' "/proc/$APP_PID/stat"
    fi
}

# 1. Kill the server while the ambience plays, then start it again.
start_server
start_app
wait_for_window 30 >/dev/null || fail "no window"
record before 5000
onset_before=$(onset_ms "$SCRATCH/before.raw")
[ -n "$onset_before" ] || fail "no ambience at the start"
expect_one_stream 2
kill -9 "$SERVER_PID"
wait "$SERVER_PID" 2>/dev/null || true
sleep 3
kill -0 "$APP_PID" || fail "the program ended with its server"
start_server
heard_after_return restarted
after_restart=$HEARD_MS
echo "ambience heard ${after_restart} ms after the server's return"
[ "$after_restart" -lt 12000 ] || fail "the ambience came back ${after_restart} ms after the server"
onset_after=$(onset_ms "$SCRATCH/restarted.raw")
level_before=$(level "$SCRATCH/before.raw" "$onset_before")
level_after=$(level "$SCRATCH/restarted.raw" "$onset_after")
ratio=$(awk -v a="$level_after" -v b="$level_before" 'BEGIN { printf "%.3f", a / b }')
echo "first 3 s of the loop: RMS $level_before at the start, $level_after after the return ($ratio)"
# The same three seconds from the loop's start at the same level.
awk -v r="$ratio" 'BEGIN { exit !(r > 0.9 && r < 1.1) }' ||
    fail "the ambience came back at $ratio of its level, or not from the loop's start"
expect_one_stream 4
stop_app

# 2. No server when the program starts: it waits in silence, for no CPU, and plays once one is
# there. Against a run whose sound is off (own music on, with no songs).
kill "$SERVER_PID"
wait "$SERVER_PID" 2>/dev/null || true
measure_cpu() {
    start_app
    wait_for_window 30 >/dev/null || fail "no window"
    sleep 3
    local whole thread
    whole=$(cpu_ticks)
    thread=$(cpu_ticks ambience)
    sleep 10
    CPU_WHOLE=$(($(cpu_ticks) - whole))
    CPU_THREAD=$(($(cpu_ticks ambience) - thread))
}
printf '[Aquarium Settings]\nYINLIANG=32767\n[Custom Settings]\nOwnMusic=1\nMusicSum=0\n' \
    >"$settings_dir/ReefSet.ini"
measure_cpu
silent_cpu=$CPU_WHOLE
stop_app
printf '[Aquarium Settings]\nYINLIANG=32767\n' >"$settings_dir/ReefSet.ini"
measure_cpu
threads=$(cat /proc/"$APP_PID"/task/*/comm | grep -cx ambience || true)
[ "$threads" = 1 ] || fail "$threads threads wait for the server, not one"
hz=$(getconf CLK_TCK)
echo "CPU over 10 s without a server: ${CPU_WHOLE} ticks, the ambience's thread ${CPU_THREAD}; with the sound off: ${silent_cpu} (${hz} a second)"
# The drawing takes nearly all of it and varies from run to run on a shared machine; waiting
# for a server must add no more than that variation, and the thread that waits must be idle.
[ "$CPU_THREAD" -le $((hz / 20)) ] || fail "the ambience's thread used $CPU_THREAD ticks while waiting"
[ "$CPU_WHOLE" -le $((silent_cpu * 3 / 2 + hz)) ] ||
    fail "waiting for a server took $CPU_WHOLE ticks against $silent_cpu with the sound off"
start_server
heard_after_return appeared
after_start=$HEARD_MS
echo "ambience heard ${after_start} ms after a server appeared"
[ "$after_start" -lt 12000 ] || fail "the ambience started ${after_start} ms after the server"
expect_one_stream 3
stop_app
echo "PASS"
