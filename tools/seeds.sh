#!/usr/bin/env bash
# Runs a seeded product test over a range of seeds in batches, each batch in its own Wine
# process on a private display, and reports every seed with its result and, at the end, the
# failing ones. A seed that crashes or hangs its process is reported and the run goes on
# after it; so is a process that fails after its last seed (tearing down, or a failure
# reported outside any seed). Behind tools/fuzz.sh and tools/monkey.sh.
#   tools/seeds.sh TAG TEST UNIT FIRST COUNT BATCH
# TAG names the test's lines ("[TAG] UNIT N" when a seed starts, "[TAG] UNIT N passed|FAILED"
# when it ends) and its variables (CORVANE_<TAG>_FIRST, CORVANE_<TAG>_COUNT); TEST is the
# GoogleTest suite; UNIT is what a seed is called ("seed", "session").
set -euo pipefail
source "$(dirname "${BASH_SOURCE[0]}")/env.sh"

tag=$1 suite=$2 unit=$3 first=$4 count=$5 batch=$6
upper=$(echo "$tag" | tr 'a-z' 'A-Z')
case "$first$count$batch" in *[!0-9]*) echo "usage: tools/$tag.sh [FIRST [COUNT]]" >&2; exit 2 ;; esac

if [ -z "${CORVANE_SEEDS_INSIDE:-}" ]; then
  "$repo/tools/build.sh"
  exec env CORVANE_SEEDS_INSIDE=1 "$repo/tools/with-display.sh" "$0" "$@"
fi

log="$build/$tag.log"
: >"$log"
end=$((first + count))
next=$first
failing=()
ran=0
while [ "$next" -lt "$end" ]; do
  size=$((end - next < batch ? end - next : batch))
  output=$(mktemp)
  status=0
  (cd "$build/bin" && env "CORVANE_${upper}_FIRST=$next" "CORVANE_${upper}_COUNT=$size" \
    wine64 product_tests.exe --gtest_filter="$suite.*") 2>&1 </dev/null | tr -d '\r' >"$output" ||
    status=$?
  cat "$output" >>"$log"
  done_lines="^\[$tag\] $unit [0-9]* \(passed\|FAILED\)"
  grep -a "$done_lines" "$output" | sed "s/^\[$tag\] //" || true
  while read -r seed; do failing+=("$seed"); done < <(grep -a "^\[$tag\] $unit [0-9]* FAILED" "$output" | awk '{print $3}')
  finished=$(grep -ac "$done_lines" "$output" || true)
  failed=$(grep -ac "^\[$tag\] $unit [0-9]* FAILED" "$output" || true)
  ran=$((ran + finished))
  last=$(grep -a "^\[$tag\] $unit [0-9]*\$" "$output" | tail -n 1 | awk '{print $3}' || true)
  rm -f "$output"
  if [ "$finished" -eq "$size" ] && [ "$failed" -eq 0 ] && [ "$status" -ne 0 ]; then
    echo "${unit}s $next to $((next + size - 1)): the process exited with $status after its last $unit"
    failing+=("after-$((next + size - 1))")
  fi
  if [ "$finished" -lt "$size" ]; then
    # The process ended inside a seed: that seed crashed or hung (the watchdog ends a hang).
    if [ -z "$last" ]; then
      echo "the $tag test did not start (exit $status); see $log" >&2
      exit 1
    fi
    echo "$unit $last CRASHED OR HUNG (exit $status)"
    failing+=("$last")
    ran=$((ran + 1))
    next=$((last + 1))
  else
    next=$((next + size))
  fi
done

echo "$tag: $ran ${unit}s run, $first to $((end - 1)); full output in $log"
if [ "${#failing[@]}" -gt 0 ]; then
  echo "failing ${unit}s: ${failing[*]} (reproduce one with: tools/$tag.sh $(echo "$unit" | tr 'a-z' 'A-Z') 1)"
  exit 1
fi
echo "no failing $unit"
