#!/usr/bin/env bash
# Installs what is missing, then configures and builds everything (DLL, tests, demo host).
set -euo pipefail
source "$(dirname "${BASH_SOURCE[0]}")/env.sh"
"$repo/tools/deps.sh"
cmake -S "$repo" -B "$build" -DCMAKE_TOOLCHAIN_FILE="$repo/cmake/mingw-w64-x86_64.cmake" >/dev/null
cmake --build "$build" -j "$(nproc)"
