#!/usr/bin/env bash
# Runs a command with a Wine prefix ready and a private Xvfb display, then tears both down.
# The display is a square that holds the device's screen (the virtual desktop the prefix gives
# every program, at its top left) turned either way: 320 x 320 for qvga. The pointer starts in
# the display's middle, which lies on the desktop of every device, so a tap's cursor position
# holds (Wine moves the pointer only while it is over its desktop).
#   tools/with-display.sh COMMAND...
set -euo pipefail
source "$(dirname "${BASH_SOURCE[0]}")/env.sh"

"$repo/tools/prefix.sh"

display=$((100 + $$ % 400))
while [ -e "/tmp/.X11-unix/X$display" ] || [ -e "/tmp/.X$display-lock" ]; do display=$((display + 1)); done
Xvfb ":$display" -screen 0 "${device_display}x${device_display}x24" -nolisten tcp >/dev/null 2>&1 &
xvfb=$!
cleanup() {
  DISPLAY=":$display" wineserver -k >/dev/null 2>&1 || true
  kill "$xvfb" >/dev/null 2>&1 || true
  wait "$xvfb" 2>/dev/null || true
}
trap cleanup EXIT
for _ in $(seq 100); do [ -e "/tmp/.X11-unix/X$display" ] && break; sleep 0.05; done
export DISPLAY=":$display"
wineserver -p
# Start Wine's background processes now, with no pipe of ours: otherwise the first program
# run would hand them its output pipe, and whoever reads it (CTest) waits until they end.
wine64 wineboot >/dev/null 2>&1 </dev/null || true
"$@"
