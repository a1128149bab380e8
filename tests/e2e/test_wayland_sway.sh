#!/usr/bin/env bash
# On a Wayland desktop the program runs through Xwayland, whose root window cannot be read: the
# desktop snapshot comes from the desktop portal instead. A headless sway with one 1920x1080
# output showing a known background, Xwayland, PipeWire and xdg-desktop-portal with its wlr and
# gtk back ends, in a D-Bus session of their own, as an unprivileged user. The program starts
# through Xwayland at output scale 1 and 2: its snapshot is the background, the fish swim in front
# of it (seen with grim), Escape quits with status 0 and the portal's picture is not left behind.
# Without a session bus it starts at once without a snapshot and says why, even when the user's
# environment asks GTK for Wayland.
source "$(dirname "$0")/wayland_lib.sh"

if [ "${REEF_WAYLAND_INNER:-}" != 1 ]; then
    need sway Xwayland swaybg swaymsg grim pipewire compare /usr/libexec/xdg-desktop-portal \
        /usr/libexec/xdg-desktop-portal-wlr /usr/libexec/xdg-desktop-portal-gtk
    # xdg-desktop-portal-wlr always writes its picture to /tmp/out.png; one of another user in
    # the way would make it fail.
    rm -f /tmp/out.png 2>/dev/null || true
    [ -e /tmp/out.png ] && skip "/tmp/out.png of another user is in the way"
    prepare_session
    cat >"$SESSION/sway.config" <<CONFIG
output HEADLESS-1 resolution 1920x1080 position 0 0 scale 1 bg $SESSION/background.png stretch
xwayland enable
exec sh -c 'echo "\$DISPLAY" > $SESSION/display'
CONFIG
    chmod a+r "$SESSION/sway.config"
    trap 'cleanup; rm -rf "$SESSION" /tmp/out.png' EXIT
    run_session 150 XDG_CURRENT_DESKTOP=sway WLR_BACKENDS=headless WLR_LIBINPUT_NO_DEVICES=1 \
        WLR_RENDERER=pixman
fi

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

pipewire >pipewire.log 2>&1 &
INNER_PIDS+=($!)
sway -c sway.config >sway.log 2>&1 &
INNER_PIDS+=($!)
for _ in $(seq 100); do
    ls run/wayland-[0-9] >/dev/null 2>&1 && [ -s display ] && break
    sleep 0.1
done
[ -s display ] || { cat sway.log; fail "sway did not start with Xwayland"; }
WAYLAND_DISPLAY=$(basename "$(ls run/wayland-[0-9] | head -n1)")
DISPLAY=$(cat display)
SWAYSOCK=$(ls run/sway-ipc.*.sock | head -n1)
export WAYLAND_DISPLAY DISPLAY SWAYSOCK
start_portal

for scale in 1 2; do
    width=$((1920 / scale)) height=$((1080 / scale))
    swaymsg output HEADLESS-1 scale "$scale" >/dev/null
    for _ in $(seq 50); do
        xdotool getdisplaygeometry | grep -qx "$width $height" && break
        sleep 0.1
    done
    xdotool getdisplaygeometry | grep -qx "$width $height" ||
        fail "Xwayland's screen is not ${width}x$height at scale $scale"

    start_program 60
    echo "scale $scale: window after $STARTED_MS ms"
    check_snapshot "$width" "$height" "scale $scale"
    check_sentence ""

    # The fish swim in front of the desktop: the output shows the background's four colours (the
    # snapshot behind the water, which shades it a little, so with some latitude; plain grey or
    # another quadrant's colour is far outside it) and, here and there, something else.
    sleep 4
    grim "shot-$scale.png" || fail "grim could not photograph the output"
    quadrant=0
    for point in "480 270" "1440 270" "480 810" "1440 810"; do
        set -- $point
        colour=$(picture_colour "shot-$scale.png" "$1" "$2")
        echo "scale $scale: the output's quadrant $quadrant looks $colour"
        close_colours "$colour" "${QUADRANT_COLOURS[$quadrant]}" 48 ||
            fail "the output's quadrant $quadrant at scale $scale is $colour, not near ${QUADRANT_COLOURS[$quadrant]}"
        quadrant=$((quadrant + 1))
    done
    differing=$(compare -metric AE -fuzz 25% "shot-$scale.png" background.png null: 2>&1 || true)
    echo "scale $scale: $differing of 2073600 output pixels differ from the background"
    [ "${differing%%.*}" -gt 1000 ] 2>/dev/null || fail "no fish in front of the desktop at scale $scale"
    [ "${differing%%.*}" -lt 1036800 ] || fail "the desktop is hidden at scale $scale"

    quit_program "scale $scale"
    [ ! -e /tmp/out.png ] || fail "the portal's picture /tmp/out.png was left behind"
done

# Without a session bus there is nobody to ask.
start_program 60 -u DBUS_SESSION_BUS_ADDRESS GDK_BACKEND=wayland
echo "no session bus: window after $STARTED_MS ms"
[ ! -e tmp/topdesk.bmp ] || fail "a snapshot was written without a session bus"
check_sentence "cannot be reached without a session bus"
quit_program "no session bus"
