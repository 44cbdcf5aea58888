#!/usr/bin/env bash
# Makes the project's private Wine prefix when it is missing: a crash ends the process at
# once (no debugger dialog), windows are drawn with their own captions for screenshots, and
# no window waits for a window manager (the device has none; Xvfb neither), which would
# otherwise cost two seconds each time a top-level window is hidden.
# Then it makes the prefix the emulated device (also for prefixes made before):
# - every program runs in a virtual desktop of the device's screen (CORVANE_DEVICE, env.sh;
#   240 x 320 for qvga): GetSystemMetrics reports it, message boxes are centred on it and
#   drop-down lists stay on it; on a real display it is a device-sized window at the top left;
# - the device's dpi (96, or 192 for VGA) and its Tahoma: Wine does not find its own fonts by
#   itself (dialogs came out in DejaVu Sans), so they are put in the prefix, Tahoma narrowed to the device's
#   widths by tools/device-font.py (Wine's is about 8 % wider, its bold 14 %, and template
#   texts laid out for the device would be cut).
set -euo pipefail
source "$(dirname "${BASH_SOURCE[0]}")/env.sh"
# A 32-bit prefix needs Wine's 32-bit loader; it is never made with the 64-bit one instead.
if [ "$arch" = x86 ] && ! exec32_probe; then
  echo "No x86 prefix: this machine cannot execute 32-bit programs ($exec32_error)." >&2
  exit 3
fi
# A new prefix with what every device shares, in the folder $1.
make_base() {
  mkdir -p "$1"
  export WINEPREFIX=$1
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
  wineserver -w >/dev/null 2>&1 || true  # the registry is on disk once the server is gone
}
if [ ! -f "$WINEPREFIX/system.reg" ]; then
  # Every device's prefix starts as a copy of one made once per build (a copy takes a second or
  # two, a new prefix ten or twenty); the copy is then made the device below.
  prefix=$WINEPREFIX
  base=$build/pfx-base
  if [ ! -f "$base/system.reg" ]; then
    mkdir -p "$build"
    fresh=$(mktemp -d "$build/pfx-base.XXXXXX")
    ( make_base "$fresh" )
    mv -T "$fresh" "$base" 2>/dev/null || rm -rf "$fresh"  # another run made it meanwhile
  fi
  copy=$(mktemp -d "$prefix.XXXXXX")
  cp -a "$base/." "$copy/"
  mv -T "$copy" "$prefix" 2>/dev/null || rm -rf "$copy"
  export WINEPREFIX=$prefix
fi
# The device: its screen as the virtual desktop, its dpi, and its shell's bar heights, which
# the layer reads (HKLM\Software\PocketPC Layer\Device, pixels of the device's screen). All
# in one import, once per prefix and again whenever the profile changed.
device_reg=$(mktemp "${TMPDIR:-/tmp}/corvane-device.XXXXXX.reg")
{
  echo 'REGEDIT4'
  echo
  echo '[HKEY_CURRENT_USER\Software\Wine\Explorer]'
  echo '"Desktop"="Corvane"'
  echo '[HKEY_CURRENT_USER\Software\Wine\Explorer\Desktops]'
  echo "\"Corvane\"=\"${device_width}x${device_height}\""
  # Wine's desktop turns only to a size of its list of modes: the 4:3 landscape sizes up to the
  # display's (320 x 240, 640 x 480), the display's own, and the one named Default, here the
  # portrait size, so these devices turn both ways. (WVGA's 800 x 480 is not listed; a turn
  # names it and goes by way of the display's size, tests/support/Device.cpp.)
  short=$((device_width < device_height ? device_width : device_height))
  long=$((device_width < device_height ? device_height : device_width))
  echo "\"Default\"=\"${short}x${long}\""
  echo '[HKEY_CURRENT_USER\Control Panel\Desktop]'
  printf '"LogPixels"=dword:%08x\n' "$device_dpi"
  echo '[HKEY_LOCAL_MACHINE\System\CurrentControlSet\Hardware Profiles\Current\Software\Fonts]'
  printf '"LogPixels"=dword:%08x\n' "$device_dpi"
  echo '[HKEY_LOCAL_MACHINE\Software\PocketPC Layer\Device]'
  echo "\"Name\"=\"$device\""
  printf '"TitleBarHeight"=dword:%08x\n' "$device_title_bar"
  printf '"MenuBarHeight"=dword:%08x\n' "$device_menu_bar"
  printf '"InputPanelHeight"=dword:%08x\n' "$device_input_panel"
} >"$device_reg"
stamp=$WINEPREFIX/corvane-device.reg
if ! cmp -s "$device_reg" "$stamp"; then
  DISPLAY= wine64 regedit /S "Z:$device_reg" >/dev/null 2>&1
  cp "$device_reg" "$stamp"
fi
rm -f "$device_reg"
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
