#!/usr/bin/env bash
# Builds everything and runs the benchmarks, each against its baseline in the same run,
# printing the ratios and their goals. Not part of the test suite.
#   tools/bench.sh [--quick]
set -euo pipefail
source "$(dirname "${BASH_SOURCE[0]}")/env.sh"
"$repo/tools/build.sh"
x86_64-w64-mingw32-strip -o "$build/bin/OPTION.stripped.dll" "$build/bin/OPTION.dll"
cd "$build/bin"
"$repo/tools/with-display.sh" wine64 option_bench.exe "Z:$build/bin/OPTION.stripped.dll" "$@"
