#!/usr/bin/env bash
# Runs the shipped program on a virtual X screen under strace, plays a short fight with
# real mouse and key events, closes the window as a window manager would, and shows that
# the program and everything it starts opened no file for writing, created, renamed or
# removed nothing, and left the rating table byte for byte as it was.
# Usage: no-writes.sh PROGRAM RATING_TABLE
set -euo pipefail
program="$(realpath "$1")"
here="$(cd "$(dirname "$0")" && pwd)"
work="$(mktemp -d)"
trap 'rm -rf "$work"' EXIT
cp "$2" "$work/RatingTable.txt"
before="$(sha256sum < "$work/RatingTable.txt")"

"$here/x-session.sh" "$work" bash -c '
  strace -f -qq -o trace -e trace=openat,open,creat,rename,renameat,renameat2,unlink,unlinkat \
    "$1" &
  sheet=$!
  /usr/bin/python3 "$2/fight.py" || { kill "$sheet"; exit 1; }
  # Closing the window ends the program, successfully.
  timeout 20 tail --pid="$sheet" -f /dev/null ||
    { echo "the program did not end when its window closed"; kill "$sheet"; exit 1; }
  wait "$sheet"' fight "$program" "$here"

# Writes are opens with O_WRONLY, O_RDWR, O_CREAT or O_TRUNC, and every create, rename or
# unlink. /dev is not a file the program keeps.
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
