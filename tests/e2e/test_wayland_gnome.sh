#!/usr/bin/env bash
# The snapshot through the desktop portal on GNOME: a headless GNOME Shell with one 1920x1080
# virtual monitor showing a known background, its Xwayland, and xdg-desktop-portal with the gnome
# back end, in a D-Bus session of their own (with a system bus of their own, which the shell
# needs), as an unprivileged user. With the "screenshot" permission granted in the permission
# store, the snapshot is the background, Escape quits with status 0 and the portal's picture is
# not left in the home folder. With the permission denied the program starts at once without a
# snapshot and says why; with no permission stored GNOME asks the question, nobody answers, and
# the program starts without a snapshot once its bound has passed, saying why.
source "$(dirname "$0")/wayland_lib.sh"

if [ "${REEF_WAYLAND_INNER:-}" != 1 ]; then
    need gnome-shell Xwayland gsettings dbus-daemon /usr/libexec/xdg-desktop-portal \
        /usr/libexec/xdg-desktop-portal-gnome
    prepare_session
    cat >"$SESSION/system.conf" <<CONFIG
<!DOCTYPE busconfig PUBLIC "-//freedesktop//DTD D-Bus Bus Configuration 1.0//EN"
 "http://www.freedesktop.org/standards/dbus/1.0/busconfig.dtd">
<busconfig>
  <type>system</type>
  <listen>unix:path=$SESSION/run/system_bus</listen>
  <auth>EXTERNAL</auth>
  <policy context="default">
    <allow send_destination="*" eavesdrop="true"/>
    <allow eavesdrop="true"/>
    <allow own="*"/>
  </policy>
</busconfig>
CONFIG
    chmod a+r "$SESSION/system.conf"
    run_session 200 XDG_CURRENT_DESKTOP=GNOME \
        DBUS_SYSTEM_BUS_ADDRESS="unix:path=$SESSION/run/system_bus"
fi

dbus-daemon --config-file=system.conf --nofork >system-bus.log 2>&1 &
INNER_PIDS+=($!)
for _ in $(seq 50); do
    [ -S run/system_bus ] && break
    sleep 0.1
done
gsettings set org.gnome.desktop.background picture-uri "file://$SESSION/background.png"
gsettings set org.gnome.desktop.background picture-uri-dark "file://$SESSION/background.png"
gsettings set org.gnome.desktop.background picture-options stretched

gnome-shell --headless --wayland --virtual-monitor 1920x1080 >shell.log 2>&1 &
INNER_PIDS+=($!)
for _ in $(seq 600); do
    grep -q "GNOME Shell started" shell.log && break
    sleep 0.1
done
grep -q "GNOME Shell started" shell.log || { cat shell.log; fail "GNOME Shell did not start"; }
DISPLAY=$(grep -o 'Using public X11 display :[0-9]*' shell.log | head -n1 | grep -o ':[0-9]*')
WAYLAND_DISPLAY=$(grep -o "Using Wayland display name '[^']*'" shell.log | head -n1 | cut -d"'" -f2)
XAUTHORITY=$(ls run/.mutter-Xwaylandauth.* 2>/dev/null | head -n1)
[ -n "$DISPLAY" ] && [ -n "$WAYLAND_DISPLAY" ] && [ -n "$XAUTHORITY" ] ||
    { cat shell.log; fail "GNOME Shell gave no Xwayland display"; }
export DISPLAY WAYLAND_DISPLAY XAUTHORITY="$SESSION/$XAUTHORITY"
start_portal

# The answer a user gave to GNOME's question, as the portal keeps it ("yes", "no"), or none.
permission() {
    local store=(--session --dest org.freedesktop.impl.portal.PermissionStore
        --object-path /org/freedesktop/impl/portal/PermissionStore)
    if [ -n "$1" ]; then
        gdbus call "${store[@]}" --method org.freedesktop.impl.portal.PermissionStore.SetPermission \
            screenshot true screenshot '' "['$1']" >/dev/null
    else
        gdbus call "${store[@]}" --method org.freedesktop.impl.portal.PermissionStore.Delete \
            screenshot screenshot >/dev/null 2>&1 || true
    fi
}

permission yes
for run in 1 2; do
    start_program 60
    echo "permission granted, run $run: window after $STARTED_MS ms"
    check_snapshot 1920 1080 "permission granted"
    check_sentence ""
    quit_program "permission granted"
    leftovers=$(find home -name '*.png')
    [ -z "$leftovers" ] || fail "the portal's picture was left behind: $leftovers"
done

permission no
start_program 60
echo "permission denied: window after $STARTED_MS ms"
[ ! -e tmp/topdesk.bmp ] || fail "a snapshot was written though the permission was denied"
check_sentence "refused"
quit_program "permission denied"

# No answer stored: the portal asks, nobody answers, and the program goes on at its bound.
permission ""
start_program 60
echo "question not answered: window after $STARTED_MS ms"
[ "$STARTED_MS" -ge 29000 ] && [ "$STARTED_MS" -le 40000 ] ||
    fail "the unanswered question held the start $STARTED_MS ms, not about 30 s"
[ ! -e tmp/topdesk.bmp ] || fail "a snapshot was written though nobody answered"
check_sentence "did not answer in time"
quit_program "question not answered"
