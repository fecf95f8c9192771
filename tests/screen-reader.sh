#!/usr/bin/env bash
# Runs the shipped program as a screen reader's desktop would, on a virtual X screen or
# (with "wayland") natively on a headless Wayland compositor, and lets screen-reader.py
# read and work it through the accessibility bus; then checks that the sheet ran on the
# display it was meant for, not through a compatibility layer.
# Usage: screen-reader.sh PROGRAM RATING_TABLE [x11|wayland]
set -euo pipefail
program="$(realpath "$1")"
here="$(cd "$(dirname "$0")" && pwd)"
display="${3:-x11}"
work="$(mktemp -d)"
trap 'rm -rf "$work"' EXIT
cp "$2" "$work/RatingTable.txt"
session=("$here/x-session.sh")
[ "$display" = wayland ] && session+=(--wayland)
# Qt's platform plugin for that display, as the running program has it loaded.
plugin=libqxcb.so
[ "$display" = wayland ] && plugin=libqwayland-generic.so
"${session[@]}" "$work" bash -c '
  "$1" &
  sheet=$!
  status=0
  /usr/bin/python3 "$2/screen-reader.py" || status=$?
  if ! grep -q "/$3\$" "/proc/$sheet/maps"; then
    echo "the sheet did not run on $4 (no $3 loaded)"
    status=1
  fi
  kill "$sheet" 2>/dev/null || true
  exit "$status"' screen-reader "$program" "$here" "$plugin" "$display"
