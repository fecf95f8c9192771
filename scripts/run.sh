#!/usr/bin/env bash
# Sets everything up, builds the combat sheet and opens it in example/, next to the
# example rating table.
set -euo pipefail
root="$(cd "$(dirname "$0")/.." && pwd)"
bash "$root/scripts/setup.sh"
(cd "$root" && cmake --preset release >/dev/null && cmake --build --preset release --target combat-sheet)
cd "$root/example"
if [ -z "${DISPLAY:-}" ] && [ -z "${WAYLAND_DISPLAY:-}" ]; then
  # No desktop session (a server or a container): open the window on a virtual screen.
  exec xvfb-run -a -s "-screen 0 1024x768x24" "$root/build-release/main/combat-sheet"
fi
exec "$root/build-release/main/combat-sheet"
