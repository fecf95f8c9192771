#!/usr/bin/env bash
# Installs every Debian package needed to build, run and test the combat sheet, and the
# packages named as arguments (what the Windows build adds). Safe to run again: packages
# already present are skipped.
set -euo pipefail

packages=(
  build-essential cmake ninja-build pkg-config
  qt6-base-dev qt6-base-dev-tools libgl-dev
  qt6-qpa-plugins qt6-wayland
  fonts-ipafont-gothic
  xvfb xauth
  clang libclang-rt-14-dev clang-format-14 libbenchmark-dev
  strace xdotool python3-xlib
  dbus-daemon at-spi2-core python3-pyatspi gir1.2-atspi-2.0
  librsvg2-bin desktop-file-utils appstream dpkg-dev file git
  weston lintian man-db
  "$@"
)

missing=()
for p in "${packages[@]}"; do
  dpkg-query -W -f='${Status}' "$p" 2>/dev/null | grep -q "install ok installed" || missing+=("$p")
done

if [ ${#missing[@]} -gt 0 ]; then
  SUDO=""
  [ "$(id -u)" -eq 0 ] || SUDO="sudo"
  export DEBIAN_FRONTEND=noninteractive
  $SUDO apt-get update -q
  $SUDO apt-get install -y -q --no-install-recommends "${missing[@]}"
fi
