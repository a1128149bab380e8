# Shared steps of the end-to-end tests: each test sources this file with the program's path as
# $1, gets its own Xvfb display and its own configuration, temporary and runtime folders, and
# drives the real program with xdotool.
set -euo pipefail

PROGRAM=$1
SCRATCH=$(mktemp -d)
export XDG_CONFIG_HOME="$SCRATCH/config" TMPDIR="$SCRATCH/tmp" XDG_RUNTIME_DIR="$SCRATCH/run"
mkdir -p "$XDG_CONFIG_HOME" "$TMPDIR" "$XDG_RUNTIME_DIR"
chmod 700 "$XDG_RUNTIME_DIR"
XVFB_PID=""
APP_PIDS=()

cleanup() {
    for pid in "${APP_PIDS[@]}"; do kill -9 "$pid" 2>/dev/null || true; done
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

# Starts the program in the background; its pid is in APP_PID, its output in $SCRATCH/app.log.
start_app() {
    "$PROGRAM" "$@" >>"$SCRATCH/app.log" 2>&1 &
    APP_PID=$!
    APP_PIDS+=("$APP_PID")
}

# Waits up to $1 seconds for the program's window; prints its id.
wait_for_window() {
    local seconds=${1:-20}
    local id
    for _ in $(seq $((seconds * 10))); do
        id=$(xdotool search --name '^GlassReefScr$' 2>/dev/null | head -n1 || true)
        if [ -n "$id" ]; then
            echo "$id"
            return 0
        fi
        sleep 0.1
    done
    return 1
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
