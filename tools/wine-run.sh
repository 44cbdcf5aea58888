#!/usr/bin/env bash
# Runs a Windows executable under Wine in the project's private prefix of the architecture
# CORVANE_ARCH names (env.sh sets the prefix, the loader and Wine's settings).
# Used by CTest as the cross-compiling emulator; the display and the wineserver
# are set up around the run by tools/with-display.sh. A test CTest gave one of its displays
# (CTEST_RESOURCE_GROUP_0_DISPLAYS="id:d1,slots:1") runs on that display, in its prefix.
given=${CTEST_RESOURCE_GROUP_0_DISPLAYS:-}
if [ -n "$given" ]; then
  id=${given#id:}
  id=${id%%,*}
  id=$(echo "$id" | tr 'a-z' 'A-Z')
  display_var=CORVANE_DISPLAY_$id prefix_var=CORVANE_PREFIX_$id
  if [ -z "${!display_var:-}" ] || [ -z "${!prefix_var:-}" ]; then
    echo "wine-run.sh: CTest gave display '$given', which tools/with-display.sh did not make" >&2
    exit 125
  fi
  export DISPLAY=${!display_var} WINEPREFIX=${!prefix_var}
fi
source "$(dirname "${BASH_SOURCE[0]}")/env.sh"
[ "$arch" = x86 ] && exec wine "$@"  # exec runs programs, not env.sh's wine64 function
exec wine64 "$@"
