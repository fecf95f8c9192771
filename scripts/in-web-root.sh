#!/usr/bin/env bash
# Runs a bash script inside the Debian 13 root that holds the web toolchain, with the
# machine's /proc, /sys and /dev, and with the repository at /src/combat-sheet.
# Usage: in-web-root.sh ROOT SCRIPT
set -euo pipefail
web_root="$1" script="$2"
repository="$(cd "$(dirname "$0")/.." && pwd)"

mounts=()
unmount() {
  for ((i = ${#mounts[@]} - 1; i >= 0; i--)); do umount "${mounts[i]}" || true; done
}
trap unmount EXIT
bind() {
  mkdir -p "$web_root$2"
  mount --bind "$1" "$web_root$2"
  mounts+=("$web_root$2")
}
for d in /proc /sys /dev /dev/pts; do bind "$d" "$d"; done
bind "$repository" /src/combat-sheet
cp /etc/resolv.conf "$web_root/etc/resolv.conf"
chroot "$web_root" env -i PATH=/usr/sbin:/usr/bin:/sbin:/bin HOME=/root EMSDK=/emsdk \
  bash -euo pipefail -c "$script"
