# Shared steps of the end-to-end tests: each test sources this file with the program's path as
# $1, gets its own Xvfb display and its own configuration, temporary and runtime folders, and
# drives the real program with xdotool.
set -euo pipefail

PROGRAM=$1
SOUND_PROBE=${2:-}
SCRATCH=$(mktemp -d)
export XDG_CONFIG_HOME="$SCRATCH/config" TMPDIR="$SCRATCH/tmp" XDG_RUNTIME_DIR="$SCRATCH/run"
mkdir -p "$XDG_CONFIG_HOME" "$TMPDIR" "$XDG_RUNTIME_DIR"
chmod 700 "$XDG_RUNTIME_DIR"
XVFB_PID=""
APP_PIDS=()
SOUND_PIDS=()

cleanup() {
    for pid in "${APP_PIDS[@]}"; do kill -9 "$pid" 2>/dev/null || true; done
    for pid in "${SOUND_PIDS[@]}"; do kill "$pid" 2>/dev/null || true; done
    [ -n "$XVFB_PID" ] && kill "$XVFB_PID" 2>/dev/null || true
    [ -n "${KEEP_SCRATCH:-}" ] && cat "$SCRATCH/app.log" >&2
    rm -rf "$SCRATCH"
}
trap cleanup EXIT

fail() {
    echo "FAIL: $*" >&2
    exit 1
}

# Starts Xvfb with the screen WxHxD (default 1680x1050x24) and exports DISPLAY.
start_display() {
    local screen=${1:-1680x1050x24}
    exec 5<> <(:)
    Xvfb -displayfd 5 -screen 0 "$screen" -nolisten tcp -noreset >"$SCRATCH/xvfb.log" 2>&1 &
    XVFB_PID=$!
    local number=""
    read -r -t 10 number <&5 || fail "Xvfb did not start"
    export DISPLAY=":$number"
}

# Starts the openbox window manager on the display and waits until it manages windows.
start_window_manager() {
    openbox --sm-disable >"$SCRATCH/openbox.log" 2>&1 &
    APP_PIDS+=($!)
    for _ in $(seq 100); do
        xprop -root _NET_SUPPORTING_WM_CHECK 2>/dev/null | grep -q "window id" && return 0
        sleep 0.1
    done
    fail "the window manager did not start"
}

# Starts the program in the background; its pid is in APP_PID, its output in $SCRATCH/app.log.
start_app() {
    "$PROGRAM" "$@" >>"$SCRATCH/app.log" 2>&1 &
    APP_PID=$!
    APP_PIDS+=("$APP_PID")
}

# Waits up to $2 seconds for a window whose title matches the pattern $1, with any further
# options of `xdotool search`; prints its id.
wait_for_title() {
    local pattern=$1 seconds=$2 id
    shift 2
    for _ in $(seq $((seconds * 10))); do
        id=$(xdotool search "$@" --name "$pattern" 2>/dev/null | head -n1 || true)
        if [ -n "$id" ]; then
            echo "$id"
            return 0
        fi
        sleep 0.1
    done
    return 1
}

# Waits up to $1 seconds for the program's window; prints its id.
wait_for_window() {
    wait_for_title '^GlassReefScr$' "${1:-20}"
}

# Waits up to 10 seconds for a shown dialog whose title matches the pattern $1; prints its id.
wait_for_dialog() {
    wait_for_title "$1" 10 --onlyvisible
}

# Waits up to $2 seconds for process $1 to end; its exit status goes to EXIT_STATUS.
wait_for_exit() {
    local pid=$1 seconds=${2:-10}
    for _ in $(seq $((seconds * 10))); do
        if ! kill -0 "$pid" 2>/dev/null; then
            EXIT_STATUS=0
            wait "$pid" || EXIT_STATUS=$?
            return 0
        fi
        sleep 0.1
    done
    return 1
}

window_count() {
    xdotool search --name '^GlassReefScr$' 2>/dev/null | wc -l
}

# Presses a key in the program's window the way a user does: focus it, then type through XTEST
# (GTK ignores key events sent to a window directly).
press_key() {
    local window=$1 key=$2
    xdotool windowfocus --sync "$window" 2>/dev/null || xdotool windowfocus "$window"
    sleep 0.2
    xdotool key "$key"
}

# Starts a PulseAudio server of the test's own in its runtime folder, with one null sink "reef"
# whose monitor the test records. The program finds it through $XDG_RUNTIME_DIR.
start_sound_server() {
    pulseaudio --daemonize=no --exit-idle-time=-1 -n --load="module-null-sink sink_name=reef" \
        --load=module-native-protocol-unix >"$SCRATCH/pulse.log" 2>&1 &
    SOUND_PIDS+=($!)
    for _ in $(seq 100); do
        pactl info >/dev/null 2>&1 && return 0
        sleep 0.1
    done
    fail "the sound server did not start"
}

# Records what the sink plays, mono 22050 Hz 16-bit, into $1 until stop_recording. A null sink
# left to itself mixes in blocks of up to two seconds, so a stream that starts mid-block waits for
# the next one; the recorder asks for a sound card's latency instead.
start_recording() {
    parec -d reef.monitor --raw --format=s16le --rate=22050 --channels=1 --latency-msec=20 >"$1" &
    RECORDER_PID=$!
    SOUND_PIDS+=("$RECORDER_PID")
    # Recording has begun once the first samples are in.
    for _ in $(seq 50); do
        [ -s "$1" ] && return 0
        sleep 0.1
    done
    fail "the recorder did not start"
}

stop_recording() {
    kill "$RECORDER_PID" 2>/dev/null || true
    wait "$RECORDER_PID" 2>/dev/null || true
}

# Measures a recording in windows of $2 ms: "start-ms rms share-f1 share-f2 ..." per line.
measure() {
    local file=$1 window=$2
    shift 2
    "$SOUND_PROBE" "$file" 22050 "$window" "$@"
}

# Milliseconds since the epoch.
now_ms() {
    echo $(($(date +%s%N) / 1000000))
}
