#!/usr/bin/env bash
# Sets everything up, then builds and runs the whole test suite headless on Qt's offscreen
# platform: once as shipped, once under AddressSanitizer and UndefinedBehaviorSanitizer,
# then a short run of every fuzz target; last the Windows program under Wine and the page in
# Chromium, where their Qt is built on this machine. The builds are CMakePresets.json's.
set -euo pipefail
root="$(cd "$(dirname "$0")/.." && pwd)"
bash "$root/scripts/setup.sh"
export QT_QPA_PLATFORM=offscreen
cd "$root"

# Every C++ file in the repository as .clang-format describes it.
git ls-files -z '*.cpp' '*.h' | xargs -0 clang-format-14 --dry-run -Werror
echo "format check: every C++ file matches .clang-format"

# Every connection names a context object, whose end ends the connection. Qt 6.4 does not
# check this (QT_NO_CONTEXTLESS_CONNECT needs Qt 6.7): a connect whose slot, a lambda or a
# function, follows the signal directly, or a singleShot whose slot follows the interval (and
# timer type), has no context.
contextless="$(git ls-files -z '*.cpp' '*.h' | xargs -0 perl -0777 -ne '
  while (/\bconnect\(\s*[^,;]+,\s*&[\w:]+,\s*(?:\[|&[\w:]+\s*\))|\bsingleShot\(\s*[^,;]+,\s*(?:Qt::\w+,\s*)?(?:\[|&[\w:]+\s*\))/g) {
    print "$ARGV:", 1 + (substr($_, 0, $-[0]) =~ tr/\n//), ": a connection without a context object\n";
  }')"
if [ -n "$contextless" ]; then
  echo "$contextless"
  exit 1
fi
echo "connection check: every connection has a context object"

for preset in debug asan; do
  cmake --preset "$preset" >/dev/null
  cmake --build --preset "$preset"
  ctest --preset "$preset"
done

bash "$root/scripts/fuzz.sh" 30

# The Windows program is checked under Wine, and the page in Chromium, where their Qt is
# already built: building it takes an hour for Windows and twenty minutes for the page,
# which scripts/windows.sh and scripts/web.sh spend once per machine.
if bash scripts/windows-qt.sh --cached >/dev/null 2>&1; then
  bash scripts/windows.sh
else
  echo "windows: skipped: Qt for Windows is not built on this machine (bash scripts/windows.sh builds it)"
fi
if bash scripts/web-qt.sh --cached >/dev/null 2>&1; then
  bash scripts/web.sh
else
  echo "web: skipped: Qt for WebAssembly is not built on this machine (bash scripts/web.sh builds it)"
fi
