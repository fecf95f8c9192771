#!/usr/bin/env bash
# Builds and tests the Windows program on Debian 12, and writes combat-sheet-windows-x64.zip:
# installs the cross compiler and Wine, builds Qt for Windows when it is not cached yet
# (about an hour, once per machine), cross-builds the sheet and its test suites, runs the
# suites and a whole-program check under Wine on a virtual X screen, then packs the zip.
set -euo pipefail
root="$(cd "$(dirname "$0")/.." && pwd)"
bash "$root/scripts/setup.sh" g++-mingw-w64-x86-64-posix wine64 zip xclip python3 perl

qt="$(bash "$root/scripts/windows-qt.sh")"

# The CP932 table is written by the build machine's own writer, from its own Qt; the
# fight that the Windows program plays is replayed by the Linux sheet.
cmake -S "$root" -B "$root/build-host" -G Ninja -DCMAKE_BUILD_TYPE=Release -DBUILD_TESTING=OFF >/dev/null
cmake --build "$root/build-host" --target cp932-table replay-log

build="$root/build-windows"
cmake -S "$root" -B "$build" -G Ninja -DCMAKE_BUILD_TYPE=Release \
  -DCMAKE_TOOLCHAIN_FILE="$qt/lib/cmake/Qt6/qt.toolchain.cmake" \
  -DQT_CHAINLOAD_TOOLCHAIN_FILE="$root/cmake/mingw-w64-x86_64.cmake" \
  -DQT_HOST_PATH=/usr -DQT_HOST_PATH_CMAKE_DIR=/usr/lib/x86_64-linux-gnu/cmake \
  -DCOMBAT_SHEET_HOST_CP932_TABLE="$root/build-host/ratingtable/cp932-table" >/dev/null
cmake --build "$build"

# The folder the zip holds, laid out as a user unpacks it.
package="$build/combat-sheet-windows-x64"
rm -rf "$package"
cmake --install "$build" --prefix "$package" >/dev/null
# Debian ships the compiler's runtime with its symbols: a user needs none of them.
find "$package" \( -name '*.dll' -o -name '*.exe' \) -exec x86_64-w64-mingw32-strip --strip-unneeded {} +

bash "$root/windows/check-under-wine.sh" "$build" "$package" "$qt" "$root/build-host/tools/replay-log" \
  ${COMBAT_SHEET_WINDOWS_SCREENSHOT:+"$COMBAT_SHEET_WINDOWS_SCREENSHOT"}

(cd "$build" && rm -f combat-sheet-windows-x64.zip && zip -qr combat-sheet-windows-x64.zip combat-sheet-windows-x64)
echo "windows: $build/combat-sheet-windows-x64.zip ($(stat -c %s "$build/combat-sheet-windows-x64.zip") bytes)"
