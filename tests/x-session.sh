#!/usr/bin/env bash
# Runs a command as a desktop would run it: on a virtual X screen, with a session bus of its
# own (so that no program autolaunches one) and the accessibility bus, in a private home and
# runtime folder inside FOLDER, with FOLDER as the working directory.
# Usage: x-session.sh FOLDER COMMAND [ARG...]
set -euo pipefail
folder="$(realpath "$1")"
shift
mkdir -p "$folder/home" "$folder/runtime"
chmod 700 "$folder/runtime"
# Qt speaks to the accessibility bus only while assistive technology is said to be on.
cd "$folder"
exec env -u QT_QPA_PLATFORM -u DBUS_SESSION_BUS_ADDRESS HOME="$folder/home" \
  XDG_RUNTIME_DIR="$folder/runtime" QT_LINUX_ACCESSIBILITY_ALWAYS_ON=1 \
  xvfb-run -a -s "-screen 0 1024x768x24" dbus-run-session -- bash -c '
    /usr/libexec/at-spi-bus-launcher --launch-immediately &
    bus=$!
    status=0
    "$@" || status=$?
    kill "$bus" 2>/dev/null || true
    exit "$status"' x-session "$@"
