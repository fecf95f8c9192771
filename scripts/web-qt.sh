#!/usr/bin/env bash
# Builds Qt for WebAssembly (qtbase 6.8.2, static) once per machine, into a cache folder
# outside the repository, and prints Qt's folder. Debian 12's emscripten is too old for any
# Qt that Debian builds, so the toolchain lives in a Debian 13 root of its own inside the
# cache: its emscripten, its host Qt (for moc and rcc) and its qt6-base source. Takes about
# twenty minutes on two cores, the root included; later runs return at once. With --cached it builds
# nothing, and fails when the cache is not there.
set -euo pipefail
cache="${COMBAT_SHEET_CACHE:-${XDG_CACHE_HOME:-$HOME/.cache}/combat-sheet}"
web="$cache/web"
prefix=/opt/qt-6.8.2-wasm # inside the root
if [ -f "$web/root$prefix/.complete" ]; then
  echo "$web/root$prefix"
  exit 0
fi
[ "${1:-}" != --cached ] || exit 1

bash "$(dirname "$0")/setup.sh" mmdebstrap
rm -rf "$web"
mkdir -p "$web"
mmdebstrap --variant=apt \
  --include=emscripten,cmake,ninja-build,python3,build-essential,dpkg-dev,ca-certificates,qt6-base-dev,qt6-base-dev-tools \
  trixie "$web/root" >&2

# Qt's configure looks for an emsdk: a folder whose .emscripten names the emscripten that
# Debian installs.
bash "$(dirname "$0")/in-web-root.sh" "$web/root" '
  sed -n "s/^deb /deb-src /p" /etc/apt/sources.list > /etc/apt/sources.list.d/src.list
  apt-get update -q
  mkdir -p /qt-src && cd /qt-src && apt-get source -q qt6-base
  mkdir -p /emsdk
  ln -sfn /usr/share/emscripten /emsdk/emscripten
  echo "EMSCRIPTEN_ROOT = '"'"'emscripten'"'"'" > /emsdk/.emscripten
  mkdir -p /qt-build && cd /qt-build
  /qt-src/qt6-base-6.8.2*/configure -platform wasm-emscripten -qt-host-path /usr -prefix '"$prefix"' \
    -static -release -nomake examples -nomake tests \
    -no-feature-sql -no-feature-network -no-feature-printsupport -no-feature-concurrent \
    -no-feature-dbus -no-feature-testlib -no-feature-xml \
    -- -DQT_HOST_PATH_CMAKE_DIR=/usr/lib/x86_64-linux-gnu/cmake
  nice cmake --build . --parallel 2
  cmake --install .
  cp -r /qt-src/qt6-base-6.8.2*/LICENSES '"$prefix"'/licenses
  rm -rf /qt-build /qt-src' >&2
touch "$web/root$prefix/.complete"
echo "$web/root$prefix"
