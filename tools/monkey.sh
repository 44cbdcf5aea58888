#!/usr/bin/env bash
# The user monkey over a range of sessions: builds, then runs the monkey for the sessions
# FIRST to FIRST + COUNT - 1 (by default 1 to 100) in batches, each batch in its own Wine
# process on a private display. Prints every session with its result and, at the end, the
# failing sessions. A session that crashes or hangs its process is reported and the run goes
# on after it; so is a process that fails after its last session.
#   tools/monkey.sh [FIRST [COUNT]]
# A failing session is reproduced alone with: tools/monkey.sh SESSION 1
# The whole output is kept in build/monkey.log.
set -euo pipefail
source "$(dirname "${BASH_SOURCE[0]}")/env.sh"

first=${1:-1}
count=${2:-100}
batch=${CORVANE_MONKEY_BATCH:-25}
case "$first$count$batch" in *[!0-9]*) echo "usage: tools/monkey.sh [FIRST [COUNT]]" >&2; exit 2 ;; esac

if [ -z "${CORVANE_MONKEY_INSIDE:-}" ]; then
  "$repo/tools/build.sh"
  exec env CORVANE_MONKEY_INSIDE=1 "$repo/tools/with-display.sh" "$0" "$first" "$count"
fi

log="$build/monkey.log"
: >"$log"
end=$((first + count))
next=$first
failing=()
ran=0
while [ "$next" -lt "$end" ]; do
  size=$((end - next < batch ? end - next : batch))
  output=$(mktemp)
  status=0
  (cd "$build/bin" && CORVANE_MONKEY_FIRST=$next CORVANE_MONKEY_COUNT=$size \
    wine64 product_tests.exe --gtest_filter='UserMonkeyTest.*') 2>&1 </dev/null | tr -d '\r' >"$output" ||
    status=$?
  cat "$output" >>"$log"
  # "[monkey] session N" when a session starts, "[monkey] session N passed|FAILED (...)" when it ends.
  grep -a '^\[monkey\] session [0-9]* \(passed\|FAILED\)' "$output" | sed 's/^\[monkey\] //' || true
  while read -r session; do failing+=("$session"); done < <(grep -a '^\[monkey\] session [0-9]* FAILED' "$output" | awk '{print $3}')
  finished=$(grep -ac '^\[monkey\] session [0-9]* \(passed\|FAILED\)' "$output" || true)
  failed=$(grep -ac '^\[monkey\] session [0-9]* FAILED' "$output" || true)
  ran=$((ran + finished))
  last=$(grep -a '^\[monkey\] session [0-9]*$' "$output" | tail -n 1 | awk '{print $3}' || true)
  rm -f "$output"
  if [ "$finished" -eq "$size" ] && [ "$failed" -eq 0 ] && [ "$status" -ne 0 ]; then
    echo "sessions $next to $((next + size - 1)): the process exited with $status after its last session"
    failing+=("after-$((next + size - 1))")
  fi
  if [ "$finished" -lt "$size" ]; then
    # The process ended inside a session: that session crashed or hung (the watchdog ends a hang).
    if [ -z "$last" ]; then
      echo "the monkey did not start (exit $status); see $log" >&2
      exit 1
    fi
    echo "session $last CRASHED OR HUNG (exit $status)"
    failing+=("$last")
    ran=$((ran + 1))
    next=$((last + 1))
  else
    next=$((next + size))
  fi
done

echo "monkey: $ran sessions run, $first to $((end - 1)); full output in $log"
if [ "${#failing[@]}" -gt 0 ]; then
  echo "failing sessions: ${failing[*]} (reproduce one with: tools/monkey.sh SESSION 1)"
  exit 1
fi
echo "no failing session"
