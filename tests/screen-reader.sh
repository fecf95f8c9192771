#!/usr/bin/env bash
# Runs the shipped program as a screen reader's desktop would, and lets screen-reader.py
# read and work it through the accessibility bus.
# Usage: screen-reader.sh PROGRAM RATING_TABLE
set -euo pipefail
program="$(realpath "$1")"
here="$(cd "$(dirname "$0")" && pwd)"
work="$(mktemp -d)"
trap 'rm -rf "$work"' EXIT
cp "$2" "$work/RatingTable.txt"
"$here/x-session.sh" "$work" bash -c '
  "$1" &
  sheet=$!
  status=0
  /usr/bin/python3 "$2/screen-reader.py" || status=$?
  kill "$sheet" 2>/dev/null || true
  exit "$status"' screen-reader "$program" "$here"
