#!/usr/bin/env bash
# The power list's first opening with the two largest tables, offscreen and where a player
# opens it: on an X display (xcb on Xvfb) with the accessibility bus on, as a screen reader's
# desktop has it. Usage: benchmarks/first-opening.sh BUILD_FOLDER (a Release build).
set -euo pipefail
here="$(cd "$(dirname "$0")" && pwd)"
bench="$(realpath "$1")/benchmarks/bench_sheet"
work="$(mktemp -d)"
trap 'rm -rf "$work"' EXIT
echo "offscreen:"
QT_QPA_PLATFORM=offscreen "$bench" --benchmark_filter=firstOpening 2>/dev/null
echo "X11 (xcb on Xvfb, accessibility bus on):"
bash "$here/../tests/x-session.sh" "$work" "$bench" --benchmark_filter=firstOpening 2>/dev/null
