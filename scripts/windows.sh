#!/usr/bin/env bash
# Builds and tests the Windows program on Debian 12, and writes combat-sheet-windows-x64.zip:
# installs the cross compiler and Wine, builds Qt for Windows when it is not cached yet
# (about an hour, once per machine), cross-builds the sheet and its test suites, runs the
# suites and a whole-program check under Wine on a virtual X screen, then packs the zip.
set -euo pipefail
root="$(cd "$(dirname "$0")/.." && pwd)"
bash "$root/scripts/setup.sh" g++-mingw-w64-x86-64-posix wine64 zip xclip python3 perl
cd "$root"

COMBAT_SHEET_WINDOWS_QT="$(bash scripts/windows-qt.sh)"
# The program's link time, the zip's entries: every date is the last commit's.
SOURCE_DATE_EPOCH="$(cmake -P cmake/SourceDateEpoch.cmake)"
export COMBAT_SHEET_WINDOWS_QT SOURCE_DATE_EPOCH

# The build machine's own programs: the CP932 table's writer, from its own Qt; the replay of
# the fight that the Windows program plays; the layout of the window that the check clicks.
cmake --preset release >/dev/null
cmake --build --preset release --target cp932-table replay-log print-layout
layout="$root/build-windows/layout.json"
mkdir -p "$root/build-windows"
(cd example && QT_QPA_PLATFORM=offscreen "$root/build-release/tools/print-layout" >"$layout")

cmake --preset windows >/dev/null
cmake --build --preset windows

# The folder the zip holds, laid out as a user unpacks it.
build="$root/build-windows"
package="$build/combat-sheet-windows-x64"
rm -rf "$package"
cmake --install "$build" --prefix "$package" >/dev/null
# Debian ships the compiler's runtime with its symbols: a user needs none of them.
find "$package" \( -name '*.dll' -o -name '*.exe' \) -exec x86_64-w64-mingw32-strip --strip-unneeded {} +

bash windows/check-under-wine.sh "$build" "$package" "$COMBAT_SHEET_WINDOWS_QT" \
  "$root/build-release/tools/replay-log" "$layout" \
  ${COMBAT_SHEET_WINDOWS_SCREENSHOT:+"$COMBAT_SHEET_WINDOWS_SCREENSHOT"}

# The same bytes from every build of one commit: entries in one order, each dated by the
# commit (in UTC, as the zip's times have no zone), without the owner and the build's times.
zip="$build/combat-sheet-windows-x64.zip"
rm -f "$zip"
(cd "$build" && export TZ=UTC &&
  find combat-sheet-windows-x64 -exec touch -h -d "@$SOURCE_DATE_EPOCH" {} + &&
  find combat-sheet-windows-x64 | LC_ALL=C sort | zip -qX "$zip" -@)
echo "windows: $zip ($(stat -c %s "$zip") bytes)"
