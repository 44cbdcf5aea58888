#!/usr/bin/env bash
# Runs a command with a Wine prefix ready and a private Xvfb display, then tears both down.
# The display is a square that holds the device's screen (the virtual desktop the prefix gives
# every program, at its top left) turned either way: 320 x 320 for qvga. The device has a
# stylus, not a pointer that hovers: the display's pointer is put at its top left corner, the
# title bar's, where no window tracks it (in the display's middle, where Xvfb puts it, it lay
# on whatever a page showed there, and Wine drew a scroll bar under it hot until a repaint).
# That corner lies on the desktop of every device, turned either way, so a tap's cursor
# position holds (Wine moves the pointer only while it is over its desktop).
#   tools/with-display.sh COMMAND...
# CORVANE_DISPLAYS=N (1 by default) makes N of them, for N programs run side by side: real
# input cannot share a desktop, so each gets its own display, its own copy of the prefix
# (PREFIX.2, PREFIX.3, ...; the first is the prefix itself) and so its own wineserver. The
# command gets DISPLAY and WINEPREFIX of the first, CORVANE_DISPLAY_Dn and CORVANE_PREFIX_Dn
# of each (n from 0), CORVANE_DISPLAYS, and CORVANE_DISPLAY_LOCKS, a folder where
# tools/wine-run.sh locks the display a test runs on while it runs.
set -euo pipefail
source "$(dirname "${BASH_SOURCE[0]}")/env.sh"

count=${CORVANE_DISPLAYS:-1}
case "$count" in ''|*[!0-9]*|0) echo "CORVANE_DISPLAYS is a number from 1, not '$count'" >&2; exit 2 ;; esac

"$repo/tools/prefix.sh"
main_prefix=$WINEPREFIX
prefixes=("$main_prefix")
for ((slot = 1; slot < count; slot++)); do
  copy=$main_prefix.$((slot + 1))
  # A copy is made once; prefix.sh then keeps it the device as it does the first.
  if [ ! -f "$copy/system.reg" ]; then
    rm -rf "$copy"
    cp -a "$main_prefix" "$copy"
  fi
  WINEPREFIX=$copy "$repo/tools/prefix.sh"
  prefixes+=("$copy")
done

displays=()
servers=()
locks=$(mktemp -d)
cleanup() {
  for ((slot = 0; slot < ${#displays[@]}; slot++)); do
    DISPLAY=":${displays[$slot]}" WINEPREFIX=${prefixes[$slot]} wineserver -k >/dev/null 2>&1 || true
  done
  for xvfb in "${servers[@]}"; do kill "$xvfb" >/dev/null 2>&1 || true; done
  for xvfb in "${servers[@]}"; do wait "$xvfb" 2>/dev/null || true; done
  rm -rf "$locks"
}
trap cleanup EXIT
trap "exit 143" TERM INT
display=$((100 + $$ % 400))
for ((slot = 0; slot < count; slot++)); do
  while [ -e "/tmp/.X11-unix/X$display" ] || [ -e "/tmp/.X$display-lock" ]; do display=$((display + 1)); done
  Xvfb ":$display" -screen 0 "${device_display}x${device_display}x24" -nolisten tcp >/dev/null 2>&1 &
  servers+=($!)
  displays+=("$display")
  export "CORVANE_DISPLAY_D$slot=:$display" "CORVANE_PREFIX_D$slot=${prefixes[$slot]}"
  display=$((display + 1))
done
for ((slot = 0; slot < count; slot++)); do
  for _ in $(seq 100); do [ -e "/tmp/.X11-unix/X${displays[$slot]}" ] && break; sleep 0.05; done
  (
    export DISPLAY=":${displays[$slot]}" WINEPREFIX=${prefixes[$slot]}
    wineserver -p
    # Start Wine's background processes now, with no pipe of ours: otherwise the first program
    # run would hand them its output pipe, and whoever reads it (CTest) waits until they end.
    wine64 wineboot >/dev/null 2>&1 </dev/null || true
    # Wine closes the desktop a second after the last program on it ended, and from then on
    # every program brings up a desktop of its own (1.3 s more for each test: one pause of a
    # second between two tests made the whole rest of a run that slow). A program of ours
    # keeps it open until the wineserver is stopped; it is built with the rest.
    if [ -f "$build/bin/desktop_keeper.exe" ]; then
      wine64 "$build/bin/desktop_keeper.exe" >/dev/null 2>&1 </dev/null &
    fi
    # (Xvfb here moved its pointer only once a client was connected: Wine's desktop now is.)
    xdotool mousemove 0 0
  )
done
export CORVANE_DISPLAYS=$count CORVANE_DISPLAY_LOCKS=$locks
export DISPLAY=":${displays[0]}" WINEPREFIX=$main_prefix
"$@"
