#!/usr/bin/env bash
# Registry fuzzing over a range of seeds: builds, then runs the fuzz test for the seeds FIRST
# to FIRST + COUNT - 1 (by default 1 to 1000) in batches, each batch in its own Wine process
# on a private display. Prints every seed with its result and, at the end, the failing seeds.
# A seed that crashes or hangs its process is reported and the run goes on after it.
#   tools/fuzz.sh [FIRST [COUNT]]
# A failing seed is reproduced alone with: tools/fuzz.sh SEED 1
# The whole output of the test is kept in build/fuzz.log. A seed that crashes cannot put back
# the shell's and the browser's keys it filled; the tests that read them start by clearing them.
set -euo pipefail
source "$(dirname "${BASH_SOURCE[0]}")/env.sh"

first=${1:-1}
count=${2:-1000}
batch=${CORVANE_FUZZ_BATCH:-50}
case "$first$count$batch" in *[!0-9]*) echo "usage: tools/fuzz.sh [FIRST [COUNT]]" >&2; exit 2 ;; esac

if [ -z "${CORVANE_FUZZ_INSIDE:-}" ]; then
  "$repo/tools/build.sh"
  exec env CORVANE_FUZZ_INSIDE=1 "$repo/tools/with-display.sh" "$0" "$first" "$count"
fi

log="$build/fuzz.log"
: >"$log"
end=$((first + count))
next=$first
failing=()
ran=0
while [ "$next" -lt "$end" ]; do
  size=$((end - next < batch ? end - next : batch))
  output=$(mktemp)
  status=0
  (cd "$build/bin" && CORVANE_FUZZ_FIRST=$next CORVANE_FUZZ_COUNT=$size \
    wine64 product_tests.exe --gtest_filter='RegistryFuzzTest.*') 2>&1 </dev/null | tr -d '\r' >"$output" ||
    status=$?
  cat "$output" >>"$log"
  # "[fuzz] seed N" when a seed starts, "[fuzz] seed N passed|FAILED (...)" when it ends.
  grep -a '^\[fuzz\] seed [0-9]* \(passed\|FAILED\)' "$output" | sed 's/^\[fuzz\] //' || true
  while read -r seed; do failing+=("$seed"); done < <(grep -a '^\[fuzz\] seed [0-9]* FAILED' "$output" | awk '{print $3}')
  finished=$(grep -ac '^\[fuzz\] seed [0-9]* \(passed\|FAILED\)' "$output" || true)
  failed=$(grep -ac '^\[fuzz\] seed [0-9]* FAILED' "$output" || true)
  ran=$((ran + finished))
  last=$(grep -a '^\[fuzz\] seed [0-9]*$' "$output" | tail -n 1 | awk '{print $3}' || true)
  rm -f "$output"
  if [ "$finished" -eq "$size" ] && [ "$failed" -eq 0 ] && [ "$status" -ne 0 ]; then
    # Every seed finished and passed, yet the process failed: it crashed or hung after its
    # last seed (tearing down), or a failure was reported outside any seed.
    echo "seeds $next to $((next + size - 1)): the process exited with $status after its last seed"
    failing+=("after-$((next + size - 1))")
  fi
  if [ "$finished" -lt "$size" ]; then
    # The process ended inside a seed: that seed crashed or hung (the watchdog ends a hang).
    if [ -z "$last" ]; then
      echo "the fuzz test did not start (exit $status); see $log" >&2
      exit 1
    fi
    echo "seed $last CRASHED OR HUNG (exit $status)"
    failing+=("$last")
    ran=$((ran + 1))
    next=$((last + 1))
  else
    next=$((next + size))
  fi
done

echo "fuzz: $ran seeds run, $first to $((end - 1)); full output in $log"
if [ "${#failing[@]}" -gt 0 ]; then
  echo "failing seeds: ${failing[*]} (reproduce one with: tools/fuzz.sh SEED 1)"
  exit 1
fi
echo "no failing seed"
