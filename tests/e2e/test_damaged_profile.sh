#!/usr/bin/env bash
# A damaged GlassReefScr.conf (the music volume's profile, which the program only reads) is no
# reason to stop: with a line "=1" in [Settings], or 100 KB of random bytes, the program starts,
# its Custom Music dialog opens, no assertion box shows, and Escape ends it with status 0.
source "$(dirname "$0")/lib.sh"
start_display 1280x1024x24
profile="$XDG_CONFIG_HOME/GlassReefScr.conf"

for damage in empty-name noise; do
    case $damage in
        empty-name) printf '[Settings]\n=1\n' >"$profile" ;;
        noise) head -c 102400 /dev/urandom >"$profile" ;;
    esac
    cp "$profile" "$SCRATCH/profile.before"
    : >"$SCRATCH/app.log"
    start_app
    window=$(wait_for_window 30) || fail "no window ($damage)"
    # "  Custom Music" is the menu's second item.
    choose_menu_item 600 400 1
    dialog=$(wait_for_shown '^Custom Music - Glass Reef' 10) ||
        fail "the Custom Music dialog did not open ($damage)"
    if xdotool search --onlyvisible --name 'assert|alert' >/dev/null 2>&1; then
        fail "an assertion box is on screen ($damage)"
    fi
    ! grep -qi 'assert' "$SCRATCH/app.log" || fail "an assertion failed ($damage): $(cat "$SCRATCH/app.log")"
    press_key "$dialog" Escape
    sleep 0.5
    press_key "$window" Escape
    wait_for_exit "$APP_PID" 10 || fail "Escape did not close the program ($damage)"
    [ "$EXIT_STATUS" = 0 ] || fail "exit status $EXIT_STATUS ($damage)"
    cmp -s "$profile" "$SCRATCH/profile.before" || fail "the profile was changed ($damage)"
done
echo "PASS"
