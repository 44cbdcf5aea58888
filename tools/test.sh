#!/usr/bin/env bash
# The whole test suite on both architectures: builds everything for x86-64 and for x86 (the
# device's word size), then runs every test of each build under Wine on a private display.
#   tools/test.sh [ctest arguments...]
# CORVANE_ARCH=x64 or x86 runs one architecture only. The last lines say, for each
# architecture, whether its suite passed, failed or did not run, and why.
# CORVANE_TEST_JOBS is how many tests run at once on the suite's own displays (1 by default);
# beside them, CORVANE_OWN_DISPLAYS (2 by default) of the tests that make a display of their
# own: the other devices' checks, the user monkey's sessions, the test of this command.
set -uo pipefail
here=$(cd "$(dirname "${BASH_SOURCE[0]}")" && pwd)
source "$here/exec32.sh"
if [ -n "${CORVANE_ARCH:-}" ]; then
  archs=("$CORVANE_ARCH")
else
  archs=(x64 x86)
fi

# One test at a time on the suite's display unless CORVANE_TEST_JOBS asks for more: with the
# tests on displays of their own beside them, two cores are busy already, and a second
# display made the run slower (earlier, without those beside it, two lost a tap now and then).
jobs=${CORVANE_TEST_JOBS:-1}
own_displays=${CORVANE_OWN_DISPLAYS:-2}
for count in "$jobs" "$own_displays"; do
  case "$count" in ''|*[!0-9]*|0) echo "CORVANE_TEST_JOBS and CORVANE_OWN_DISPLAYS are numbers from 1, not '$count'" >&2; exit 2 ;; esac
done

summary=()
failed=0
not_run=0
tests_passed=0
tests_failed=0
# Both trees are built before either suite runs: the test of this command runs it again beside
# the other tests, and finds nothing left to build.
built=()
for arch in "${archs[@]}"; do
  (
    set -e
    export CORVANE_ARCH=$arch
    source "$here/env.sh"
    "$repo/tools/build.sh"
  )
  if [ $? -ne 0 ]; then
    summary+=("$arch: BUILD FAILED, its suite did not run")
    failed=1
  else
    built+=("$arch")
  fi
done
for arch in "${built[@]}"; do
  # A machine whose kernel cannot execute 32-bit programs runs no x86 program at all; the
  # x86 build is made and checked all the same, and the rest of the suite counts alone.
  if [ "$arch" = x86 ] && ! exec32_probe; then
    line="x86 suite did not run: this machine cannot execute 32-bit programs ($exec32_error)"
    echo "=== $line"
    summary+=("$line")
    not_run=1
    continue
  fi
  # Wine's 32-bit side may be missing (deps.sh says why); the x86 build is made all the same.
  if [ "$arch" = x86 ] && ! dpkg-query -W -f='${Status}' wine32:i386 2>/dev/null | grep -q 'install ok installed'; then
    reason=$(cat "$here/../build-x86/wine32-missing.txt" 2>/dev/null || true)
    summary+=("x86: SUITE DID NOT RUN: Wine's 32-bit side (wine32:i386) is not installed. $reason")
    not_run=1
    continue
  fi
  echo "=== $arch suite"
  logs=$(mktemp -d)
  (
    set -e
    export CORVANE_ARCH=$arch
    source "$here/env.sh"
    # Two CTest runs side by side. One runs the suite's tests, $jobs at a time, each on a
    # display with-display.sh makes (its own prefix and wineserver), so a real tap never lands
    # on another test's desktop. The other runs the tests that make a display and a prefix of
    # their own (the other devices' checks, the user monkey, the test of this command),
    # $own_displays at a time.
    CORVANE_DISPLAYS=$jobs "$repo/tools/with-display.sh" bash -c '
      build=$0 logs=$1 own=$2; shift 2
      run() {  # label option, tests at once, log; then the arguments for CTest
        ctest --test-dir "$build" --output-on-failure "$1" own-display -j "$2" "${@:4}" 2>&1 | tee "$3"
        return "${PIPESTATUS[0]}"
      }
      run -L "$own" "$logs/own" "$@" & beside=$!
      run -LE "$CORVANE_DISPLAYS" "$logs/displays" "$@"; status=$?
      wait "$beside" || status=1
      exit "$status"' "$build" "$logs" "$own_displays" "$@"
  )
  status=$?
  # "100% tests passed, 0 tests failed out of 156", the last such line of each run: counted
  # into the closing line.
  for log in "$logs/own" "$logs/displays"; do
    counts=$(grep -aoE '[0-9]+ tests? failed out of [0-9]+' "$log" 2>/dev/null | tail -n 1 || true)
    [ -n "$counts" ] || continue
    failed_here=$(echo "$counts" | awk '{print $1}')
    total_here=$(echo "$counts" | awk '{print $NF}')
    tests_failed=$((tests_failed + failed_here))
    tests_passed=$((tests_passed + total_here - failed_here))
  done
  rm -rf "$logs"
  if [ "$status" -eq 0 ]; then
    summary+=("$arch: suite passed")
  else
    summary+=("$arch: SUITE FAILED")
    failed=1
  fi
done

echo
echo "=== Test suites by architecture"
for line in "${summary[@]}"; do echo "  $line"; done
if [ "$not_run" -eq 1 ]; then
  echo "  Only part of the suite ran: the x86 tests did NOT run (see above); the x86 build was"
  echo "  still made and checked. The count below is of the tests that ran."
fi
echo "tests: $tests_passed passed, $tests_failed failed"
[ "$failed" -eq 1 ] && exit 1
exit 0
