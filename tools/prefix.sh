#!/usr/bin/env bash
# Makes the project's private Wine prefix when it is missing: a crash ends the process at
# once (no debugger dialog), windows are drawn with their own captions for screenshots, and
# no window waits for a window manager (the device has none; Xvfb neither), which would
# otherwise cost two seconds each time a top-level window is hidden.
set -euo pipefail
source "$(dirname "${BASH_SOURCE[0]}")/env.sh"
if [ ! -f "$WINEPREFIX/system.reg" ]; then
  mkdir -p "$WINEPREFIX"
  DISPLAY= wine64 wineboot --init >/dev/null 2>&1 || true
  DISPLAY= wine64 reg add 'HKCU\Software\Wine\X11 Driver' /v Decorated /d N /f >/dev/null 2>&1
  DISPLAY= wine64 reg add 'HKCU\Software\Wine\X11 Driver' /v Managed /d N /f >/dev/null 2>&1
  DISPLAY= wine64 reg add 'HKLM\Software\Microsoft\Windows NT\CurrentVersion\AeDebug' /v Debugger /d false /f >/dev/null 2>&1
  DISPLAY= wine64 reg add 'HKLM\Software\Microsoft\Windows NT\CurrentVersion\AeDebug' /v Auto /d 1 /f >/dev/null 2>&1
fi
# A wineserver left from a run without a display would make the next windows invisible.
wineserver -k >/dev/null 2>&1 || true
wineserver -w >/dev/null 2>&1 || true
