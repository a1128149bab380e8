# Shared steps of the end-to-end tests: each test sources this file with the program's path as
# $1 (then the sound probe's, the swap counter library's and the desktop stand-in's), gets its own
# Xvfb display and its own configuration, temporary and runtime folders, and drives the real
# program with xdotool.
set -euo pipefail

PROGRAM=$1
SOUND_PROBE=${2:-}
SWAP_COUNTER=${3:-}
DESKTOP_STAND_IN=${4:-}
SCRATCH=$(mktemp -d)
export XDG_CONFIG_HOME="$SCRATCH/config" TMPDIR="$SCRATCH/tmp" XDG_RUNTIME_DIR="$SCRATCH/run"
mkdir -p "$XDG_CONFIG_HOME" "$TMPDIR" "$XDG_RUNTIME_DIR"
chmod 700 "$XDG_RUNTIME_DIR"
# The desktop's message buses are not the test's: a screen locked meanwhile would stop the frames
# the test counts. A test that needs a bus starts its own.
unset DBUS_SESSION_BUS_ADDRESS
export DBUS_SYSTEM_BUS_ADDRESS="unix:path=$SCRATCH/no-system-bus"
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

# Waits up to $2 seconds (default 5) for a shown window whose title matches $1; prints its id.
wait_for_shown() {
    wait_for_title "$1" "${2:-5}" --onlyvisible
}

# Waits up to $2 seconds (default 5) until no shown window's title matches $1.
wait_for_hidden() {
    for _ in $(seq $((${2:-5} * 10))); do
        [ -z "$(xdotool search --onlyvisible --name "$1" 2>/dev/null || true)" ] && return 0
        sleep 0.1
    done
    return 1
}

# Chooses item $1 of the menu opened at (100, 100) and waits for the dialog it shows, whose title
# matches $2. Sets $dialog and the dialog's X, Y, WIDTH and HEIGHT.
open_menu_dialog() {
    choose_menu_item 100 100 "$1"
    dialog=$(wait_for_shown "$2") || fail "the dialog $2 did not open"
    sleep 1
    eval "$(xdotool getwindowgeometry --shell "$dialog")"
}

# Clicks, as a hand does, the centre of the control at $1, $2 ($3 x $4 dialog units) of the dialog
# that open_menu_dialog opened, whose client area is $5 x $6 dialog units.
click_control() {
    xdotool mousemove $((X + ($1 + $3 / 2) * WIDTH / $5)) $((Y + ($2 + $4 / 2) * HEIGHT / $6))
    sleep 0.2
    hand_click 1
}

# Writes "song 0.wav" to "song 2.wav" into the folder $1, each $2 seconds of one of the tones
# in TONES.
TONES=(440 660 990)
write_songs() {
    mkdir -p "$1"
    for i in 0 1 2; do
        sox -n -r 22050 -c 1 -b 16 "$1/song $i.wav" synth "$2" sine "${TONES[$i]}" vol 0.5
    done
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

# Clicks mouse button $1 as a hand does: the button is held for about 150 ms (or $2 seconds).
hand_click() {
    local button=$1 hold=${2:-0.15}
    xdotool mousedown "$button"
    sleep "$hold"
    xdotool mouseup "$button"
}

# Opens the Fish Settings dialog from the menu with a hand's clicks (the menu opens with its first
# item, "  Add/Delete Fish", at the pointer) and gives it the keyboard. Sets $dialog and the
# dialog's X, Y, WIDTH and HEIGHT.
open_fish_dialog() {
    xdotool mousemove 800 500
    hand_click 3
    sleep 1
    xdotool mousemove 870 524
    hand_click 1
    dialog=$(wait_for_shown '^Fish Settings - ' 20) || fail "the Fish Settings dialog did not open"
    sleep 1
    eval "$(xdotool getwindowgeometry --shell "$dialog")"
    xdotool windowfocus --sync "$dialog" 2>/dev/null || xdotool windowfocus "$dialog"
    sleep 0.3
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

# The runs of sound heard in the recording $1, in 100 ms windows, against the tones $2...: the
# tone's index (from 0) while it holds nearly all the energy, "x" for sound that is none of the
# tones (the ambient sound) lasting two windows or more; a window where a song starts or ends,
# part tone and part silence, is neither. Each run is printed once: "0 1 2 0 ".
tone_runs() {
    local file=$1
    shift
    measure "$file" 100 "$@" | awk -v n=$# '
        $2 <= 0.01 { others = 0; next }
        {
            t = ""
            sum = 0
            for (i = 0; i < n; i++) { sum += $(3 + i); if ($(3 + i) > 0.9) t = "" i }
            if (t == "" && sum < 0.2) { if (++others < 2) next; t = "x" } else others = 0
            if (t != "" && t != last) { printf "%s ", t; last = t }
        }'
}

# Milliseconds since the epoch.
now_ms() {
    echo $(($(date +%s%N) / 1000000))
}

# Settings of an idle tank: no fish and no background, so its frames cost next to nothing and the
# pace the tests measure is the program's, not the machine's.
write_idle_tank_settings() {
    mkdir -p "$XDG_CONFIG_HOME/glassreef"
    {
        printf '[Aquarium Settings]\nBACKGROUND=1\n[Fish Number]\n'
        for kind in $(seq 0 14); do echo "Fish$kind=0"; done
    } >"$XDG_CONFIG_HOME/glassreef/ReefSet.ini"
}

# Starts the program (as start_app) with the swap counter library loaded, and waits up to 10 s for
# its first frame; swaps then tells how many frames it has presented so far.
start_counted_app() {
    [ -n "$SWAP_COUNTER" ] || fail "no swap counter library given"
    export SWAP_COUNTER_FILE="$SCRATCH/swaps"
    # A sanitizer build wants its runtime first among the loaded libraries; the counter needs none.
    export ASAN_OPTIONS="${ASAN_OPTIONS:-}:verify_asan_link_order=0"
    export LD_PRELOAD=$SWAP_COUNTER
    start_app "$@"
    unset LD_PRELOAD
    wait_for_window 30 >/dev/null || fail "no window"
    for _ in $(seq 100); do
        [ "$(swaps)" -gt 0 ] && return 0
        sleep 0.1
    done
    fail "no frame was presented"
}

swaps() {
    tr -d ' \n' 2>/dev/null <"$SWAP_COUNTER_FILE" || echo 0
}

# Measures the counted program's steps a second in up to $1 one-second windows, or until one
# reaches 55 when $3 is "early". None may pass 72 (a burst of frames); the best must reach 55, so
# that a moment when a busy machine runs the program late does not count as a slow timer. $2
# names what is measured in the messages.
expect_pace() {
    local windows=$1 what=$2 early=${3:-} count0 time0 count1 time1 tenths shown="" best=0
    count0=$(swaps)
    time0=$(now_ms)
    for _ in $(seq "$windows"); do
        sleep 1
        count1=$(swaps)
        time1=$(now_ms)
        tenths=$(((count1 - count0) * 10000 / (time1 - time0)))
        count0=$count1
        time0=$time1
        shown+=" $((tenths / 10)).$((tenths % 10))"
        [ "$tenths" -le 720 ] || fail "$what: $((tenths / 10)) steps in a second"
        [ "$tenths" -gt "$best" ] && best=$tenths
        [ "$early" = early ] && [ "$best" -ge 550 ] && break
    done
    echo "$what, steps a second in one-second windows:$shown"
    [ "$best" -ge 550 ] || fail "$what: at most $((best / 10)).$((best % 10)) steps a second"
}

# The processor time process $1 has used so far, user and system, in clock ticks.
cpu_ticks() {
    awk '{ print $14 + $15 }' "/proc/$1/stat"
}

# Opens the menu with a right press at ($1, $2), drags to item $3 (0 for the first; items are 48
# pixels high) and releases there, as a hand does: the release over an item chooses it.
choose_menu_item() {
    local x=$1 y=$2 item=$3
    xdotool mousemove "$x" "$y" mousedown 3
    sleep 0.15
    for _ in $(seq 50); do
        xwininfo -root -tree | grep -qE "140x192\+$x\+$y" && break
        sleep 0.1
    done
    xdotool mousemove $((x + 70)) $((y + item * 48 + 24))
    sleep 0.3
    xdotool mouseup 3
    # The chosen menu goes away at the next idle moment; until then it holds the pointer, and a
    # click meant for the dialog it opened would close it instead.
    for _ in $(seq 50); do
        xwininfo -root -tree | grep -qE '140x192\+' || return 0
        sleep 0.1
    done
}

# Makes a stand-in the desktop's default browser for HTML files (and xdg-open, which is tried
# after it): it writes what it is asked to open to $SCRATCH/opened. Call it before start_app.
use_fake_browser() {
    mkdir -p "$SCRATCH/bin" "$SCRATCH/data/applications"
    printf '#!/bin/sh\necho "$1" >>"%s/opened"\n' "$SCRATCH" >"$SCRATCH/bin/xdg-open"
    chmod +x "$SCRATCH/bin/xdg-open"
    printf '[Desktop Entry]\nType=Application\nName=Browser\nExec=%s %%u\nMimeType=text/html;\n' \
        "$SCRATCH/bin/xdg-open" >"$SCRATCH/data/applications/test-browser.desktop"
    printf '[Default Applications]\ntext/html=test-browser.desktop\n' \
        >"$XDG_CONFIG_HOME/mimeapps.list"
    export XDG_DATA_HOME="$SCRATCH/data" PATH="$SCRATCH/bin:$PATH"
}

# Clicks the help link of the Fish Settings dialog $1 (its text starts 9 of the dialog's 334
# dialog units from the left, 332 of 345 down) and waits for the browser; prints what it opened.
click_help_link() {
    local X Y WIDTH HEIGHT SCREEN WINDOW
    eval "$(xdotool getwindowgeometry --shell "$1")"
    xdotool mousemove $((X + WIDTH * 9 / 334 + 10)) $((Y + HEIGHT * 337 / 345)) click 1
    for _ in $(seq 100); do
        if [ -s "$SCRATCH/opened" ]; then
            cat "$SCRATCH/opened"
            return 0
        fi
        sleep 0.1
    done
    return 1
}

# Starts the program, clicks the Fish Settings dialog's help link and checks that the browser was
# asked for the page $1 (a path, or its file:// address); then Escape closes the dialog and the
# program, which ends with status 0.
expect_help_link_opens() {
    local page=$1 window dialog opened
    use_fake_browser
    start_app
    window=$(wait_for_window 30) || fail "no window"
    sleep 2
    choose_menu_item 800 500 0
    dialog=$(wait_for_shown '^Fish Settings - ' 20) || fail "the dialog did not open"
    sleep 2
    opened=$(click_help_link "$dialog") || fail "the link opened nothing"
    [ "$opened" = "$page" ] || [ "$opened" = "file://$page" ] ||
        fail "the link opened $opened, not $page"
    xdotool key Escape
    sleep 1
    press_key "$window" Escape
    wait_for_exit "$APP_PID" 10 || fail "Escape did not close the program"
    [ "$EXIT_STATUS" -eq 0 ] || fail "exit status $EXIT_STATUS"
}
