#!/usr/bin/env bash
# Sets everything up, then builds and runs the whole test suite headless on Qt's offscreen
# platform: once as shipped, once under AddressSanitizer and UndefinedBehaviorSanitizer,
# and then a short run of every fuzz target.
set -euo pipefail
root="$(cd "$(dirname "$0")/.." && pwd)"
bash "$root/scripts/setup.sh"
export QT_QPA_PLATFORM=offscreen

# Every C++ file as .clang-format describes it.
(cd "$root" && find benchmarks dice fuzz main ratingtable rules tests tools -name '*.cpp' -o -name '*.h' \
  | xargs clang-format-14 --dry-run -Werror)
echo "format check: every C++ file matches .clang-format"

cmake -S "$root" -B "$root/build" -G Ninja -DCMAKE_BUILD_TYPE=Debug >/dev/null
cmake --build "$root/build"
(cd "$root/build" && ctest --output-on-failure)

cmake -S "$root" -B "$root/build-asan" -G Ninja -DCMAKE_BUILD_TYPE=Debug \
  -DCOMBAT_SHEET_SANITIZE=ON >/dev/null
cmake --build "$root/build-asan"
(cd "$root/build-asan" && ASAN_OPTIONS=detect_leaks=1 ctest --output-on-failure)

bash "$root/scripts/fuzz.sh" 30
