#!/usr/bin/env bash
# `cmake --install` into a throw-away DESTDIR under the prefix /usr, as the Debian package does:
# every file a desktop looks for is in its place, the launcher, the metainfo and the manual page
# pass their checkers, and the installed program shows its window, opens the help page installed
# beside it and ends on Escape with status 0. The program's build tree is the folder it was built
# in ($1's folder).
source "$(dirname "$0")/lib.sh"
build=$(dirname "$PROGRAM")
root="$SCRATCH/root"
DESTDIR="$root" cmake --install "$build" --prefix /usr >"$SCRATCH/install.log" 2>&1 ||
    fail "install failed: $(cat "$SCRATCH/install.log")"
usr="$root/usr"
PROGRAM="$usr/bin/glassreef"

[ -x "$PROGRAM" ] || fail "no bin/glassreef"
launcher=$(find "$usr/share/applications" -name '*.desktop')
metainfo=$(find "$usr/share/metainfo" -name '*.metainfo.xml')
[ "$(echo "$launcher" | wc -w)" -eq 1 ] || fail "launchers: $launcher"
[ "$(echo "$metainfo" | wc -w)" -eq 1 ] || fail "metainfo files: $metainfo"
for file in share/man/man6/glassreef.6.gz share/glassreef/help/index.html \
    share/doc/glassreef/copyright share/doc/glassreef/changelog.gz; do
    [ -s "$usr/$file" ] || fail "no $file"
done
# The metainfo names the launcher, and the launcher the installed program and icon.
grep -q "<launchable type=\"desktop-id\">$(basename "$launcher")</launchable>" "$metainfo" ||
    fail "the metainfo does not name $(basename "$launcher")"
grep -qx 'Name=Glass Reef' "$launcher" || fail "launcher name"
exec_name=$(sed -n 's/^Exec=//p' "$launcher")
[ -x "$usr/bin/$exec_name" ] || fail "the launcher runs $exec_name, which is not installed"
icon=$(sed -n 's/^Icon=//p' "$launcher")
for size in 16 22 24 32 48 64 128 256; do
    file="$usr/share/icons/hicolor/${size}x${size}/apps/$icon.png"
    [ -f "$file" ] || fail "no ${size}x${size} icon"
    [ "$(identify -format %wx%h "$file")" = "${size}x${size}" ] || fail "$file is not $size pixels"
done

desktop-file-validate "$launcher" >"$SCRATCH/check.log" 2>&1 || fail "$(cat "$SCRATCH/check.log")"
[ ! -s "$SCRATCH/check.log" ] || fail "desktop-file-validate: $(cat "$SCRATCH/check.log")"
appstreamcli validate --no-net --pedantic "$metainfo" >"$SCRATCH/check.log" 2>&1 ||
    fail "$(cat "$SCRATCH/check.log")"
grep -q 'Validation was successful\.$' "$SCRATCH/check.log" ||
    fail "appstreamcli: $(cat "$SCRATCH/check.log")"
man --warnings -l "$usr/share/man/man6/glassreef.6.gz" 2>"$SCRATCH/check.log" >/dev/null ||
    fail "man failed"
[ ! -s "$SCRATCH/check.log" ] || fail "man --warnings: $(cat "$SCRATCH/check.log")"

start_display 1680x1050x24
expect_help_link_opens "$(realpath "$usr/share/glassreef/help/index.html")"
echo "PASS"
