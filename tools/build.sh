#!/usr/bin/env bash
# Installs what is missing, then configures and builds everything (DLL, tests, demo host) for
# the architecture CORVANE_ARCH names (x64 by default, or x86; see env.sh).
set -euo pipefail
source "$(dirname "${BASH_SOURCE[0]}")/env.sh"
CORVANE_WINE32_STATUS=$wine32_status "$repo/tools/deps.sh"
cmake -S "$repo" -B "$build" -DCMAKE_TOOLCHAIN_FILE="$toolchain" -DCMAKE_BUILD_TYPE="$build_type" >/dev/null
cmake --build "$build" -j "$(nproc)"
