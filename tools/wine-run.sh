#!/usr/bin/env bash
# Runs a Windows executable under Wine in the project's private prefix.
# Used by CTest as the cross-compiling emulator; the display and the wineserver
# are set up around the run by tools/with-display.sh.
here=$(cd "$(dirname "${BASH_SOURCE[0]}")" && pwd)
: "${WINEPREFIX:=$here/../build/pfx}"
export WINEPREFIX WINEDEBUG=${WINEDEBUG:--all}
export WINEDLLOVERRIDES=${WINEDLLOVERRIDES:-"mscoree,mshtml=;winealsa.drv,winepulse.drv="}
export PATH=/usr/lib/wine:$PATH
[ "${CORVANE_ARCH:-x64}" = x86 ] && exec wine "$@"  # the x86 build: Wine's 32-bit loader
exec wine64 "$@"
