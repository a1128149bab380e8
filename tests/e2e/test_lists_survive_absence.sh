#!/usr/bin/env bash
# Pictures and songs on a disk that is not there yet: their folder is renamed away across a start
# and a close of each media dialog, then renamed back. The lists come through whole, the paths
# longer than 127 bytes (non-ASCII letters) included: after the first run the settings file still
# names every picture and song; after the second start, with the folder back, the slideshow
# shows the first picture behind the tank, and nothing is reported missing.
source "$(dirname "$0")/lib.sh"
start_display 1680x1050x24
settings_dir="$XDG_CONFIG_HOME/glassreef"
ini="$settings_dir/ReefSet.ini"
mkdir -p "$settings_dir"

# A folder whose path is over 300 bytes, many of its letters taking two bytes.
long=$(printf 'Ünterwasser-Bilder-und-Lieder-für-das-Aquarium-ÄÖÜäöüß-%.0s' 1 2)
disk="$SCRATCH/disk/$long/$long/$long"
mkdir -p "$disk"
convert -size 320x200 xc:'rgb(230,30,30)' "$disk/röt.png"
convert -size 320x200 xc:'rgb(30,230,30)' "$disk/grün.png"
sox -n -r 22050 -c 1 -b 16 "$disk/lied 1.wav" synth 0.5 sine 440
sox -n -r 22050 -c 1 -b 16 "$disk/lied 2.wav" synth 0.5 sine 660
[ "$(printf '%s' "$disk/grün.png" | wc -c)" -gt 300 ] || fail "the path is not long enough"
{
    echo "[Fish Number]"
    for kind in $(seq 0 14); do echo "Fish$kind=0"; done # nothing swims over the probe
    echo "[Custom Images]"
    echo "RepeatImage=1"
    echo "OwnImage=0"
    echo "ImageTime=1"
    echo "ImageSum=2"
    echo "ImageList0=$disk/röt.png"
    echo "ImageList1=$disk/grün.png"
    echo "[Custom Settings]"
    echo "RepeatMusic=1"
    echo "OwnMusic=0"
    echo "MusicSum=2"
    echo "MusicList0=$disk/lied 1.wav"
    echo "MusicList1=$disk/lied 2.wav"
} >"$ini"

# Message boxes carry the program's title, as its own window does; they are the small ones.
# Answers each with Return for up to $1 seconds and prints how many there were.
answer_messages() {
    local seconds=$1 count=0 end
    end=$(($(date +%s) + seconds))
    while [ "$(date +%s)" -lt "$end" ]; do
        for id in $(xdotool search --onlyvisible --name '^GlassReefScr$' 2>/dev/null); do
            eval "$(xdotool getwindowgeometry --shell "$id" 2>/dev/null)" || continue
            if [ "$WIDTH" -lt 1000 ]; then
                press_key "$id" Return
                count=$((count + 1))
                sleep 0.5
            fi
        done
        sleep 0.2
    done
    echo "$count"
}

# Opens the dialog of menu item $1 (title $2) and closes it with Escape, which saves its list.
open_and_close() {
    local dialog
    choose_menu_item 800 300 "$1"
    dialog=$(wait_for_shown "$2" 10) || fail "the dialog $2 did not open"
    sleep 0.5
    press_key "$dialog" Escape
    sleep 1
}

mv "$SCRATCH/disk" "$SCRATCH/disk-away"
start_app
messages=$(answer_messages 12)
echo "messages while the pictures were away: $messages"
window=$(wait_for_window 30) || fail "no window"
open_and_close 2 '^Custom Background - '
open_and_close 1 '^Custom Music - '
press_key "$window" Escape
wait_for_exit "$APP_PID" 10 || fail "Escape did not close the program"

# Every row is still named, whole.
for line in "ImageSum=2" "ImageList0=$disk/röt.png" "ImageList1=$disk/grün.png" \
    "MusicSum=2" "MusicList0=$disk/lied 1.wav" "MusicList1=$disk/lied 2.wav"; do
    grep -qxF "$line" "$ini" || fail "after a run without the disk the file lacks: $line"
done

# The disk is back; the slideshow on.
mv "$SCRATCH/disk-away" "$SCRATCH/disk"
sed -i 's/^OwnImage=0$/OwnImage=1/' "$ini"
start_app
window=$(wait_for_window 30) || fail "no window after the disk came back"
messages=$(answer_messages 4)
[ "$messages" = 0 ] || fail "$messages messages with every file back"
hex=""
for _ in $(seq 30); do
    hex=$(import -window root -crop 40x40+820+150 -resize 1x1\! -depth 8 txt:- 2>/dev/null |
        grep -oE '#[0-9A-Fa-f]{6}' | head -n1)
    r=$((16#${hex:1:2})) g=$((16#${hex:3:2})) b=$((16#${hex:5:2}))
    [ "$r" -gt 120 ] && [ "$r" -gt $((2 * g)) ] && [ "$r" -gt $((2 * b)) ] && break
    hex=""
    sleep 0.5
done
[ -n "$hex" ] || fail "the first picture is not shown behind the tank"
open_and_close 1 '^Custom Music - '
press_key "$window" Escape
wait_for_exit "$APP_PID" 10 || fail "Escape did not close the program"
grep -qxF "MusicList1=$disk/lied 2.wav" "$ini" || fail "the playlist was not saved whole"
echo "PASS"
