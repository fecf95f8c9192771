#!/usr/bin/env bash
# Runs the Windows build under Wine on a virtual X screen: every Qt Test suite, beside the
# DLLs and plugins the zip ships, then the program from the zip's folder driven with xdotool.
# Usage: check-under-wine.sh BUILD_DIR PACKAGE_DIR QT_PREFIX REPLAY_TOOL LAYOUT.json [SCREENSHOT.png]
set -euo pipefail
build="$1" package="$2" qt="$3" replay="$4" layout="$5" screenshot="${6:-}"
here="$(cd "$(dirname "$0")" && pwd)"
# The Wine prefix is kept in the cache folder that holds Qt for Windows.
cache="$(dirname "$qt")"

# Wine hands the environment on: Qt settings meant for the Linux build must not reach these.
unset QT_QPA_PLATFORM QT_PLUGIN_PATH QT_SCALE_FACTOR
# Every action of the soak costs some twenty times as much under Wine: a quarter of them.
export COMBAT_SHEET_SOAK_ACTIONS=5000
export WINEPREFIX="$cache/wine-prefix" WINEDEBUG=-all WINEARCH=win64
# No Mono or Gecko installer dialogs: nothing here needs them.
export WINEDLLOVERRIDES="mscoree,mshtml="
wine=/usr/lib/wine/wine64
[ -x "$wine" ] || wine="$(command -v wine64)"
export WINE="$wine"

# Wide enough for the sheet at twice the pixel density: Windows keeps a window no larger
# than the screen.
exec 3< <(Xvfb -displayfd 1 -screen 0 2560x1600x24 -nolisten tcp 2>/dev/null)
xvfb_pid=$!
read -r display <&3
export DISPLAY=":$display"
cleanup() {
  /usr/lib/wine/wineserver -k 2>/dev/null || wineserver -k 2>/dev/null || true
  kill "$xvfb_pid" 2>/dev/null || true
}
trap cleanup EXIT

mkdir -p "$WINEPREFIX"
timeout 300 "$wine" wineboot --init >/dev/null 2>&1
# Wine draws the windows' frames itself: without a window manager, a managed window waits
# two seconds for one to confirm every window it closes.
"$wine" reg add 'HKCU\Software\Wine\X11 Driver' /v Managed /d N /f >/dev/null 2>&1

# The suites run from a copy of the zip's folder, so they load what a user's copy loads.
suites="$build/wine-suites"
rm -rf "$suites"
cp -r "$package" "$suites"
cp "$build"/tests/tst_*.exe "$qt/bin/Qt6Test.dll" "$suites/"
passed=0 failed=0
for suite in "$suites"/tst_*.exe; do
  name="$(basename "$suite" .exe)"
  if (cd "$suites" && timeout 600 "$wine" "$suite" -o "$name.txt,txt" >/dev/null 2>&1); then
    status=passed passed=$((passed + 1))
  else
    status=FAILED failed=$((failed + 1))
  fi
  echo "wine: $name $status: $(grep -a '^Totals:' "$suites/$name.txt" || echo 'no totals')"
  [ "$status" = passed ] || grep -a -A4 '^FAIL!' "$suites/$name.txt" || true
done

if timeout 600 /usr/bin/python3 "$here/check-program.py" "$package" "$suites" "$replay" "$layout" \
     ${screenshot:+"$screenshot"}; then
  passed=$((passed + 1))
else
  failed=$((failed + 1))
fi
echo "wine: $passed passed, $failed failed"
[ "$failed" -eq 0 ]
