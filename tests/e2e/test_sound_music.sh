#!/usr/bin/env bash
# The user's own playlist as a user hears it: a saved list that was on plays at start-up in
# Repeat All order with the ambient sound silent, passing over a row whose file has gone; switching "On/Off" off in the Custom Music
# dialog, opened from the menu, brings the ambient sound back; closing the dialog saves it.
source "$(dirname "$0")/lib.sh"
start_display 1280x1024x24
start_sound_server
settings_dir="$XDG_CONFIG_HOME/glassreef"
mkdir -p "$settings_dir"

# Three songs of a second each, one tone each, in a folder whose name needs care in a URI.
music="$SCRATCH/my music #1/été"
write_songs "$music" 1.0
# The ambient sound at full scale, so that it would be plain to hear beside the songs.
cat >"$settings_dir/ReefSet.ini" <<INI
[Aquarium Settings]
YINLIANG=0
[Custom Settings]
RandomMusic=0
CycMusic=1
RepeatMusic=0
OwnMusic=1
MusicSum=4
MusicList0=$music/song 0.wav
MusicList1=$music/moved away.wav
MusicList2=$music/song 1.wav
MusicList3=$music/song 2.wav
INI

start_recording "$SCRATCH/music.raw"
start_app
window=$(wait_for_window 30) || fail "no window"
sleep 5
stop_recording

runs=$(tone_runs "$SCRATCH/music.raw" "${TONES[@]}")
echo "heard: $runs"
# The first four runs are the songs in order, with nothing else heard before or between them.
case "$runs" in
    "0 1 2 0"*) ;;
    *) fail "the playlist did not play rows 0, 1, 2, 0 alone: $runs" ;;
esac

# "  Custom Music" is the menu's second item.
choose_menu_item 600 400 1
dialog=$(wait_for_shown '^Custom Music - Glass Reef') || fail "the Custom Music dialog did not open"
eval "$(xdotool getwindowgeometry --shell "$dialog")"
# The On/Off box, 17,19 54x12 in dialog units of a 317 x 151 client area.
xdotool mousemove $((X + (17 + 10) * WIDTH / 317)) $((Y + (19 + 6) * HEIGHT / 151))
sleep 0.3
xdotool click 1
sleep 1
start_recording "$SCRATCH/ambient.raw"
sleep 2
stop_recording
runs=$(tone_runs "$SCRATCH/ambient.raw" "${TONES[@]}")
echo "after On/Off: $runs"
[ "$runs" = "x " ] || fail "the ambient sound did not come back alone: $runs"

press_key "$dialog" Escape
for _ in $(seq 30); do
    [ "$(grep -c '^OwnMusic=0' "$settings_dir/ReefSet.ini")" = 1 ] && break
    sleep 0.1
done
grep -q '^OwnMusic=0' "$settings_dir/ReefSet.ini" || fail "closing the dialog did not save On/Off"
grep -q '^MusicSum=4' "$settings_dir/ReefSet.ini" || fail "closing the dialog did not save the list"
grep -q "^MusicList2=$music/song 1.wav" "$settings_dir/ReefSet.ini" || fail "the list was saved wrong"
[ -z "$(xdotool search --onlyvisible --name '^Custom Music - Glass Reef' 2>/dev/null)" ] ||
    fail "Escape did not hide the dialog"
kill -0 "$APP_PID" || fail "the program ended"
kill "$APP_PID"
wait_for_exit "$APP_PID" 10 || fail "the program did not end"
echo "PASS"
