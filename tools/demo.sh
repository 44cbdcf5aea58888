#!/usr/bin/env bash
# Builds everything and runs the demo host: it seeds the URL lists, opens the options sheet
# and prints the settings the add-on would read. With a display ($DISPLAY) the sheet opens
# for you to use, on the emulated device (a device-sized window at the top left); without one
# every page is rendered to build/gallery/*.png, and the tour to build/gallery/tour.gif.
#   tools/demo.sh [demo host arguments...]
#   tools/demo.sh --all-devices     renders the gallery of every device (no display needed)
# CORVANE_DEVICE picks the device (env.sh); the gallery of a device other than qvga goes to
# build/gallery/DEVICE/.
set -euo pipefail
source "$(dirname "${BASH_SOURCE[0]}")/env.sh"
if [ "${1:-}" = --all-devices ]; then
  shift
  "$repo/tools/build.sh"
  for name in $(device_names); do
    echo "=== $name"
    env -u DISPLAY -u WINEPREFIX CORVANE_DEVICE="$name" CORVANE_DEMO_BUILT=1 "$0" "$@"
  done
  exit 0
fi
[ -n "${CORVANE_DEMO_BUILT:-}" ] || "$repo/tools/build.sh"
cd "$build/bin"
if [ -n "${DISPLAY:-}" ] && [ -e "/tmp/.X11-unix/X${DISPLAY#*:}" ]; then
  "$repo/tools/prefix.sh"
  wine64 corvane-demo.exe "$@"
  exit 0
fi
gallery=$build/gallery
[ "$device" = qvga ] || gallery=$build/gallery/$device
rm -f "$gallery"/*.png "$gallery"/*.bmp "$gallery"/*.gif
mkdir -p "$gallery"
"$repo/tools/with-display.sh" wine64 corvane-demo.exe --render "Z:$gallery" "$@"
for bmp in "$gallery"/*.bmp; do
  [ -e "$bmp" ] || continue
  convert "$bmp" "PNG24:${bmp%.bmp}.png" && rm "$bmp"
done
# The tour: the pages in turn, then the sheet in use.
frames=("$gallery"/[0-9][0-9]-*.png)
if [ -e "${frames[0]}" ]; then
  convert -delay 120 -loop 0 "${frames[@]}" "$gallery/tour.gif"
fi
echo "Pages rendered to $gallery:"
ls "$gallery"
