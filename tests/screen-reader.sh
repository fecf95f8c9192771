#!/usr/bin/env bash
# Runs the shipped program on a virtual X screen with a private session bus and the
# desktop's accessibility bus, as a screen reader's desktop would, and lets
# screen-reader.py read it through that bus.
# Usage: screen-reader.sh PROGRAM RATING_TABLE
set -euo pipefail
program="$(realpath "$1")"
table="$(realpath "$2")"
here="$(cd "$(dirname "$0")" && pwd)"
work="$(mktemp -d)"
trap 'rm -rf "$work"' EXIT
cp "$table" "$work/RatingTable.txt"

cat > "$work/session.sh" <<SCRIPT
set -eu
cd "$work"
/usr/libexec/at-spi-bus-launcher --launch-immediately &
bus=\$!
# Qt speaks to the accessibility bus only while assistive technology is said to be on.
QT_LINUX_ACCESSIBILITY_ALWAYS_ON=1 "$program" &
sheet=\$!
status=0
/usr/bin/python3 "$here/screen-reader.py" || status=\$?
kill "\$sheet" "\$bus" 2>/dev/null || true
wait 2>/dev/null || true
exit "\$status"
SCRIPT
env -u QT_QPA_PLATFORM HOME="$work/home" XDG_RUNTIME_DIR="$work" \
  xvfb-run -a -s "-screen 0 1024x768x24" dbus-run-session -- bash "$work/session.sh"
