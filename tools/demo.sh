#!/usr/bin/env bash
# Builds everything and runs the demo host: it seeds the URL lists, opens the options sheet
# and prints the settings the add-on would read. With a display ($DISPLAY) the sheet opens
# for you to use; without one every page is rendered to build/gallery/*.png.
#   tools/demo.sh [demo host arguments...]
set -euo pipefail
source "$(dirname "${BASH_SOURCE[0]}")/env.sh"
"$repo/tools/build.sh"
cd "$build/bin"
if [ -n "${DISPLAY:-}" ] && [ -e "/tmp/.X11-unix/X${DISPLAY#*:}" ]; then
  "$repo/tools/prefix.sh"
  wine64 corvane-demo.exe "$@"
  exit 0
fi
gallery=$build/gallery
rm -rf "$gallery"
mkdir -p "$gallery"
"$repo/tools/with-display.sh" wine64 corvane-demo.exe --render "Z:$gallery" "$@"
for bmp in "$gallery"/*.bmp; do
  [ -e "$bmp" ] || continue
  convert "$bmp" "PNG24:${bmp%.bmp}.png" && rm "$bmp"
done
echo "Pages rendered to $gallery:"
ls "$gallery"
