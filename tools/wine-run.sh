#!/usr/bin/env bash
# Runs a Windows executable under Wine in the project's private prefix of the architecture
# CORVANE_ARCH names (env.sh sets the prefix, the loader and Wine's settings).
# Used by CTest as the cross-compiling emulator; the display and the wineserver
# are set up around the run by tools/with-display.sh.
source "$(dirname "${BASH_SOURCE[0]}")/env.sh"
[ "$arch" = x86 ] && exec wine "$@"  # exec runs programs, not env.sh's wine64 function
exec wine64 "$@"
