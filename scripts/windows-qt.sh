#!/usr/bin/env bash
# Builds Qt for 64-bit Windows (qtbase, the host's own version) with mingw-w64 from
# Debian's qt6-base source, once per machine, into a cache folder outside the repository.
# Prints Qt's folder; the cache folder that holds it is the Windows checks' as well. Takes
# about an hour on two cores; later runs return at once.
# With --cached it builds nothing, and fails when the cache is not there.
set -euo pipefail
root="$(cd "$(dirname "$0")/.." && pwd)"
cache="${COMBAT_SHEET_CACHE:-${XDG_CACHE_HOME:-$HOME/.cache}/combat-sheet}"
version="$(dpkg-query -W -f='${Version}' qt6-base-dev)"
prefix="$cache/qt-${version%%+*}-mingw-w64"
if [ -f "$prefix/.complete" ]; then
  echo "$prefix"
  exit 0
fi
[ "${1:-}" != --cached ] || exit 1

work="$cache/qt-build"
rm -rf "$work" "$prefix"
mkdir -p "$work/parts" "$work/lists/partial"

# A private sources list with the system's own mirrors as deb-src entries, so the system's
# apt configuration stays as it is.
if [ -f /etc/apt/sources.list ]; then
  sed -n 's/^deb /deb-src /p' /etc/apt/sources.list > "$work/parts/src.list"
fi
for f in /etc/apt/sources.list.d/*.sources; do
  [ -f "$f" ] && sed 's/^Types: deb$/Types: deb-src/' "$f" > "$work/parts/$(basename "$f")"
done
apt_private=(-o Dir::Etc::sourcelist=/dev/null -o "Dir::Etc::sourceparts=$work/parts"
             -o "Dir::State::Lists=$work/lists")
apt-get "${apt_private[@]}" update -q >&2
(cd "$work" && apt-get "${apt_private[@]}" source -q "qt6-base=$version" >&2)
src="$(find "$work" -maxdepth 1 -type d -name 'qt6-base-*' | head -n 1)"

# Qt 6.4.2 reads the dynamic-GL context in a paint handler even when OpenGL is configured
# out, which does not compile; without OpenGL that check is always false.
perl -0pi -e 's/#if QT_CONFIG\(dynamicgl\)\n(\s+return QOpenGLStaticContext)/#if QT_CONFIG(opengl) && QT_CONFIG(dynamicgl)\n$1/' \
  "$src/src/plugins/platforms/windows/qwindowswindow.cpp"

# Debian's source leaves out the tablet header wintab.h: tablet events are off.
cmake -S "$src" -B "$work/build" -G Ninja \
  -DCMAKE_TOOLCHAIN_FILE="$root/cmake/mingw-w64-x86_64.cmake" \
  -DCMAKE_BUILD_TYPE=Release -DCMAKE_INSTALL_PREFIX="$prefix" \
  -DQT_BUILD_TESTS=OFF -DQT_BUILD_EXAMPLES=OFF \
  -DFEATURE_sql=OFF -DFEATURE_network=OFF -DFEATURE_dbus=OFF -DFEATURE_opengl=OFF \
  -DFEATURE_printsupport=OFF -DFEATURE_concurrent=OFF -DFEATURE_xml=OFF -DFEATURE_icu=OFF \
  -DFEATURE_tabletevent=OFF -DFEATURE_vulkan=OFF >&2
nice cmake --build "$work/build" --parallel 2 >&2
cmake --install "$work/build" >&2
# The licences a program that ships Qt's libraries passes on.
cp -r "$src/LICENSES" "$prefix/licenses"
python3 "$root/windows/qt-notices.py" "$src" "$prefix/licenses/THIRD-PARTY-NOTICES.txt"
rm -rf "$work"
touch "$prefix/.complete"
echo "$prefix"
