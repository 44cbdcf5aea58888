#!/usr/bin/env bash
# Makes the project's private Wine prefix when it is missing: a crash ends the process at
# once (no debugger dialog), windows are drawn with their own captions for screenshots, and
# no window waits for a window manager (the device has none; Xvfb neither), which would
# otherwise cost two seconds each time a top-level window is hidden.
# Then it makes the prefix the emulated device (also for prefixes made before):
# - every program runs in a virtual desktop of the device's screen (CORVANE_DEVICE, env.sh;
#   240 x 320 for qvga): GetSystemMetrics reports it, message boxes are centred on it and
#   drop-down lists stay on it; on a real display it is a device-sized window at the top left;
# - the device's dpi (96, or 192 for VGA) and its Tahoma: Wine does not find its own fonts by itself (dialogs
#   came out in DejaVu Sans), so they are put in the prefix, Tahoma narrowed to the device's
#   widths by tools/device-font.py (Wine's is about 8 % wider, its bold 14 %, and template
#   texts laid out for the device would be cut).
set -euo pipefail
source "$(dirname "${BASH_SOURCE[0]}")/env.sh"
# A 32-bit prefix needs Wine's 32-bit loader; it is never made with the 64-bit one instead.
if [ "$arch" = x86 ] && ! exec32_probe; then
  echo "No x86 prefix: this machine cannot execute 32-bit programs ($exec32_error)." >&2
  exit 3
fi
if [ ! -f "$WINEPREFIX/system.reg" ]; then
  mkdir -p "$WINEPREFIX"
  DISPLAY= wine64 wineboot --init >/dev/null 2>&1 || true
  DISPLAY= wine64 reg add 'HKCU\Software\Wine\X11 Driver' /v Decorated /d N /f >/dev/null 2>&1
  DISPLAY= wine64 reg add 'HKCU\Software\Wine\X11 Driver' /v Managed /d N /f >/dev/null 2>&1
  # The emulated device's hardware buttons, as its shell lists them.
  keys='HKLM\Software\Microsoft\Shell\Keys'
  button() {  # key name, button name, program
    DISPLAY= wine64 reg add "$keys\\$1" /v Name /d "$2" /f >/dev/null 2>&1
    DISPLAY= wine64 reg add "$keys\\$1" /v Icon /d "$3,0" /f >/dev/null 2>&1
    DISPLAY= wine64 reg add "$keys\\$1" /ve /d "$3" /f >/dev/null 2>&1
  }
  button 40C1 Internet '\Windows\System32\iexplore.exe'
  button 40C2 Notes '\Windows\notepad.exe'
  button 40C3 Games '\Windows\System32\winemine.exe'
  button 40C4 Tasks '\Windows\System32\taskmgr.exe'
  DISPLAY= wine64 reg add "$keys\\40C5" /v Name /d Side /f >/dev/null 2>&1
  DISPLAY= wine64 reg add "$keys\\40C5" /v Flags /t REG_DWORD /d 11 /f >/dev/null 2>&1
  DISPLAY= wine64 reg add 'HKLM\Software\Microsoft\Windows NT\CurrentVersion\AeDebug' /v Debugger /d false /f >/dev/null 2>&1
  DISPLAY= wine64 reg add 'HKLM\Software\Microsoft\Windows NT\CurrentVersion\AeDebug' /v Auto /d 1 /f >/dev/null 2>&1
fi
# The device: its screen as the virtual desktop, its dpi, and its shell's bar heights, which
# the layer reads (HKLM\Software\PocketPC Layer\Device, pixels of the device's screen).
size=${device_width}x${device_height}
if ! grep -q "^\"Corvane\"=\"$size\"" "$WINEPREFIX/user.reg" 2>/dev/null; then
  DISPLAY= wine64 reg add 'HKCU\Software\Wine\Explorer' /v Desktop /d Corvane /f >/dev/null 2>&1
  DISPLAY= wine64 reg add 'HKCU\Software\Wine\Explorer\Desktops' /v Corvane /d "$size" /f >/dev/null 2>&1
fi
dpi_hex=$(printf '%08x' "$device_dpi")
if ! grep -q "^\"LogPixels\"=dword:$dpi_hex" "$WINEPREFIX/system.reg" 2>/dev/null ||
   ! grep -q "^\"LogPixels\"=dword:$dpi_hex" "$WINEPREFIX/user.reg" 2>/dev/null; then
  DISPLAY= wine64 reg add 'HKLM\System\CurrentControlSet\Hardware Profiles\Current\Software\Fonts' \
    /v LogPixels /t REG_DWORD /d "$device_dpi" /f >/dev/null 2>&1
  DISPLAY= wine64 reg add 'HKCU\Control Panel\Desktop' /v LogPixels /t REG_DWORD /d "$device_dpi" /f >/dev/null 2>&1
fi
shell='HKLM\Software\PocketPC Layer\Device'
if ! grep -q "^\"Name\"=\"$device\"" "$WINEPREFIX/system.reg" 2>/dev/null; then
  DISPLAY= wine64 reg add "$shell" /v Name /d "$device" /f >/dev/null 2>&1
  DISPLAY= wine64 reg add "$shell" /v TitleBarHeight /t REG_DWORD /d "$device_title_bar" /f >/dev/null 2>&1
  DISPLAY= wine64 reg add "$shell" /v MenuBarHeight /t REG_DWORD /d "$device_menu_bar" /f >/dev/null 2>&1
  DISPLAY= wine64 reg add "$shell" /v InputPanelHeight /t REG_DWORD /d "$device_input_panel" /f >/dev/null 2>&1
fi
fonts=$WINEPREFIX/drive_c/windows/Fonts
if [ ! -f "$fonts/tahoma.ttf" ] || [ "$repo/tools/device-font.py" -nt "$fonts/tahoma.ttf" ]; then
  mkdir -p "$fonts"
  for font in /usr/share/wine/fonts/*.ttf; do
    [ -e "$font" ] && ln -sf "$font" "$fonts/"
  done
  # The device's widths over Wine's at 11 pixels: the regular alphabet 5.9 against 6.4, the
  # bold one 6.0 against 7.0 (the bold headers of the templates fit their 8-unit rows).
  # The bold face is drawn from its outlines: Wine draws its embedded bitmaps at their own,
  # wider widths, and the headers came out cut. The regular face keeps its crisper bitmaps,
  # which Wine draws at the narrowed widths.
  rm -f "$fonts/tahoma.ttf" "$fonts/tahomabd.ttf"
  /usr/bin/python3 "$repo/tools/device-font.py" /usr/share/wine/fonts/tahoma.ttf "$fonts/tahoma.ttf" 0.92
  /usr/bin/python3 "$repo/tools/device-font.py" /usr/share/wine/fonts/tahomabd.ttf "$fonts/tahomabd.ttf" 0.86 --outlines-only
fi
# A wineserver left from a run without a display would make the next windows invisible.
wineserver -k >/dev/null 2>&1 || true
wineserver -w >/dev/null 2>&1 || true
