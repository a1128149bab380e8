#!/usr/bin/env bash
# Folders the program cannot write, as an ordinary user meets them (a root user would write
# anyway, so the program then runs as "nobody"):
#  - a read-only temporary folder holding the snapshot of an earlier run: that old desktop is
#    not shown;
#  - a read-only configuration folder: the aquarium runs all the same, with its files unpacked
#    in a private temporary folder that is gone after the program ends;
#  - both read-only: the program ends with status 0 and says why on standard error.
source "$(dirname "$0")/lib.sh"
start_display 1680x1050x24
convert -size 16x16 'xc:#2050a0' "$SCRATCH/desktop.png"
display -window root "$SCRATCH/desktop.png" || true

as_user=()
owner=$(id -u)
if [ "$owner" -eq 0 ]; then
    as_user=(setpriv --reuid=65534 --regid=65534 --clear-groups)
    owner=65534
fi
chmod 755 "$SCRATCH"
# Folders of the user ($1 writable: yes or no); the runtime folder always is.
prepare() {
    rm -rf "$XDG_CONFIG_HOME" "$TMPDIR" "$XDG_RUNTIME_DIR"
    mkdir -p "$XDG_CONFIG_HOME/glassreef" "$TMPDIR" "$XDG_RUNTIME_DIR"
    chown "$owner" "$XDG_CONFIG_HOME" "$XDG_CONFIG_HOME/glassreef" "$TMPDIR" "$XDG_RUNTIME_DIR"
    chmod 700 "$XDG_RUNTIME_DIR"
}
read_only() {
    chown "$(id -u)" "$1"
    chmod 555 "$1"
}
run_as_user() {
    "${as_user[@]}" "$PROGRAM" >>"$SCRATCH/app.log" 2>"$SCRATCH/stderr.log" &
    APP_PID=$!
    APP_PIDS+=("$APP_PID")
}
# The colour at the middle of the screen as "R G B".
centre() {
    import -window root -crop 200x200+740+425 -resize 1x1\! -depth 8 txt:- 2>/dev/null |
        grep -oE '\([0-9]+,[0-9]+,[0-9]+' | tr -d '(' | tr ',' ' ' | head -n1
}

# 1. An old snapshot, all red, in a temporary folder that cannot take this run's snapshot.
prepare
convert -size 1680x1050 xc:'rgb(230,20,20)' BMP3:"$TMPDIR/topdesk.bmp"
chmod 644 "$TMPDIR/topdesk.bmp"
read_only "$TMPDIR"
run_as_user
window=$(wait_for_window 30) || fail "no window with a read-only temporary folder"
sleep 2
read -r r g b <<<"$(centre)"
echo "centre with a stale snapshot: $r $g $b"
if [ "$r" -gt 120 ] && [ "$r" -gt $((2 * g)) ] && [ "$r" -gt $((2 * b)) ]; then
    fail "the old snapshot is shown as today's desktop"
fi
kill "$APP_PID"
wait "$APP_PID" 2>/dev/null || true

# 2. A read-only configuration folder.
prepare
read_only "$XDG_CONFIG_HOME/glassreef"
run_as_user
window=$(wait_for_window 30) || fail "no window with a read-only configuration folder"
sleep 2
kill -0 "$APP_PID" 2>/dev/null || fail "the program ended: $(cat "$SCRATCH/stderr.log")"
press_key "$window" Escape
wait_for_exit "$APP_PID" 10 || fail "Escape did not close the program"
[ "$EXIT_STATUS" -eq 0 ] || fail "exit status $EXIT_STATUS"
leftovers=$(find "$TMPDIR" "$XDG_CONFIG_HOME" -mindepth 1 ! -name topdesk.bmp ! -name glassreef)
[ -z "$leftovers" ] || fail "files left behind: $leftovers"

# 3. Neither folder can take the unpacked files.
prepare
read_only "$XDG_CONFIG_HOME/glassreef"
read_only "$TMPDIR"
run_as_user
wait_for_exit "$APP_PID" 30 || fail "the program keeps running without any folder to unpack to"
[ "$EXIT_STATUS" -eq 0 ] || fail "exit status $EXIT_STATUS"
grep -q "cannot unpack" "$SCRATCH/stderr.log" || fail "no reason given: $(cat "$SCRATCH/stderr.log")"
echo "PASS"
