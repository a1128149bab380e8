# Shared steps of the tests on a Wayland desktop. A test sources this file twice: as root (or the
# calling user) it prepares a folder for the desktop's session and runs itself again inside a
# D-Bus session of its own as an unprivileged user (the compositors refuse to run as root), with
# REEF_WAYLAND_INNER=1; there it starts the desktop and the program and checks them.
set -euo pipefail

if [ "${REEF_WAYLAND_INNER:-}" != 1 ]; then
    source "$(dirname "${BASH_SOURCE[0]}")/lib.sh"

    skip() {
        echo "SKIP: $*"
        exit 77
    }

    # Skips the test unless every command named is installed (a path for those outside PATH).
    need() {
        local tool
        for tool in "$@"; do
            if [[ $tool == /* ]]; then
                [ -x "$tool" ] || skip "$tool is not installed"
            else
                command -v "$tool" >/dev/null || skip "$tool is not installed"
            fi
        done
    }

    # Prepares $SESSION (the program, this test, this file and a background picture of four
    # quadrants: red, green / blue, yellow) and sets AS_USER to the command that becomes the
    # unprivileged user. As root that user is "nobody"; the folder is theirs, so the build may
    # live where they cannot read.
    prepare_session() {
        need dbus-run-session dbus-update-activation-environment xdotool convert setsid
        AS_USER=()
        if [ "$(id -u)" -eq 0 ]; then
            id nobody >/dev/null 2>&1 || skip "there is no user nobody to run the desktop as"
            need setpriv
            AS_USER=(setpriv --reuid=nobody --regid="$(id -g nobody)" --clear-groups)
        fi
        # Under /tmp, which every user can pass through, whatever folder the test was given.
        SESSION=$(mktemp -d /tmp/glassreef-wayland-XXXXXX)
        trap 'cleanup; rm -rf "$SESSION"' EXIT
        mkdir -p "$SESSION/run" "$SESSION/home" "$SESSION/tmp" "$SESSION/config"
        cp "$PROGRAM" "$SESSION/glassreef"
        cp "$0" "$SESSION/test.sh"
        cp "${BASH_SOURCE[0]}" "$SESSION/wayland_lib.sh"
        convert -size 960x540 'xc:#c03020' 'xc:#20a040' +append "$SESSION/top.png"
        convert -size 960x540 'xc:#2040c0' 'xc:#e0c020' +append "$SESSION/bottom.png"
        convert "$SESSION/top.png" "$SESSION/bottom.png" -append "$SESSION/background.png"
        chmod -R a+rX "$SESSION"
        if [ ${#AS_USER[@]} -gt 0 ]; then
            chown -R nobody "$SESSION"
        fi
        chmod 700 "$SESSION/run"
    }

    # Runs this test again inside a D-Bus session of its own as the unprivileged user, with the
    # environment variables given, for at most $1 seconds; ends this test with its result.
    run_session() {
        local seconds=$1 status=0
        shift
        setsid "${AS_USER[@]}" env -i PATH="$PATH" HOME="$SESSION/home" REEF_WAYLAND_INNER=1 \
            SESSION="$SESSION" XDG_RUNTIME_DIR="$SESSION/run" TMPDIR="$SESSION/tmp" \
            XDG_CONFIG_HOME="$SESSION/config" XDG_SESSION_TYPE=wayland \
            ASAN_OPTIONS="${ASAN_OPTIONS:-}" UBSAN_OPTIONS="${UBSAN_OPTIONS:-}" "$@" \
            timeout "$seconds" dbus-run-session -- "$SESSION/test.sh" >"$SCRATCH/session.log" 2>&1 &
        local leader=$!
        wait "$leader" || status=$?
        # Whatever the session left running ends with it.
        kill -9 -- "-$leader" 2>/dev/null || true
        grep -Ev '^(dbus-daemon|SpiRegistry)|^$' "$SCRATCH/session.log" || true
        [ "$status" -eq 77 ] && exit 77
        [ "$status" -eq 0 ] || fail "the Wayland session ended with status $status"
        echo "PASS"
        exit 0
    }
    return 0
fi

# From here on: inside the D-Bus session, as the unprivileged user.
cd "$SESSION"
INNER_PIDS=()
trap 'for p in "${INNER_PIDS[@]}"; do kill "$p" 2>/dev/null || true; done' EXIT

fail() {
    echo "FAIL: $*" >&2
    exit 1
}

now_ms() {
    echo $(($(date +%s%N) / 1000000))
}

# Lets the bus start the portals with the desktop's environment, and starts the portal, as a
# desktop does at the start of its session.
start_portal() {
    dbus-update-activation-environment WAYLAND_DISPLAY DISPLAY XAUTHORITY XDG_CURRENT_DESKTOP \
        XDG_SESSION_TYPE
    gdbus call --session --timeout 60 --dest org.freedesktop.portal.Desktop \
        --object-path /org/freedesktop/portal/desktop --method org.freedesktop.DBus.Peer.Ping \
        >/dev/null || fail "xdg-desktop-portal did not start"
}

# The colour at (x, y) of a 32-bit bottom-up bitmap of width w and height h, as rrggbb.
bitmap_pixel() {
    local file=$1 w=$2 h=$3 x=$4 y=$5
    od -An -t x1 -j $((54 + ((h - 1 - y) * w + x) * 4)) -N 3 "$file" | awk '{print $3 $2 $1}'
}

QUADRANT_COLOURS=(c03020 20a040 2040c0 e0c020)

# Checks that the snapshot tmp/topdesk.bmp is private, $1 x $2 pixels, and shows the
# background's colour in the middle of each quadrant.
check_snapshot() {
    local width=$1 height=$2 snapshot=tmp/topdesk.bmp size i=0 got x y
    [ -f "$snapshot" ] || fail "no snapshot ($3)"
    size=$(stat -c %s "$snapshot")
    [ "$size" -eq $((54 + 4 * width * height)) ] ||
        fail "the snapshot has $size bytes, not those of a ${width}x$height screen ($3)"
    [ "$(stat -c %a "$snapshot")" = 600 ] || fail "the snapshot is not private ($3)"
    for y in 1 3; do
        for x in 1 3; do
            got=$(bitmap_pixel "$snapshot" "$width" "$height" $((x * width / 4)) $((y * height / 4)))
            [ "$got" = "${QUADRANT_COLOURS[$i]}" ] ||
                fail "snapshot quadrant $i is $got, not ${QUADRANT_COLOURS[$i]} ($3)"
            i=$((i + 1))
        done
    done
}

# Starts the program (with the environment assignments given) and waits up to $1 seconds for
# its window. Sets APP, WINDOW and STARTED_MS, the time from start to window; output in app.log.
start_program() {
    local seconds=$1 start
    shift
    rm -f tmp/topdesk.bmp
    start=$(now_ms)
    env "$@" ./glassreef >app.log 2>&1 &
    APP=$!
    INNER_PIDS+=("$APP")
    WINDOW=""
    for _ in $(seq $((seconds * 20))); do
        kill -0 "$APP" 2>/dev/null || break
        WINDOW=$(xdotool search --name '^GlassReefScr$' 2>/dev/null | head -n1 || true)
        [ -n "$WINDOW" ] && break
        sleep 0.05
    done
    STARTED_MS=$(($(now_ms) - start))
    [ -n "$WINDOW" ] || { cat app.log; fail "no window"; }
}

# Presses Escape in the program's window and checks that it ends with status 0. A compositor may
# not yet have given the new window the keyboard, so the window is activated and the key pressed
# again, up to three times.
quit_program() {
    local status=0 attempt
    for attempt in 1 2 3; do
        sleep 1
        xdotool windowactivate --sync "$WINDOW" 2>/dev/null || true
        xdotool windowfocus "$WINDOW" 2>/dev/null || true
        sleep 0.2
        xdotool key Escape
        for _ in $(seq 30); do
            kill -0 "$APP" 2>/dev/null || break 2
            sleep 0.1
        done
    done
    kill -0 "$APP" 2>/dev/null &&
        fail "Escape did not close the program ($1; focus on $(xdotool getwindowfocus 2>&1), not $WINDOW)"
    wait "$APP" || status=$?
    [ "$status" -eq 0 ] || fail "exit status $status ($1)"
}

# Checks that the program said, in one sentence on standard error, that there is no snapshot
# because the portal answered $1 (empty: that it said nothing of the kind).
check_sentence() {
    local count
    count=$(grep -c "could not be photographed on this Wayland session" app.log || true)
    if [ -z "$1" ]; then
        [ "$count" -eq 0 ] || fail "a snapshot was had, yet: $(cat app.log)"
    else
        [ "$count" -eq 1 ] && grep -q "portal $1" app.log ||
            fail "not one sentence saying the portal $1: $(cat app.log)"
    fi
}
