#!/usr/bin/env bash
# Builds the libFuzzer targets with clang and runs each for the given number of seconds
# (default 30), starting from the seed corpus in fuzz/corpus/. Any failed invariant, crash
# or sanitizer report stops the run with a non-zero exit and leaves the input in build-fuzz/.
set -euo pipefail
root="$(cd "$(dirname "$0")/.." && pwd)"
seconds="${1:-30}"
(cd "$root" && cmake --preset fuzz >/dev/null && cmake --build --preset fuzz)
# The longest input each target is given: a field, a row of a table, a table of a few dozen
# rows (the example table whole). Longer inputs mostly repeat, at many times the cost per
# run, what shorter ones reach.
declare -A max_len=([integer_text]=64 [comma_text]=256 [rating_table]=1024)
# The stack of every allocation is recorded only for reports; without it the targets run
# faster. Run a saved input again without this for a report that shows where memory came from.
# Freed memory is held back 16 MiB deep, not 256: still far more than one input allocates, so
# a use after free inside a run is caught, without the page faults of cycling through 256 MiB.
export ASAN_OPTIONS="malloc_context_size=0:quarantine_size_mb=16${ASAN_OPTIONS:+:$ASAN_OPTIONS}"
for target in integer_text comma_text rating_table; do
  corpus="$(mktemp -d)"
  cp "$root/fuzz/corpus/$target/"* "$corpus/"
  log="$root/build-fuzz/$target.log"
  echo "fuzzing $target for ${seconds}s"
  status=0
  "$root/build-fuzz/fuzz/fuzz_$target" -max_total_time="$seconds" -max_len="${max_len[$target]}" \
    -print_final_stats=1 \
    -artifact_prefix="$root/build-fuzz/$target-" "$corpus" >"$log" 2>&1 || status=$?
  rm -rf "$corpus"
  if [ "$status" -ne 0 ]; then
    tail -n 40 "$log"
    echo "fuzz_$target failed (exit $status); the input is in build-fuzz/"
    exit 1
  fi
  grep -E '^(stat::number_of_executed_units|#[0-9]+ +DONE)' "$log"
done
