#!/usr/bin/env bash
# Installs the build into a temporary prefix and builds the Debian package, then checks
# that both hold the program, launcher, icons, metadata and example table, that the
# launcher and metadata pass their validators, that the launcher starts the sheet in a
# folder of the user's own with a copy of the example table, and that without a display the
# program says what is missing; that the package has what Debian asks (programs in
# /usr/games, stripped and hardened, manual pages, a changelog, the example table in UTF-8)
# and that Debian's own checker, lintian, finds no error and no warning in it.
# Usage: install-check.sh BUILD_DIR
set -euo pipefail
build="$(realpath "$1")"
here="$(cd "$(dirname "$0")" && pwd)"
work="$(mktemp -d)"
trap 'rm -rf "$work"' EXIT
id=net.combatsheet.CombatSheet
expected=(
  games/combat-sheet
  games/combat-sheet-launcher
  share/man/man6/combat-sheet.6.gz
  share/man/man6/combat-sheet-launcher.6.gz
  share/applications/$id.desktop
  share/icons/hicolor/scalable/apps/$id.svg
  share/icons/hicolor/48x48/apps/$id.png
  share/icons/hicolor/256x256/apps/$id.png
  share/metainfo/$id.metainfo.xml
  share/combat-sheet/RatingTable.txt
  share/doc/combat-sheet/copyright
  share/doc/combat-sheet/changelog.gz
)
status=0
fail() { echo "FAIL: $*"; status=1; }

cmake --install "$build" --prefix "$work/prefix" >/dev/null
for path in "${expected[@]}"; do
  [ -e "$work/prefix/$path" ] || fail "install lacks $path"
done
desktop-file-validate "$work/prefix/share/applications/$id.desktop" || fail "desktop file invalid"
appstreamcli validate --no-net "$work/prefix/share/metainfo/$id.metainfo.xml" >/dev/null ||
  fail "metainfo invalid"
# The menu entry's command is one of the installed programs (found on the PATH, which on
# Debian holds /usr/games and /usr/local/games).
command="$(sed -n 's/^Exec=\([^ ]*\).*/\1/p' "$work/prefix/share/applications/$id.desktop")"
[ -x "$work/prefix/games/$command" ] || fail "the menu entry runs $command, which is not installed"
# The example table is installed in UTF-8, the same text as the CP932 one in the source.
iconv -f CP932 -t UTF-8 "$here/../example/RatingTable.txt" |
  cmp -s - "$work/prefix/share/combat-sheet/RatingTable.txt" ||
  fail "the installed example table is not the source's table in UTF-8"
for page in combat-sheet combat-sheet-launcher; do
  warnings="$(LC_ALL=C.UTF-8 MANWIDTH=80 man --warnings -l \
    "$work/prefix/share/man/man6/$page.6.gz" 2>&1 >/dev/null)"
  [ -z "$warnings" ] || fail "manual page $page: $warnings"
done

# The launcher's first start: a folder of the user's own, holding the example table.
( export XDG_DATA_HOME="$work/data" QT_QPA_PLATFORM=offscreen
  timeout 3 "$work/prefix/games/combat-sheet-launcher" >/dev/null 2>&1 || true )
cmp -s "$work/data/combat-sheet/RatingTable.txt" "$work/prefix/share/combat-sheet/RatingTable.txt" ||
  fail "the launcher did not set up its folder"

# A table that is a link to a missing file (an unmounted drive): the sheet still starts, to
# say it cannot open the table, and nothing is written through the link.
mkdir -p "$work/linked/combat-sheet"
ln -s "$work/unmounted/RatingTable.txt" "$work/linked/combat-sheet/RatingTable.txt"
rc=0
( export XDG_DATA_HOME="$work/linked" QT_QPA_PLATFORM=offscreen
  exec timeout 3 "$work/prefix/games/combat-sheet-launcher" >/dev/null 2>&1 ) || rc=$?
[ "$rc" -eq 124 ] && [ ! -e "$work/unmounted" ] ||
  fail "with a dangling table link the launcher ended with $rc instead of starting the sheet"

# Where its folder cannot be made, the launcher still puts something on the screen: the
# sheet's own message that it cannot open the table (a window titled as the program), on a
# real X display as from the menu. A folder named like an option is a folder like any other.
shows_cannot_open() {
  timeout 20 xvfb-run -a env -u XDG_DATA_HOME -u QT_QPA_PLATFORM "$@" sh -c '
    cd "$0" && "$1/games/combat-sheet-launcher" >/dev/null 2>&1 &
    timeout 10 xdotool search --sync --onlyvisible --name "^Combat-sheet\$" >/dev/null' \
    "$work" "$work/prefix"
}
shows_cannot_open XDG_DATA_HOME=/proc/self || fail "with XDG_DATA_HOME=/proc/self nothing showed"
shows_cannot_open HOME=/proc/self || fail "with an unwritable home nothing showed"
( cd "$work" && QT_QPA_PLATFORM=offscreen exec timeout 3 \
  "$work/prefix/games/combat-sheet-launcher" -dashed >/dev/null 2>&1 ) || true
[ -f "$work/-dashed/RatingTable.txt" ] || fail "the launcher did not make the folder -dashed"

# Without a display the program says so in one line and fails, instead of aborting.
rc=0
said="$(cd "$work" && env -u DISPLAY -u WAYLAND_DISPLAY -u QT_QPA_PLATFORM \
  "$work/prefix/games/combat-sheet" 2>&1 >/dev/null)" || rc=$?
[ "$rc" -eq 1 ] && [ "$(wc -l <<<"$said")" -eq 1 ] && grep -q DISPLAY <<<"$said" ||
  fail "without a display: exit $rc, said: $said"

(cd "$build" && cpack -G DEB -B "$work/package" >/dev/null)
deb="$(ls "$work"/package/*.deb)"
echo "package $(basename "$deb"):"
dpkg-deb -f "$deb" Package Version Architecture Section Depends Recommends | sed 's/^/  /'
depends="$(dpkg-deb -f "$deb" Depends)"
for dependency in libqt6widgets6 fonts-ipafont-gothic qt6-qpa-plugins; do
  grep -q "$dependency" <<<"$depends" || fail "package does not depend on $dependency"
done
# Qt's Wayland plugin comes with the package unless the user declines recommended packages.
grep -q qt6-wayland <<<"$(dpkg-deb -f "$deb" Recommends)" ||
  fail "package does not recommend qt6-wayland"
contents="$(dpkg-deb -c "$deb")"
for path in "${expected[@]}"; do
  grep -q "/usr/$path\$" <<<"$contents" || fail "package lacks /usr/$path"
done
# Bound at start-up with a read-only relocation table (the package's own hardening; the
# checked functions of _FORTIFY_SOURCE come only with an optimised build).
dpkg-deb -x "$deb" "$work/unpacked"
elf="$(LC_ALL=C readelf -W -l -d "$work/unpacked/usr/games/combat-sheet")"
grep -q GNU_RELRO <<<"$elf" && grep -q 'FLAGS.*BIND_NOW' <<<"$elf" ||
  fail "the packaged program is not linked with -z relro -z now"

# Debian's checker, every check including the pedantic ones: no error, no warning.
# (Run as root, as in a fresh Debian root, lintian says it would rather not be.)
rc=0
lintian --pedantic --fail-on error,warning "$deb" >"$work/lintian" 2>&1 || rc=$?
checked="$(grep -v 'running with root privileges' "$work/lintian" || true)"
[ "$rc" -eq 0 ] || fail "lintian --pedantic exited $rc"
echo "lintian --pedantic: ${checked:-no error, no warning}"

[ "$status" -eq 0 ] && echo "1 passed, 0 failed: install and package complete"
exit "$status"
