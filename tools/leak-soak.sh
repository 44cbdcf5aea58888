#!/usr/bin/env bash
# The leak check over many cycles: builds, then runs the leak tests (open, visit every page,
# close; with OK and with Cancel) for CYCLES cycles each, 500 by default, on a private display.
# The suite runs ten, which shows a leak of one object on every cycle, or every few; this is
# for a leak rarer than that.
#   tools/leak-soak.sh [CYCLES]
set -euo pipefail
source "$(dirname "${BASH_SOURCE[0]}")/env.sh"
cycles=${1:-500}
case "$cycles" in ''|*[!0-9]*) echo "usage: tools/leak-soak.sh [CYCLES]" >&2; exit 2 ;; esac
"$repo/tools/build.sh"
cd "$build/bin"
CORVANE_LEAK_CYCLES=$cycles "$repo/tools/with-display.sh" "$repo/tools/wine-run.sh" product_tests.exe --gtest_filter='LeakTest.*' </dev/null
