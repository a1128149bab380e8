#!/usr/bin/env bash
# While nobody can see the tank the program draws nothing and costs next to no processor time:
# the desktop's screen saver active (announced on the session bus), the session locked (the
# login manager's hint on the system bus), the X server's screen saver on, the tank covered whole
# by another window. When that ends the fish go on at their pace within a second, without a
# burst of the frames they missed. Each bus is a private one with a stand-in service on it.
source "$(dirname "$0")/lib.sh"
[ -n "$DESKTOP_STAND_IN" ] || fail "no desktop stand-in given"
start_display 800x600x24
write_idle_tank_settings
# The toolkit's accessibility bridge would start its own services on the session bus.
export NO_AT_BRIDGE=1

# Starts a bus daemon listening on the socket $1; its pid goes to BUS.
start_bus() {
    dbus-daemon --session --nofork --nopidfile --address="unix:path=$1" \
        >>"$SCRATCH/bus.log" 2>&1 &
    BUS=$!
    APP_PIDS+=("$BUS")
    for _ in $(seq 100); do
        [ -S "$1" ] && return 0
        sleep 0.1
    done
    fail "the bus daemon did not start"
}

# Starts the stand-in $1 (with options $2...) in the background and waits until it serves; its pid
# goes to STAND_IN.
start_stand_in() {
    "$DESKTOP_STAND_IN" "$@" >"$SCRATCH/$1.out" 2>&1 &
    STAND_IN=$!
    APP_PIDS+=("$STAND_IN")
    for _ in $(seq 100); do
        grep -q ready "$SCRATCH/$1.out" && return 0
        sleep 0.1
    done
    fail "the $1 stand-in did not start: $(cat "$SCRATCH/$1.out")"
}

# The session bus where the desktop's is found, in the runtime folder; the system bus where the
# environment says it is.
start_bus "$XDG_RUNTIME_DIR/bus"
SESSION_BUS=$BUS
export DBUS_SYSTEM_BUS_ADDRESS="unix:path=$SCRATCH/system_bus"
start_bus "$SCRATCH/system_bus"
start_stand_in screensaver
SCREEN_SAVER=$STAND_IN
start_stand_in logind

set_screen_saver() {
    gdbus call --session --dest org.freedesktop.ScreenSaver --object-path /org/freedesktop/ScreenSaver \
        --method org.freedesktop.ScreenSaver.SetActive "$1" >/dev/null
}

set_locked() {
    gdbus call --system --dest org.freedesktop.login1 \
        --object-path /org/freedesktop/login1/session/c1 \
        --method org.freedesktop.login1.Session.SetLockedHint "$1" >/dev/null
}

start_counted_app
sleep 1
expect_pace 3 "shown" early

# Half a second for the program to hear of the change, then $2 seconds without a frame and with
# less than 2 % of a core.
expect_no_frames() {
    local what=$1 seconds=$2 count0 ticks0 time0 frames ticks elapsed per_mille
    sleep 0.5
    count0=$(swaps)
    ticks0=$(cpu_ticks "$APP_PID")
    time0=$(now_ms)
    sleep "$seconds"
    frames=$(($(swaps) - count0))
    ticks=$(($(cpu_ticks "$APP_PID") - ticks0))
    elapsed=$(($(now_ms) - time0))
    per_mille=$((ticks * 1000 * 1000 / $(getconf CLK_TCK) / elapsed))
    echo "$what: $frames frames and $((per_mille / 10)).$((per_mille % 10)) % of a core in $seconds s"
    [ "$frames" -eq 0 ] || fail "$what: $frames frames in $seconds s"
    [ "$per_mille" -lt 20 ] || fail "$what: $((per_mille / 10)).$((per_mille % 10)) % of a core"
}

# After the change that ends it, the frames come back within a second, then at their pace.
expect_frames_back() {
    local what=$1 count0 time0 waited
    count0=$(swaps)
    time0=$(now_ms)
    while [ "$(swaps)" -eq "$count0" ]; do
        waited=$(($(now_ms) - time0))
        [ "$waited" -lt 1000 ] || fail "$what: no frame a second after it ended"
        sleep 0.02
    done
    echo "$what ended: first frame after $(($(now_ms) - time0)) ms"
    expect_pace 3 "$what ended" early
}

set_screen_saver true
expect_no_frames "the desktop's screen saver active" 10
set_screen_saver false
expect_frames_back "the desktop's screen saver"

xset s activate
expect_no_frames "the X screen saver on" 10
xset s reset
expect_frames_back "the X screen saver"

start_stand_in cover
COVER=$STAND_IN
expect_no_frames "covered by a full-screen window" 10
kill "$COVER"
expect_frames_back "the cover"

# The session locked; then two reasons at once: unlocked while the screen saver still runs, the
# tank stays unseen.
set_locked true
expect_no_frames "the session locked" 2
set_screen_saver true
set_locked false
expect_no_frames "unlocked, the screen saver still active" 2
set_screen_saver false
expect_frames_back "the lock and the screen saver"

# A screen saver that leaves the bus while it is active no longer hides the tank.
set_screen_saver true
expect_no_frames "the desktop's screen saver active again" 2
kill "$SCREEN_SAVER"
expect_frames_back "the screen saver's service"

# One that comes to the bus already active is asked, and hides it.
start_stand_in screensaver active
expect_no_frames "a screen saver active when it came" 2
set_screen_saver false
expect_frames_back "the screen saver that came active"

# Nor does a session bus that goes away end the program.
kill "$SESSION_BUS"
sleep 0.5
kill -0 "$APP_PID" 2>/dev/null || fail "the program ended with the session bus"
expect_pace 3 "without a session bus" early
echo "PASS"
