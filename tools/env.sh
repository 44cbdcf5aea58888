# Shared settings of the scripts; sourced, not run.
repo=$(cd "$(dirname "${BASH_SOURCE[0]}")/.." && pwd)
build=${CORVANE_BUILD_DIR:-$repo/build}
export WINEPREFIX=${WINEPREFIX:-$build/pfx}
export WINEDEBUG=${WINEDEBUG:--all}
export WINEDLLOVERRIDES=${WINEDLLOVERRIDES:-"mscoree,mshtml=;winealsa.drv,winepulse.drv="}
export PATH=/usr/lib/wine:$PATH
