#!/usr/bin/env bash
# The test command on a machine that cannot execute 32-bit programs and on this machine as it
# is: tools/test.sh run on one quick test. Run by CTest from the x86-64 build.
#   TestCommandTest.sh TEST_REGEX
set -uo pipefail
repo=$(cd "$(dirname "${BASH_SOURCE[0]}")/../.." && pwd)
filter=${1:?a CTest regular expression naming one quick test}
source "$repo/tools/exec32.sh"
# The nested runs make their own display and wineserver, one test at a time. The x86-64 one
# runs in a prefix of its own: in the prefix this run's tests use, its wineserver would be
# stopped under them, and the first test after would start the desktop's processes again with
# its output pipe, which CTest then waits on until the test's limit.
nested_prefix=$repo/build/pfx-nested
unset DISPLAY WINEPREFIX WINEARCH CORVANE_ARCH CORVANE_DEVICE CORVANE_PROBE_32BIT CORVANE_BUILD_DIR
unset CORVANE_DISPLAYS CORVANE_DISPLAY_LOCKS CORVANE_OWN_DISPLAYS
for var in $(compgen -v CORVANE_DISPLAY_D; compgen -v CORVANE_PREFIX_D); do unset "$var"; done
export CORVANE_TEST_JOBS=1
failures=0
fail() { echo "FAILED: $*"; failures=$((failures + 1)); }
expect() {  # output, fixed text that must be a line of it (leading blanks ignored)
  printf '%s\n' "$1" | sed 's/^ *//' | grep -qxF -- "$2" || fail "no line \"$2\""
}

# 1. A machine without 32-bit support: the x86 suite is said not to have run, the x64 one
#    runs, and the command passes with a count of what ran.
out=$(WINEPREFIX=$nested_prefix CORVANE_PROBE_32BIT=cannot "$repo/tools/test.sh" -R "$filter" 2>&1); status=$?
[ "$status" -eq 0 ] || fail "exit $status without 32-bit support"
expect "$out" "x86 suite did not run: this machine cannot execute 32-bit programs (CORVANE_PROBE_32BIT=cannot)"
expect "$out" "x64: suite passed"
expect "$out" "tests: 1 passed, 0 failed"
[ "$failures" -eq 0 ] || printf '%s\n' "$out" | tail -n 20

# 2. This machine as it is, x86 alone: where 32-bit programs run, its suite must run and pass;
#    where they do not, the real reason is given and nothing fails.
before=$failures
out=$(CORVANE_ARCH=x86 "$repo/tools/test.sh" -R "$filter" 2>&1); status=$?
if exec32_probe; then
  [ "$status" -eq 0 ] || fail "exit $status of the x86 suite on a machine that runs 32-bit programs"
  expect "$out" "x86: suite passed"
  expect "$out" "tests: 1 passed, 0 failed"
else
  [ "$status" -eq 0 ] || fail "exit $status on a machine that cannot run 32-bit programs"
  expect "$out" "x86 suite did not run: this machine cannot execute 32-bit programs ($exec32_error)"
  expect "$out" "tests: 0 passed, 0 failed"
  printf '%s\n' "$out" | grep -qx '=== x86 suite' && fail "the x86 suite was started"
fi
[ "$failures" -eq "$before" ] || printf '%s\n' "$out" | tail -n 20

[ "$failures" -eq 0 ] && echo "test command: both branches behave" && exit 0
exit 1
