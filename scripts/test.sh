#!/usr/bin/env bash
# Sets everything up, builds the combat sheet and its tests, and runs the whole suite
# headless on Qt's offscreen platform.
set -euo pipefail
root="$(cd "$(dirname "$0")/.." && pwd)"
bash "$root/scripts/setup.sh"
cmake -S "$root" -B "$root/build" -G Ninja -DCMAKE_BUILD_TYPE=Debug >/dev/null
cmake --build "$root/build"
cd "$root/build"
QT_QPA_PLATFORM=offscreen ctest --output-on-failure
