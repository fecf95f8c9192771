#!/usr/bin/env bash
# Runs a command as a desktop would run it: on a virtual X screen, or with --wayland on a
# headless Wayland compositor (weston) and no X display at all, with a session bus of its
# own (so that no program autolaunches one) and the accessibility bus, in a private home and
# runtime folder inside FOLDER, with FOLDER as the working directory.
# Usage: x-session.sh [--wayland] FOLDER COMMAND [ARG...]
set -euo pipefail
display=x11
if [ "${1:-}" = --wayland ]; then
  display=wayland
  shift
fi
folder="$(realpath "$1")"
shift
mkdir -p "$folder/home" "$folder/runtime"
chmod 700 "$folder/runtime"
cd "$folder"

# Inside the session: the compositor (for Wayland), then the accessibility bus, then the
# command.
session='
  display=$1
  shift
  if [ "$display" = wayland ]; then
    weston --backend=headless-backend.so --socket=wayland-sheet --idle-time=0 \
      --log="$HOME/weston.log" &
    compositor=$!
    for _ in $(seq 100); do
      [ -S "$XDG_RUNTIME_DIR/wayland-sheet" ] && break
      sleep 0.1
    done
    [ -S "$XDG_RUNTIME_DIR/wayland-sheet" ] || { cat "$HOME/weston.log"; exit 1; }
    export WAYLAND_DISPLAY=wayland-sheet XDG_SESSION_TYPE=wayland
  fi
  /usr/libexec/at-spi-bus-launcher --launch-immediately &
  bus=$!
  status=0
  "$@" || status=$?
  kill "$bus" 2>/dev/null || true
  if [ "$display" = wayland ]; then
    kill "$compositor" 2>/dev/null || true
    wait "$compositor" 2>/dev/null || true
  fi
  exit "$status"'

# Qt speaks to the accessibility bus only while assistive technology is said to be on.
environment=(-u QT_QPA_PLATFORM -u DBUS_SESSION_BUS_ADDRESS -u WAYLAND_DISPLAY -u DISPLAY
  HOME="$folder/home" XDG_RUNTIME_DIR="$folder/runtime" QT_LINUX_ACCESSIBILITY_ALWAYS_ON=1)
if [ "$display" = wayland ]; then
  exec env "${environment[@]}" dbus-run-session -- bash -c "$session" x-session wayland "$@"
fi
exec env "${environment[@]}" xvfb-run -a -s "-screen 0 1280x1024x24" \
  dbus-run-session -- bash -c "$session" x-session x11 "$@"
