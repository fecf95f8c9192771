#!/usr/bin/env bash
# Installs the build into a temporary prefix and builds the Debian package, then checks
# that both hold the program, launcher, icons, metadata and example table, that the
# launcher and metadata pass their validators, that the launcher starts the sheet in a
# folder of the user's own with a copy of the example table, and that without a display the
# program says what is missing.
# Usage: install-check.sh BUILD_DIR
set -euo pipefail
build="$(realpath "$1")"
work="$(mktemp -d)"
trap 'rm -rf "$work"' EXIT
id=net.combatsheet.CombatSheet
expected=(
  bin/combat-sheet
  bin/combat-sheet-launcher
  share/applications/$id.desktop
  share/icons/hicolor/scalable/apps/$id.svg
  share/icons/hicolor/48x48/apps/$id.png
  share/icons/hicolor/256x256/apps/$id.png
  share/metainfo/$id.metainfo.xml
  share/combat-sheet/RatingTable.txt
  share/doc/combat-sheet/copyright
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

# The launcher's first start: a folder of the user's own, holding the example table.
( export XDG_DATA_HOME="$work/data" QT_QPA_PLATFORM=offscreen
  timeout 3 "$work/prefix/bin/combat-sheet-launcher" >/dev/null 2>&1 || true )
cmp -s "$work/data/combat-sheet/RatingTable.txt" "$work/prefix/share/combat-sheet/RatingTable.txt" ||
  fail "the launcher did not set up its folder"

# A table that is a link to a missing file (an unmounted drive): the sheet still starts, to
# say it cannot open the table, and nothing is written through the link.
mkdir -p "$work/linked/combat-sheet"
ln -s "$work/unmounted/RatingTable.txt" "$work/linked/combat-sheet/RatingTable.txt"
rc=0
( export XDG_DATA_HOME="$work/linked" QT_QPA_PLATFORM=offscreen
  exec timeout 3 "$work/prefix/bin/combat-sheet-launcher" >/dev/null 2>&1 ) || rc=$?
[ "$rc" -eq 124 ] && [ ! -e "$work/unmounted" ] ||
  fail "with a dangling table link the launcher ended with $rc instead of starting the sheet"

# Without a display the program says so in one line and fails, instead of aborting.
rc=0
said="$(cd "$work" && env -u DISPLAY -u WAYLAND_DISPLAY -u QT_QPA_PLATFORM \
  "$work/prefix/bin/combat-sheet" 2>&1 >/dev/null)" || rc=$?
[ "$rc" -eq 1 ] && [ "$(wc -l <<<"$said")" -eq 1 ] && grep -q DISPLAY <<<"$said" ||
  fail "without a display: exit $rc, said: $said"

(cd "$build" && cpack -G DEB -B "$work/package" >/dev/null)
deb="$(ls "$work"/package/*.deb)"
echo "package $(basename "$deb"):"
dpkg-deb -f "$deb" Package Version Architecture Depends | sed 's/^/  /'
depends="$(dpkg-deb -f "$deb" Depends)"
for dependency in libqt6widgets6 fonts-ipafont-gothic qt6-qpa-plugins; do
  grep -q "$dependency" <<<"$depends" || fail "package does not depend on $dependency"
done
contents="$(dpkg-deb -c "$deb")"
for path in "${expected[@]}"; do
  grep -q "/usr/$path\$" <<<"$contents" || fail "package lacks /usr/$path"
done

[ "$status" -eq 0 ] && echo "1 passed, 0 failed: install and package complete"
exit "$status"
