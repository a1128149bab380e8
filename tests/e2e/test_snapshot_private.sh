#!/usr/bin/env bash
# The desktop snapshot is a picture of the user's screen: it is written, mode 0600, into a
# folder only the user can enter (the runtime folder's own "glassreef" folder when TMPDIR is not
# set), and whatever was planted at its name, a link to another file of the user's or a FIFO,
# is replaced without being followed or written through.
source "$(dirname "$0")/lib.sh"
start_display 1280x800x24
expected_size=$((54 + 1280 * 4 * 800))

run_once() {
    start_app
    local window
    window=$(wait_for_window 30) || fail "no window ($1)"
    press_key "$window" Escape
    wait_for_exit "$APP_PID" 10 || fail "Escape did not close the program ($1)"
}

check_snapshot() {
    local snapshot=$1 case=$2
    [ -f "$snapshot" ] && [ ! -L "$snapshot" ] || fail "no snapshot file of its own ($case)"
    [ "$(stat -c %a "$snapshot")" = 600 ] || fail "snapshot mode $(stat -c %a "$snapshot") ($case)"
    [ "$(stat -c %s "$snapshot")" -eq "$expected_size" ] || fail "snapshot size ($case)"
    local strays
    strays=$(find "$(dirname "$snapshot")" -name 'topdesk.bmp?*')
    [ -z "$strays" ] || fail "temporary files left: $strays ($case)"
}

# An empty TMPDIR counts as not set.
export TMPDIR=""
run_once "no TMPDIR"
private="$XDG_RUNTIME_DIR/glassreef"
[ "$(stat -c %a "$private")" = 700 ] || fail "the private folder has mode $(stat -c %a "$private")"
check_snapshot "$private/topdesk.bmp" "no TMPDIR"

export TMPDIR="$SCRATCH/tmp"
echo "precious" >"$SCRATCH/victim"
for planted in link fifo; do
    rm -f "$TMPDIR/topdesk.bmp"
    case $planted in
        link) ln -s "$SCRATCH/victim" "$TMPDIR/topdesk.bmp" ;;
        fifo) mkfifo "$TMPDIR/topdesk.bmp" ;;
    esac
    run_once "$planted"
    check_snapshot "$TMPDIR/topdesk.bmp" "$planted"
done
[ "$(cat "$SCRATCH/victim")" = "precious" ] || fail "the link's target was overwritten"
echo "PASS"
