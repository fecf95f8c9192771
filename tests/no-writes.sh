#!/usr/bin/env bash
# Runs the shipped program on a virtual X screen under strace, plays a short fight with
# real mouse and key events, closes the window as a window manager would, and shows that
# the program opened no file for writing, created, renamed or removed nothing, and left the
# rating table byte for byte as it was.
# Usage: no-writes.sh PROGRAM RATING_TABLE
set -euo pipefail
program="$(realpath "$1")"
table="$(realpath "$2")"
here="$(cd "$(dirname "$0")" && pwd)"
work="$(mktemp -d)"
trap 'rm -rf "$work"' EXIT
cp "$table" "$work/RatingTable.txt"
before="$(sha256sum < "$work/RatingTable.txt")"

cat > "$work/fight.sh" <<SCRIPT
set -eu
cd "$work"
strace -f -qq -o "$work/trace" -e trace=openat,open,creat,rename,renameat,renameat2,unlink,unlinkat \
  "$program" &
sheet=\$!
window=\$(timeout 20 xdotool search --sync --name '^Form1\$' | head -n 1)
sleep 0.5
at() { xdotool mousemove --window "\$window" "\$1" "\$2" click 1; sleep 0.2; }
at 80 98                       # the power selector's text
xdotool key Down; sleep 0.2    # choose the first power
at 390 180                     # Initiative
for round in 1 2 3 4; do
  at 93 148                    # Attack Roll
  at 93 308                    # Defence Roll
done
"$here/log-has-text.py" "\$window" || { echo "the fight left no lines in the log"; exit 1; }
at 620 244                     # Reset, which clears the log
if "$here/log-has-text.py" "\$window"; then echo "Reset did not clear the log"; exit 1; fi
"$here/close-window.py" "\$window"
timeout 20 tail --pid="\$sheet" -f /dev/null
SCRIPT
env -u QT_QPA_PLATFORM HOME="$work/home" xvfb-run -a -s "-screen 0 1024x768x24" \
  bash "$work/fight.sh"

# Writes are opens with O_WRONLY, O_RDWR, O_CREAT or O_TRUNC, and every create, rename or
# unlink. The X server's socket and /dev are not files the program keeps.
writes="$(grep -E 'O_WRONLY|O_RDWR|O_CREAT|O_TRUNC|creat\(|rename|unlink' "$work/trace" \
  | grep -v -E '"/dev/|ENOENT|EEXIST' || true)"
opened_table="$(grep -c 'RatingTable.txt' "$work/trace" || true)"
after="$(sha256sum < "$work/RatingTable.txt")"

status=0
if [ -n "$writes" ]; then
  echo "the program wrote:"; echo "$writes"; status=1
fi
if [ "$opened_table" -lt 1 ]; then
  echo "the program never opened RatingTable.txt"; status=1
fi
if [ "$before" != "$after" ]; then
  echo "RatingTable.txt changed"; status=1
fi
[ "$status" -eq 0 ] && echo "1 passed, 0 failed: no file written; RatingTable.txt unchanged"
exit "$status"
