#!/usr/bin/env bash
# Builds the Debian package twice, in two folders and at two different seconds, and checks
# that the two are the same bytes; where they differ, says which member of the package and
# which entries inside it. The dates come from the build itself (the last commit's), not
# from the environment.
# Usage: reproducible-package.sh BUILD_DIR
set -euo pipefail
build="$(realpath "$1")"
work="$(mktemp -d)"
trap 'rm -rf "$work"' EXIT
unset SOURCE_DATE_EPOCH
for run in first second; do
  (cd "$build" && cpack -G DEB -B "$work/$run" >/dev/null)
  sleep 1.1 # a build time that reaches the package differs between the two
done
first="$(ls "$work"/first/*.deb)" second="$(ls "$work"/second/*.deb)"
if cmp -s "$first" "$second"; then
  echo "1 passed, 0 failed: two builds of $(basename "$first") are the same $(stat -c %s "$first") bytes"
  exit 0
fi

echo "FAIL: two builds of $(basename "$first") differ"
diff <(ar tv "$first") <(ar tv "$second") | sed 's/^/  member headers: /' || true
for run in first second; do
  mkdir "$work/$run/members"
  (cd "$work/$run/members" && ar x "../$(basename "$first")")
done
for member in $(ar t "$first"); do
  cmp -s "$work/first/members/$member" "$work/second/members/$member" && continue
  echo "  member $member differs"
  case "$member" in
  *.tar.*)
    diff <(tar --full-time -tvf "$work/first/members/$member") \
      <(tar --full-time -tvf "$work/second/members/$member") | head -n 20 | sed 's/^/    /' || true
    ;;
  esac
done
exit 1
