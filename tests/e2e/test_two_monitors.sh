#!/usr/bin/env bash
# With one X screen split into two monitors under a window manager, the aquarium covers the
# primary monitor exactly, wherever the pointer is, and its snapshot is that monitor's picture;
# the other monitor keeps the desktop.
source "$(dirname "$0")/lib.sh"
start_display 2960x1050x24
# The left 1280 columns of the desktop are red, the right 1680 blue.
convert -size 1280x1050 'xc:#a02020' -size 1680x1050 'xc:#2050a0' +append "$SCRATCH/desktop.png"
display -window root "$SCRATCH/desktop.png" || true  # exits 1 even when it has set it
start_window_manager

# Layout (the primary marked *); the pointer's x, on the other monitor; the primary monitor's x,
# width, height and colour (blue, green, red in the snapshot); the other monitor's colour on
# screen. In the first layout neither monitor owns the screen's output: the toolkit alone does
# not list such monitors, the window manager does.
layouts=(
    "*LEFT none RIGHT none|2000|0|1280|1024|2020a0|2050A0"
    "LEFT screen *RIGHT none|300|1280|1680|1050|a05020|A02020"
)
for layout in "${layouts[@]}"; do
    IFS='|' read -r monitors pointer x width height colour other <<<"$layout"
    read -r left left_output right right_output <<<"$monitors"
    xrandr --setmonitor "$left" 1280/339x1024/271+0+0 "$left_output"
    xrandr --setmonitor "$right" 1680/444x1050/277+1280+0 "$right_output"
    xdotool mousemove "$pointer" 500

    rm -f "$TMPDIR/topdesk.bmp"
    start_app
    window=$(wait_for_window 30) || fail "no window ($monitors)"
    sleep 2  # the window manager places and fullscreens the frame
    eval "$(xdotool getwindowgeometry --shell "$window")"
    [ "$X,$Y,$WIDTH,$HEIGHT" = "$x,0,$width,$height" ] ||
        fail "the frame is at $X,$Y size ${WIDTH}x$HEIGHT, not on the primary monitor ($monitors)"

    snapshot="$TMPDIR/topdesk.bmp"
    [ "$(stat -c %s "$snapshot")" -eq $((54 + width * 4 * height)) ] ||
        fail "the snapshot has $(stat -c %s "$snapshot") bytes ($monitors)"
    pixel=$(od -An -t x1 -j $((54 + (height / 2 * width + width / 2) * 4)) -N 3 "$snapshot" | tr -d ' ')
    [ "$pixel" = "$colour" ] || fail "the snapshot shows $pixel, not the primary monitor ($monitors)"
    # The other monitor still shows the desktop.
    import -window root -crop "1x1+$pointer+500" -depth 8 txt:- | grep -q "#$other" ||
        fail "the other monitor does not show the desktop ($monitors)"

    press_key "$window" Escape
    wait_for_exit "$APP_PID" 10 || fail "Escape did not close the program ($monitors)"
    xrandr --delmonitor "${left#\*}"
    xrandr --delmonitor "${right#\*}"
done
echo "PASS"
