#!/usr/bin/env bash
# Every check of what a person sees (the screen oracle's tests, the panel, text-fit and pop-up
# checks, turning, page scrolling and the device profile checks) on every device of the family,
# each in its own prefix on its own display: more than the suite runs on the devices other than
# qvga. Builds first. CORVANE_DEVICE=NAME runs one device only.
#   tools/device-checks.sh [gtest arguments...]
set -uo pipefail
here=$(cd "$(dirname "${BASH_SOURCE[0]}")" && pwd)
source "$here/env.sh"
"$repo/tools/build.sh" || exit 1
if [ -n "${CORVANE_DEVICE:-}" ]; then devices=("$CORVANE_DEVICE"); else devices=($(device_names)); fi
failed=()
for name in "${devices[@]}"; do
  echo "=== $name"
  (cd "$build/bin" && env -u WINEPREFIX -u DISPLAY -u CORVANE_DISPLAYS CORVANE_DEVICE="$name" \
    "$repo/tools/with-display.sh" "$repo/tools/wine-run.sh" "$build/bin/product_tests.exe" \
    --gtest_filter='WhatAPersonSeesTest.*:TurnTest.*:PageScrollingTest.*:DeviceProfileTest.*' "$@") || failed+=("$name")
done
echo
if [ ${#failed[@]} -eq 0 ]; then echo "device checks passed on: ${devices[*]}"; exit 0; fi
echo "DEVICE CHECKS FAILED on: ${failed[*]}"
exit 1
