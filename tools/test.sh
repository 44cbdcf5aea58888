#!/usr/bin/env bash
# The whole test suite: builds everything, then runs every test under Wine on a private display.
#   tools/test.sh [ctest arguments...]
set -euo pipefail
source "$(dirname "${BASH_SOURCE[0]}")/env.sh"
"$repo/tools/build.sh"
"$repo/tools/with-display.sh" ctest --test-dir "$build" --output-on-failure "$@"
