#!/usr/bin/env bash
# A saved slideshow of three pictures in three formats, "Use your own image" on, Repeat All and
# an interval of 0 s: behind the tank the pictures of rows 1, 2, 0, 1 follow each other, one
# switch a second (never faster). The menu's "  Custom Background" opens the dialog; the Add
# Image tooltip goes once the file chooser it opened has closed; a click on the text "Use your
# own image" unticks it; Remove All and Escape hide the dialog and save the section with an
# empty list.
source "$(dirname "$0")/lib.sh"
start_display 1680x1050x24

pictures="$SCRATCH/pictures"
mkdir -p "$pictures" "$XDG_CONFIG_HOME/glassreef"
convert -size 320x200 xc:'rgb(230,30,30)' "$pictures/red.png"
convert -size 320x200 xc:'rgb(30,230,30)' -quality 95 "$pictures/green.jpg"
convert -size 320x200 xc:'rgb(30,30,230)' BMP3:"$pictures/blue.bmp"
ini="$XDG_CONFIG_HOME/glassreef/ReefSet.ini"
{
    echo "[Fish Number]"
    for kind in $(seq 0 14); do echo "Fish$kind=0"; done  # nothing swims over the probe
    echo "[Custom Images]"
    echo "RandomImage=0"
    echo "CycImage=1"
    echo "RepeatImage=0"
    echo "OwnImage=1"
    echo "ImageTime=0"
    echo "ImageSum=3"
    echo "ImageList0=$pictures/red.png"
    echo "ImageList1=$pictures/green.jpg"
    echo "ImageList2=$pictures/blue.bmp"
} >"$ini"

# The colour behind the tank at the top centre: R, G, B, or - for none of them.
probe() {
    local hex
    hex=$(import -window root -crop 40x40+820+150 -resize 1x1\! -depth 8 txt:- 2>/dev/null |
        grep -oE '#[0-9A-Fa-f]{6}' | head -n1)
    local r=$((16#${hex:1:2})) g=$((16#${hex:3:2})) b=$((16#${hex:5:2}))
    if [ "$r" -gt 40 ] && [ "$r" -gt $((2 * g)) ] && [ "$r" -gt $((2 * b)) ]; then
        echo R
    elif [ "$g" -gt 40 ] && [ "$g" -gt $((2 * r)) ] && [ "$g" -gt $((2 * b)) ]; then
        echo G
    elif [ "$b" -gt 40 ] && [ "$b" -gt $((2 * r)) ] && [ "$b" -gt $((2 * g)) ]; then
        echo B
    else
        echo -
    fi
}

start_app
window=$(wait_for_window 30) || fail "no window"

# Record each change of colour with its time, until four have come (the first picture shows
# once the start-up has loaded all three, which takes longer on a busy machine).
changes=""
times=()
last=""
end=$(($(date +%s) + 20))
while [ "$(date +%s)" -lt "$end" ] && [ ${#times[@]} -lt 4 ]; do
    colour=$(probe)
    if [ "$colour" != "$last" ] && [ "$colour" != "-" ]; then
        changes+=$colour
        times+=("$(date +%s.%N)")
        last=$colour
    fi
done
[ -n "${SHOT:-}" ] && import -window root "$SHOT"
echo "colours seen: $changes"
[[ "$changes" == GBRG* ]] || fail "pictures in the order $changes, not rows 1, 2, 0, 1 (G B R G)"
# A probe takes a few tenths of a second, so single gaps wobble; three switches take about 3 s.
# A switch comes every fifth 200 ms tick, and the ticks run a little late while the software
# renderer draws the tank, so a second may stretch to about 1.4 s here, more on a busy machine.
awk -v t0="${times[0]}" -v t1="${times[1]}" -v t2="${times[2]}" -v t3="${times[3]}" 'BEGIN {
    if (t1 - t0 < 0.4 || t2 - t1 < 0.4 || t3 - t2 < 0.4 || (t3 - t0) / 3 < 0.8 ||
        (t3 - t0) / 3 > 2.0) exit 1
}' || fail "switches at ${times[*]}, not one a second"

# "  Custom Background" is the menu's third item.
choose_menu_item 800 300 2
dialog=$(wait_for_shown '^Custom Background - ' 10) || fail "the dialog did not open"
sleep 1
[ -n "${DIALOG_SHOT:-}" ] && import -window root "$DIALOG_SHOT"

eval "$(xdotool getwindowgeometry --shell "$dialog")"
# The dialog's point (x, y) in dialog units, on the screen.
at() { echo $((X + $1 * WIDTH / 248)) $((Y + $2 * HEIGHT / 135)); }

# Waits up to 5 s until no shown window's title matches $1.
gone() {
    for _ in $(seq 50); do
        [ -z "$(xdotool search --onlyvisible --name "$1" 2>/dev/null || true)" ] && return 0
        sleep 0.1
    done
    return 1
}
# GTK's tooltip is a window of its own named after the program.
tooltip_shown() { [ -n "$(xdotool search --onlyvisible --name '^glassreef$' 2>/dev/null || true)" ]; }
# "Add Image" sits at 7, 117 (50 x 11).
xdotool mousemove $(at 32 122)
for _ in $(seq 50); do tooltip_shown && break; sleep 0.1; done
tooltip_shown || fail "no tooltip over Add Image"
hand_click 1
wait_for_shown '^Select a file$' 10 >/dev/null || fail "Add Image opened no file chooser"
sleep 0.5
xdotool key Escape
gone '^Select a file$' || fail "Escape did not close the file chooser"
xdotool mousemove 300 700
sleep 2
! tooltip_shown || fail "the Add Image tooltip stayed on screen after the file chooser closed"

# The text "Use your own image" at 20, 13 (73 x 11), as a hand clicks it.
xdotool mousemove $(at 50 18)
sleep 0.3
hand_click 1
sleep 0.5

# "Remove All" sits at 119, 117 (50 x 11) of the dialog's 248 x 135 dialog units.
xdotool mousemove $((X + (119 + 25) * WIDTH / 248)) $((Y + (117 + 5) * HEIGHT / 135)) click 1
sleep 0.5
xdotool windowfocus --sync "$dialog" 2>/dev/null || xdotool windowfocus "$dialog"
sleep 0.3
xdotool key Escape
gone '^Custom Background - ' || fail "Escape did not hide the dialog"

section=$(sed -n '/^\[Custom Images\]/,/^\[/p' "$ini" | tr -d '\r')
grep -qx 'ImageSum=0' <<<"$section" || fail "the list was not saved empty: $section"
grep -qx 'OwnImage=0' <<<"$section" || fail "a click on its text did not untick the box: $section"
grep -qx 'CycImage=1' <<<"$section" || fail "CycImage not kept: $section"
grep -qx 'ImageTime=0' <<<"$section" || fail "ImageTime not kept: $section"
kill -0 "$APP_PID" || fail "the program ended with the dialog"

press_key "$window" Escape
wait_for_exit "$APP_PID" 10 || fail "Escape did not close the program"
echo "PASS"
