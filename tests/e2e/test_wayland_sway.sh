#!/usr/bin/env bash
# On a Wayland desktop the program runs through Xwayland, whose root window cannot be read: the
# desktop snapshot comes from the desktop portal instead. A headless sway with one 1920x1080
# output showing a known background, Xwayland, PipeWire, xdg-desktop-portal with its wlr and gtk
# back ends, all in a D-Bus session of their own, run as an unprivileged user (sway refuses to run
# as root). The program starts through Xwayland at output scale 1 and 2: its snapshot is the
# background, the fish swim in front of it, Escape quits with status 0 and the portal's picture
# is not left behind. Without a session bus it starts without a snapshot and says why.
#
# As root the session runs as the user "nobody"; otherwise as the calling user. The program is
# copied into a folder that user can read, so the build may live anywhere.
set -euo pipefail

if [ "${REEF_SWAY_INNER:-}" != 1 ]; then
    source "$(dirname "$0")/lib.sh"
    skip() {
        echo "SKIP: $*"
        exit 77
    }
    for tool in sway Xwayland swaybg swaymsg grim pipewire dbus-run-session \
        dbus-update-activation-environment xdotool convert; do
        command -v "$tool" >/dev/null || skip "$tool is not installed"
    done
    for portal in xdg-desktop-portal xdg-desktop-portal-wlr xdg-desktop-portal-gtk; do
        [ -x "/usr/libexec/$portal" ] || skip "$portal is not installed"
    done
    as_user=()
    if [ "$(id -u)" -eq 0 ]; then
        id nobody >/dev/null 2>&1 || skip "there is no user nobody to run sway as"
        command -v setpriv >/dev/null || skip "setpriv is not installed"
        as_user=(setpriv --reuid=nobody --regid="$(id -g nobody)" --clear-groups)
    fi
    # xdg-desktop-portal-wlr always writes its picture to /tmp/out.png; one left by another user
    # would make it fail.
    [ -e /tmp/out.png ] && { rm -f /tmp/out.png || skip "/tmp/out.png of another user is in the way"; }

    session="$SCRATCH/session"
    mkdir -p "$session/run" "$session/home" "$session/tmp" "$session/config"
    cp "$PROGRAM" "$session/glassreef"
    cp "$0" "$session/test.sh"
    # Four quadrants of known colours: red, green / blue, yellow.
    convert -size 960x540 'xc:#c03020' 'xc:#20a040' +append "$session/top.png"
    convert -size 960x540 'xc:#2040c0' 'xc:#e0c020' +append "$session/bottom.png"
    convert "$session/top.png" "$session/bottom.png" -append "$session/background.png"
    cat >"$session/sway.config" <<CONFIG
output HEADLESS-1 resolution 1920x1080 position 0 0 scale 1 bg $session/background.png stretch
xwayland enable
exec sh -c 'echo "\$DISPLAY" > $session/display'
CONFIG
    chmod 755 "$SCRATCH"
    chmod -R a+rX "$session"
    if [ ${#as_user[@]} -gt 0 ]; then
        chown -R nobody "$session"
    fi
    chmod 700 "$session/run"

    status=0
    # In a session of its own, so that whatever it leaves running is ended with it.
    setsid "${as_user[@]}" env -i PATH="$PATH" HOME="$session/home" REEF_SWAY_INNER=1 \
        SESSION="$session" XDG_RUNTIME_DIR="$session/run" TMPDIR="$session/tmp" \
        XDG_CONFIG_HOME="$session/config" XDG_CURRENT_DESKTOP=sway XDG_SESSION_TYPE=wayland \
        WLR_BACKENDS=headless WLR_LIBINPUT_NO_DEVICES=1 WLR_RENDERER=pixman \
        timeout 100 dbus-run-session -- "$session/test.sh" >"$SCRATCH/session.log" 2>&1 &
    leader=$!
    wait "$leader" || status=$?
    kill -9 -- "-$leader" 2>/dev/null || true
    cat "$SCRATCH/session.log"
    [ "$status" -eq 77 ] && exit 77
    [ "$status" -eq 0 ] || fail "the Wayland session ended with status $status"
    [ ! -e /tmp/out.png ] || fail "the portal's picture /tmp/out.png was left behind"
    echo "PASS"
    exit 0
fi

# From here on: inside the D-Bus session, as the unprivileged user.
cd "$SESSION"
fail() {
    echo "FAIL: $*" >&2
    exit 1
}
now_ms() {
    echo $(($(date +%s%N) / 1000000))
}
pids=()
trap 'for p in "${pids[@]}"; do kill "$p" 2>/dev/null || true; done' EXIT

pipewire >pipewire.log 2>&1 &
pids+=($!)
sway -c sway.config >sway.log 2>&1 &
pids+=($!)
for _ in $(seq 100); do
    ls run/wayland-[0-9] >/dev/null 2>&1 && [ -s display ] && break
    sleep 0.1
done
[ -s display ] || { cat sway.log; fail "sway did not start with Xwayland"; }
WAYLAND_DISPLAY=$(basename "$(ls run/wayland-[0-9] | head -n1)")
DISPLAY=$(cat display)
SWAYSOCK=$(ls run/sway-ipc.*.sock | head -n1)
export WAYLAND_DISPLAY DISPLAY SWAYSOCK
# The portals are started by the bus when first asked, with the desktop's environment. On a
# desktop they run from the start of the session; so here too, before the program starts.
dbus-update-activation-environment WAYLAND_DISPLAY DISPLAY XDG_CURRENT_DESKTOP XDG_SESSION_TYPE
gdbus call --session --timeout 60 --dest org.freedesktop.portal.Desktop \
    --object-path /org/freedesktop/portal/desktop --method org.freedesktop.DBus.Peer.Ping \
    >/dev/null || fail "xdg-desktop-portal did not start"

# The colour at (x, y) of a 32-bit bottom-up bitmap of width w and height h, as rrggbb.
bitmap_pixel() {
    local file=$1 w=$2 h=$3 x=$4 y=$5
    od -An -t x1 -j $((54 + ((h - 1 - y) * w + x) * 4)) -N 3 "$file" |
        awk '{print $3 $2 $1}'
}

# The average colour of a 40x40 square of a picture around (x, y), as rrggbb.
picture_colour() {
    convert "$1" -crop "40x40+$(($2 - 20))+$(($3 - 20))" -resize '1x1!' -depth 8 txt:- |
        grep -o '#[0-9A-F]\{6\}' | head -n1 | tr -d '#' | tr 'A-F' 'a-f'
}

# True when the colours $1 and $2 (rrggbb) differ by at most $3 in every channel.
close_colours() {
    local c d
    for c in 0 2 4; do
        d=$((16#${1:$c:2} - 16#${2:$c:2}))
        [ "${d#-}" -le "$3" ] || return 1
    done
}

# Waits up to $1 seconds for the program's window; prints its id.
wait_for_window() {
    local id
    for _ in $(seq $(($1 * 20))); do
        id=$(xdotool search --name '^GlassReefScr$' 2>/dev/null | head -n1 || true)
        [ -n "$id" ] && { echo "$id"; return 0; }
        sleep 0.05
    done
    return 1
}

# Waits up to $2 seconds for process $1 to end; its status goes to EXIT_STATUS.
wait_for_exit() {
    for _ in $(seq $(($2 * 10))); do
        if ! kill -0 "$1" 2>/dev/null; then
            EXIT_STATUS=0
            wait "$1" || EXIT_STATUS=$?
            return 0
        fi
        sleep 0.1
    done
    return 1
}

# Runs the program with the output at scale $1 and checks what the user would see.
run_at_scale() {
    local scale=$1 width=$((1920 / $1)) height=$((1080 / $1))
    swaymsg output HEADLESS-1 scale "$scale" >/dev/null
    for _ in $(seq 50); do
        xdotool getdisplaygeometry | grep -qx "$width $height" && break
        sleep 0.1
    done
    xdotool getdisplaygeometry | grep -qx "$width $height" ||
        fail "Xwayland's screen is not ${width}x$height at scale $scale"
    rm -f tmp/topdesk.bmp "app-$scale.log"

    local start window shown
    start=$(now_ms)
    ./glassreef >"app-$scale.log" 2>&1 &
    local app=$!
    pids+=("$app")
    window=$(wait_for_window 60) || { cat "app-$scale.log"; fail "no window at scale $scale"; }
    shown=$(now_ms)
    echo "scale $scale: window after $((shown - start)) ms"

    local snapshot=tmp/topdesk.bmp
    [ -f "$snapshot" ] || { cat "app-$scale.log"; fail "no snapshot at scale $scale"; }
    local size
    size=$(stat -c %s "$snapshot")
    [ "$size" -eq $((54 + 4 * width * height)) ] ||
        fail "the snapshot at scale $scale has $size bytes, not the ${width}x$height screen's"
    [ "$(stat -c %a "$snapshot")" = 600 ] || fail "the snapshot is not private"
    # One pixel in the middle of each quadrant shows the background's colour there.
    local expected=(c03020 20a040 2040c0 e0c020) i=0 got
    for point in "1 1" "3 1" "1 3" "3 3"; do
        set -- $point
        got=$(bitmap_pixel "$snapshot" "$width" "$height" $(($1 * width / 4)) $(($2 * height / 4)))
        [ "$got" = "${expected[$i]}" ] ||
            fail "snapshot quadrant $i at scale $scale is $got, not ${expected[$i]}"
        i=$((i + 1))
    done
    grep -q "could not be photographed" "app-$scale.log" && fail "a snapshot was had, yet: $(cat "app-$scale.log")"

    # The fish swim in front of the desktop: over a few seconds the output shows the background's
    # four colours (the snapshot behind the water) and, here and there, something else (fish).
    sleep 4
    grim "shot-$scale.png" || fail "grim could not photograph the output"
    # The water's light and fog shade the picture a little, so each quadrant is compared with
    # some latitude; plain grey (no snapshot) or another quadrant's colour is far outside it.
    local quadrant=0 shot_colour
    for point in "480 270" "1440 270" "480 810" "1440 810"; do
        set -- $point
        shot_colour=$(picture_colour "shot-$scale.png" "$1" "$2")
        echo "scale $scale: output quadrant $quadrant looks $shot_colour"
        close_colours "$shot_colour" "${expected[$quadrant]}" 48 ||
            fail "the output's quadrant $quadrant at scale $scale is $shot_colour, not near ${expected[$quadrant]}"
        quadrant=$((quadrant + 1))
    done
    local differing
    differing=$(compare -metric AE -fuzz 25% "shot-$scale.png" background.png null: 2>&1 || true)
    echo "scale $scale: $differing of 2073600 output pixels differ from the background"
    [ "${differing%%.*}" -gt 1000 ] 2>/dev/null || fail "no fish in front of the desktop at scale $scale"
    [ "${differing%%.*}" -lt 1036800 ] || fail "the desktop is hidden at scale $scale"

    xdotool windowfocus "$window" 2>/dev/null || true
    sleep 0.2
    xdotool key Escape
    wait_for_exit "$app" 10 || fail "Escape did not close the program at scale $scale"
    [ "$EXIT_STATUS" -eq 0 ] || fail "exit status $EXIT_STATUS at scale $scale"
    [ ! -e /tmp/out.png ] || fail "the portal's picture /tmp/out.png was left behind"
    [ -z "$(find home -name '*.png')" ] || fail "a portal picture was left in the home folder"
}

run_at_scale 1
run_at_scale 2

# Without a session bus there is nobody to ask: the program starts at once without a snapshot
# and says why, once. It runs through Xwayland even when the user's environment asks GTK for
# Wayland.
rm -f tmp/topdesk.bmp
start=$(now_ms)
env -u DBUS_SESSION_BUS_ADDRESS GDK_BACKEND=wayland ./glassreef >app-nobus.log 2>&1 &
app=$!
pids+=("$app")
window=$(wait_for_window 60) || { cat app-nobus.log; fail "no window without a session bus"; }
echo "no session bus: window after $(($(now_ms) - start)) ms"
[ ! -e tmp/topdesk.bmp ] || fail "a snapshot was written without a session bus"
[ "$(grep -c "could not be photographed on this Wayland session" app-nobus.log)" -eq 1 ] ||
    fail "no single sentence on why there is no snapshot: $(cat app-nobus.log)"
sleep 2
xdotool windowfocus "$window" 2>/dev/null || true
sleep 0.2
xdotool key Escape
wait_for_exit "$app" 10 || fail "Escape did not close the program without a session bus"
[ "$EXIT_STATUS" -eq 0 ] || fail "exit status $EXIT_STATUS without a session bus"
echo "INNER PASS"
