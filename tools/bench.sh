#!/usr/bin/env bash
# Builds everything and runs the benchmarks, each against its baseline in the same run,
# printing the ratios and their goals. Not part of the test suite. First the size of the
# release OPTION.dll of both architectures against its goal.
#   tools/bench.sh [--quick] [--steps]   (--steps: the sheet's cost page by page)
# CORVANE_ARCH=x86 runs the benchmarks on the x86 build (x64 by default; see env.sh).
set -euo pipefail
source "$(dirname "${BASH_SOURCE[0]}")/env.sh"
"$repo/tools/build.sh"

# The size goals, in KB of 1024 bytes: the DLL takes the device's storage and memory.
declare -A goal_kb=([x64]=160 [x86]=128)
echo "Size of the release OPTION.dll (optimised for size, stripped):"
for size_arch in x64 x86; do
  dll=$(
    export CORVANE_ARCH=$size_arch
    unset CORVANE_BUILD_DIR WINEPREFIX
    source "$repo/tools/env.sh"
    if [ "$size_arch" != "$arch" ] || [ ! -f "$build/CMakeCache.txt" ]; then
      cmake -S "$repo" -B "$build" -DCMAKE_TOOLCHAIN_FILE="$toolchain" -DCMAKE_BUILD_TYPE=Release >/dev/null
      cmake --build "$build" --target OPTION -j "$(nproc)" >/dev/null
    fi
    echo "$build/bin/OPTION.dll"
  )
  bytes=$(stat -c %s "$dll")
  limit=$((goal_kb[$size_arch] * 1024))
  verdict=met
  [ "$bytes" -le "$limit" ] || verdict=MISSED
  awk -v a="$size_arch" -v b="$bytes" -v g="${goal_kb[$size_arch]}" -v v="$verdict" \
    'BEGIN { printf "  %-4s %8d bytes (%6.1f KB)  goal at most %d KB: %s\n", a, b, b / 1024, g, v }'
done
echo

cd "$build/bin"
"$repo/tools/with-display.sh" wine64 option_bench.exe "Z:$build/bin/OPTION.dll" "$@"
