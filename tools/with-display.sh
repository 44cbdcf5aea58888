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
# of each (n from 0), and CORVANE_RESOURCE_FILE, a CTest resource file naming them d0, d1, ...
# as resources of the type "displays" (tools/wine-run.sh runs a test on the one CTest gave it),
# with CORVANE_OWN_DISPLAYS slots of the type "devices" for the tests that make their own.
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
resource_file=$(mktemp)
cleanup() {
  for ((slot = 0; slot < ${#displays[@]}; slot++)); do
    DISPLAY=":${displays[$slot]}" WINEPREFIX=${prefixes[$slot]} wineserver -k >/dev/null 2>&1 || true
  done
  for xvfb in "${servers[@]}"; do kill "$xvfb" >/dev/null 2>&1 || true; done
  for xvfb in "${servers[@]}"; do wait "$xvfb" 2>/dev/null || true; done
  rm -f "$resource_file"
}
trap cleanup EXIT
trap "exit 143" TERM INT
display=$((100 + $$ % 400))
entries=()
for ((slot = 0; slot < count; slot++)); do
  while [ -e "/tmp/.X11-unix/X$display" ] || [ -e "/tmp/.X$display-lock" ]; do display=$((display + 1)); done
  Xvfb ":$display" -screen 0 "${device_display}x${device_display}x24" -nolisten tcp >/dev/null 2>&1 &
  servers+=($!)
  displays+=("$display")
  export "CORVANE_DISPLAY_D$slot=:$display" "CORVANE_PREFIX_D$slot=${prefixes[$slot]}"
  entries+=("{\"id\": \"d$slot\", \"slots\": 1}")
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
# And CORVANE_OWN_DISPLAYS "devices" slots (2 by default): the tests that make a display and a
# prefix of their own (the checks on the other devices, the user monkey, the test of the test
# command) run that many at a time beside the tests on these displays.
own=${CORVANE_OWN_DISPLAYS:-2}
case "$own" in ''|*[!0-9]*|0) echo "CORVANE_OWN_DISPLAYS is a number from 1, not '$own'" >&2; exit 2 ;; esac
(IFS=,; echo "{\"version\": {\"major\": 1, \"minor\": 0}, \"local\": [{\"displays\": [${entries[*]}], \"devices\": [{\"id\": \"own\", \"slots\": $own}]}]}") >"$resource_file"
export CORVANE_RESOURCE_FILE=$resource_file CORVANE_OWN_DISPLAYS=$own
export DISPLAY=":${displays[0]}" WINEPREFIX=$main_prefix
"$@"
