#!/usr/bin/env bash
# What a media dialog holds is saved however the program ends normally, closed or not: "  Exit"
# from the menu with the music dialog open after a change, Escape on the tank with the background
# dialog open after a change, and a SIGTERM (the session ending) with the music dialog open. A
# FIFO in a playlist that plays at start-up does not hold the program up: Escape still ends it.
source "$(dirname "$0")/lib.sh"
start_display 1280x1024x24
settings="$XDG_CONFIG_HOME/glassreef/ReefSet.ini"
mkdir -p "$(dirname "$settings")"
cat >"$settings" <<INI
[Custom Settings]
RandomMusic=0
CycMusic=0
RepeatMusic=1
OwnMusic=0
MusicSum=1
MusicList0=$SCRATCH/song.wav
[Custom Images]
RandomImage=0
CycImage=0
RepeatImage=1
OwnImage=0
ImageTime=5
ImageSum=0
INI

# Opens the dialog of menu item $1 whose title starts with $2, and clicks the control at $3, $4
# ($5 x $6 dialog units) of its $7 x $8 client area.
open_and_click() {
    open_menu_dialog "$1" "^$2"
    click_control "${@:3}"
    sleep 0.5
}
start() {
    start_app
    window=$(wait_for_window 30) || fail "no window"
    sleep 2
}
ended_with_zero() {
    wait_for_exit "$APP_PID" 10 || fail "$1 did not end the program"
    [ "$EXIT_STATUS" -eq 0 ] || fail "$1: exit status $EXIT_STATUS"
}

# The music dialog's "Repeat All" (186, 20, 53 x 8), then "  Exit", the menu's fourth item.
start
open_and_click 1 'Custom Music - ' 186 20 53 8 317 151
choose_menu_item 100 100 3
ended_with_zero "Exit"
grep -q '^CycMusic=1' "$settings" || fail "Exit lost the music dialog's Repeat All"
grep -q '^RepeatMusic=0' "$settings" || fail "Exit kept Repeat One"

# The background dialog's "Random" order box (199, 12, 10 x 9), then Escape on the tank.
start
open_and_click 2 'Custom Background - ' 199 12 10 9 248 135
press_key "$window" Escape
ended_with_zero "Escape"
grep -q '^RandomImage=1' "$settings" || fail "Escape lost the background dialog's Random"
grep -q '^CycMusic=1' "$settings" || fail "the music section changed"

# The music dialog's "Random" (262, 20, 41 x 8), then SIGTERM.
start
open_and_click 1 'Custom Music - ' 262 20 41 8 317 151
kill -TERM "$APP_PID"
ended_with_zero "SIGTERM"
grep -q '^RandomMusic=1' "$settings" || fail "SIGTERM lost the music dialog's Random"

# A FIFO, which nobody writes, first in a playlist that plays at start-up.
mkfifo "$SCRATCH/pipe.mp3"
sox -n -r 22050 -c 1 -b 16 "$SCRATCH/song.wav" synth 5.0 sine 440 vol 0.5
sed -i -e 's/^OwnMusic=0/OwnMusic=1/' -e 's/^MusicSum=1/MusicSum=2/' \
    -e "s|^MusicList0=.*|MusicList0=$SCRATCH/pipe.mp3\nMusicList1=$SCRATCH/song.wav|" "$settings"
start
kill -0 "$APP_PID" || fail "the program ended with a FIFO in its playlist"
press_key "$window" Escape
ended_with_zero "Escape with a FIFO in the playlist"
grep -q "^MusicList0=$SCRATCH/pipe.mp3" "$settings" || fail "the FIFO's row was lost"
grep -q '^OwnMusic=1' "$settings" || fail "the playlist was switched off"
echo "PASS"
