#!/usr/bin/env bash
# The real file chooser of both media dialogs: it opens in the user's Pictures or Music folder,
# lists the pictures and songs whatever the case of their names (PHOTO.JPG, SONG.MP3) and their
# usual spellings (.jpeg, .mpg), but not other files, and takes several at once: select all and
# open adds each listed file.
source "$(dirname "$0")/lib.sh"
start_display 1280x1024x24
settings="$XDG_CONFIG_HOME/glassreef/ReefSet.ini"
mkdir -p "$(dirname "$settings")"
pictures="$SCRATCH/Bilder" songs="$SCRATCH/Musik"
mkdir -p "$pictures" "$songs"
# The desktop's names for the user's folders.
cat >"$XDG_CONFIG_HOME/user-dirs.dirs" <<DIRS
XDG_PICTURES_DIR="$pictures"
XDG_MUSIC_DIR="$songs"
DIRS
convert -size 64x48 xc:red "$pictures/PHOTO.JPG"
convert -size 64x48 xc:blue "$pictures/holiday.jpeg"
echo "not a picture" >"$pictures/notes.txt"
for name in SONG.MP3 take.mpg; do echo "sound" >"$songs/$name"; done
echo "not a song" >"$songs/lyrics.txt"

start_app
window=$(wait_for_window 30) || fail "no window"
sleep 2

# Opens the dialog of menu item $1 titled $2, clicks its add button at $3, $4 ($5 x $6 dialog
# units of a $7 x $8 client area), selects every file the chooser lists and opens them; then
# closes the dialog, which saves its list.
add_all_listed() {
    local chooser
    open_menu_dialog "$1" "^$2"
    click_control "${@:3}"
    chooser=$(wait_for_shown '^Select a file' 10) || fail "no file chooser from $2"
    # The chooser reads the folder after it is shown.
    sleep 3
    xdotool windowfocus --sync "$chooser" 2>/dev/null || true
    xdotool key ctrl+a
    sleep 0.3
    xdotool key Return
    wait_for_hidden '^Select a file' || fail "the chooser did not close"
    sleep 1
    press_key "$dialog" Escape
    sleep 1
}

# "Add Image" (7, 117, 50 x 11) of the background dialog, the menu's third item.
add_all_listed 2 'Custom Background - ' 7 117 50 11 248 135
grep -q '^ImageSum=2' "$settings" || fail "not the two pictures: $(grep '^Image' "$settings")"
grep -q "^ImageList.=$pictures/PHOTO.JPG" "$settings" || fail "PHOTO.JPG was not added"
grep -q "^ImageList.=$pictures/holiday.jpeg" "$settings" || fail "holiday.jpeg was not added"

# "Add Music" (270, 44, 38 x 11) of the music dialog, the menu's second item.
add_all_listed 1 'Custom Music - ' 270 44 38 11 317 151
grep -q '^MusicSum=2' "$settings" || fail "not the two songs: $(grep '^Music' "$settings")"
grep -q "^MusicList.=$songs/SONG.MP3" "$settings" || fail "SONG.MP3 was not added"
grep -q "^MusicList.=$songs/take.mpg" "$settings" || fail "take.mpg was not added"

press_key "$window" Escape
wait_for_exit "$APP_PID" 10 || fail "Escape did not end the program"
echo "PASS"
