#!/usr/bin/env bash
# The Custom Music dialog under a hand's clicks, heard on the sound server: On/Off clicked
# fourteen times at a person's pace turns the music on and off every time; a double click on a
# row while the list plays switches to that song; after a click on Play the keyboard still
# reaches the dialog, so Escape closes it.
source "$(dirname "$0")/lib.sh"
start_display 1280x1024x24
start_sound_server
settings_dir="$XDG_CONFIG_HOME/glassreef"
mkdir -p "$settings_dir"

# Three songs long enough never to end during the test, one tone each.
music="$SCRATCH/music"
write_songs "$music" 60.0
cat >"$settings_dir/ReefSet.ini" <<INI
[Aquarium Settings]
YINLIANG=0
[Custom Settings]
RandomMusic=0
CycMusic=0
RepeatMusic=1
OwnMusic=0
MusicSum=3
MusicList0=$music/song 0.wav
MusicList1=$music/song 1.wav
MusicList2=$music/song 2.wav
INI

start_app
window=$(wait_for_window 30) || fail "no window"
sleep 2
# "  Custom Music" is the menu's second item.
open_menu_dialog 1 '^Custom Music - Glass Reef'
# A control at x, y, w, h in dialog units of the 317 x 151 client area.
click_at() {
    click_control "$@" 317 151
}
# What is heard for 0.8 s: the runs of tones, "x" for the ambient sound.
listen() {
    start_recording "$SCRATCH/heard.raw"
    sleep 0.8
    stop_recording
    tone_runs "$SCRATCH/heard.raw" "${TONES[@]}"
}

# Fourteen clicks on On/Off, each followed by what a person hears: row 0 (Repeat One, nothing
# selected) after a click on, the ambient sound alone after a click off.
for click in $(seq 14); do
    click_at 17 19 54 12
    sleep 1
    heard=$(listen)
    if [ $((click % 2)) = 1 ]; then
        [ "$heard" = "0 " ] || fail "click $click on On/Off: heard '$heard', not song 0 alone"
    else
        [ "$heard" = "x " ] || fail "click $click on On/Off: heard '$heard', not the ambient sound"
    fi
done

# On again: song 0 plays. Two clicks 300 ms apart on row 2 are a double click: song 2 plays.
click_at 17 19 54 12
sleep 0.7
[ "$(listen)" = "0 " ] || fail "On/Off did not play song 0 again"
# The list starts 44 dialog units down; below its header each row is 19 pixels high.
list_top=$((Y + 44 * HEIGHT / 151))
xdotool mousemove $((X + 140 * WIDTH / 317)) $((list_top + 24 + 19 * 2 + 9))
sleep 0.2
# One xdotool run, so that the presses are 300 ms apart however loaded the machine is.
xdotool mousedown 1 sleep 0.1 mouseup 1 sleep 0.2 mousedown 1 sleep 0.1 mouseup 1
# The new song may take a moment to reach the sound server on a loaded machine: it is heard
# within about three seconds, alone.
for _ in 1 2 3; do
    sleep 0.7
    heard=$(listen)
    [ "$heard" = "2 " ] && break
done
[ "$heard" = "2 " ] || fail "a double click on row 2 while playing: heard '$heard', not song 2"

# Stop, then Play, which disables itself: Escape must still close the dialog.
click_at 270 97 38 11
sleep 0.5
click_at 270 83 38 11
sleep 0.7
[ -n "$(listen)" ] || fail "Play played nothing"
xdotool key Escape
wait_for_hidden '^Custom Music - Glass Reef' 3 || fail "Escape after Play did not close the dialog"
kill -0 "$APP_PID" || fail "the program ended"
press_key "$window" Escape
wait_for_exit "$APP_PID" 10 || fail "Escape did not end the program"
echo "PASS"
