#!/usr/bin/env bash
# Installs the Debian packages the build, the demo and the tests need, when missing.
# Safe to run again: it does nothing once everything is there.
set -euo pipefail

packages=(
  g++-mingw-w64-x86-64-posix  # the Windows toolchain (posix threads)
  wine64                      # runs the PE binaries
  fonts-wine                  # Tahoma-metric fonts, so dialogs have their real size
  python3-fonttools           # narrows them to the device's Tahoma (tools/device-font.py)
  xvfb xauth                  # a display for the windows
  cmake make python3
  imagemagick x11-apps        # screenshots of the pages
  googletest                  # sources, built with the mingw toolchain
)

missing=()
for p in "${packages[@]}"; do
  dpkg-query -W -f='${Status}' "$p" 2>/dev/null | grep -q 'install ok installed' || missing+=("$p")
done
[ ${#missing[@]} -eq 0 ] && exit 0

if [ "$(id -u)" -ne 0 ]; then
  SUDO=sudo
else
  SUDO=
fi
echo "Installing: ${missing[*]}" >&2
export DEBIAN_FRONTEND=noninteractive
$SUDO apt-get update -qq
$SUDO apt-get install -y -qq --no-install-recommends "${missing[@]}" >/dev/null
