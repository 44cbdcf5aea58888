#!/usr/bin/env bash
# Installs the Debian packages the build, the demo and the tests need, when missing.
# Safe to run again: it does nothing once everything is there.
#
# Two parts. The first (toolchains, 64-bit Wine, display, build tools) must succeed. The
# second is Wine's 32-bit side, which runs the x86 build. It is installed only where this
# machine can execute 32-bit programs at all (tools/exec32.sh asks by running one). It needs
# the i386 architecture and i386 libraries of exactly the versions of the amd64 ones, and
# its install fails whenever the i386 package lists are briefly out of step with the amd64 ones (a mirror still
# syncing). The update is retried a few times; if the 32-bit side still cannot be installed
# this script says why, leaves the reason in $CORVANE_WINE32_STATUS (when set) and still
# exits 0: the x86 build is made anyway and tools/test.sh reports that its suite did not run.
set -euo pipefail

packages=(
  g++-mingw-w64-x86-64-posix  # the Windows toolchains, x86-64 and x86 (posix threads, which
  g++-mingw-w64-i686-posix    # GoogleTest needs; the DLL links no thread code either way)
  wine64                      # runs the x86-64 PE binaries
  fonts-wine                  # Tahoma-metric fonts, so dialogs have their real size
  python3-fonttools           # narrows them to the device's Tahoma (tools/device-font.py)
  xvfb xauth                  # a display for the windows
  cmake make python3
  imagemagick x11-apps        # screenshots of the pages
  xdotool                     # puts the display's pointer where the device's stylus rests
  googletest                  # sources, built with the mingw toolchain
)
wine32_package=wine32:i386    # runs the x86 PE binaries

installed() {
  dpkg-query -W -f='${Status}' "$1" 2>/dev/null | grep -q 'install ok installed'
}

if [ "$(id -u)" -ne 0 ]; then
  SUDO=sudo
else
  SUDO=
fi
export DEBIAN_FRONTEND=noninteractive

# apt-get waits up to ten minutes for the lock while another apt-get holds it.
apt_get() {
  $SUDO apt-get -o DPkg::Lock::Timeout=600 "$@"
}

# Updates the package lists, up to five times: an update that could not fetch every list
# (a mirror in the middle of a sync) leaves the architectures out of step.
update_error=
update_lists() {
  local try log
  log=$(mktemp)
  for try in 1 2 3 4 5; do
    if apt_get update -qq 2>"$log" && ! grep -q '^E:' "$log"; then
      rm -f "$log"
      update_error=
      return 0
    fi
    update_error=$(grep -m 1 '^E:' "$log" || echo "E: apt-get update failed")
    echo "apt-get update, try $try of 5, did not fetch every list:" >&2
    sed 's/^/  /' "$log" >&2
    [ "$try" -lt 5 ] && sleep $((try * 10))
  done
  rm -f "$log"
  return 1
}

missing=()
for p in "${packages[@]}"; do
  installed "$p" || missing+=("$p")
done
updated=
if [ ${#missing[@]} -gt 0 ]; then
  echo "Installing: ${missing[*]}" >&2
  update_lists || true
  updated=1
  apt_get install -y -qq --no-install-recommends "${missing[@]}" >/dev/null
fi

# Wine's 32-bit side.
status=${CORVANE_WINE32_STATUS:-}
report() {  # the reason the 32-bit side is missing; no reason once it is there
  [ -n "$status" ] || return 0
  if [ $# -eq 0 ]; then
    rm -f "$status"
  else
    mkdir -p "$(dirname "$status")"
    printf '%s\n' "$*" >"$status"
  fi
}
# Nothing is installed that this machine cannot run: without 32-bit support in its kernel,
# wine32 installs but never starts.
source "$(dirname "${BASH_SOURCE[0]}")/exec32.sh"
if ! exec32_probe; then
  echo "Wine's 32-bit side is not used or installed: this machine cannot execute 32-bit programs ($exec32_error)." >&2
  report "this machine cannot execute 32-bit programs ($exec32_error)"
  exit 0
fi
if installed "$wine32_package"; then
  report
  exit 0
fi
# After a failed attempt, the next ones within the hour do not retry (each costs minutes).
if [ -n "$status" ] && [ -s "$status" ] && [ -n "$(find "$status" -mmin -60 2>/dev/null)" ]; then
  echo "Wine's 32-bit side is missing; the last attempt to install it, within the hour, failed:" >&2
  sed 's/^/  /' "$status" >&2
  echo "  (not retried before an hour has passed; delete $status to retry now)" >&2
  exit 0
fi
echo "Installing Wine's 32-bit side ($wine32_package)" >&2
if ! dpkg --print-foreign-architectures | grep -qx i386; then
  $SUDO dpkg --add-architecture i386
  updated=
fi
if [ -z "$updated" ] || ! apt-cache show "$wine32_package" >/dev/null 2>&1; then
  update_lists || echo "apt-get update still fails to fetch some lists; trying the install anyway" >&2
fi
install_log=$(mktemp)
if apt_get install -y -qq --no-install-recommends "$wine32_package" >"$install_log" 2>&1; then
  rm -f "$install_log"
  report
  exit 0
fi
reason="apt-get install $wine32_package failed: $(grep -m 2 '^E:' "$install_log" | tr -s ' \n' ' ')"
[ -z "$update_error" ] || reason="$reason (after apt-get update failed 5 times: $update_error)"
rm -f "$install_log"
echo "$reason" >&2
echo "The x86 build is still made; its tests cannot run without Wine's 32-bit side." >&2
report "$reason"
exit 0
