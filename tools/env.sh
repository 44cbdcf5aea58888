# Shared settings of the scripts; sourced, not run.
#
# CORVANE_ARCH picks the architecture a script builds and runs: x64 (the default), built in
# build/ and run by Wine's 64-bit loader, or x86, the device's word size, built in build-x86/
# and run by Wine's 32-bit loader in a 32-bit prefix. CORVANE_BUILD_TYPE=Debug builds with
# symbols and debug information instead of the release DLL (in build-debug/, build-x86-debug/).
repo=$(cd "$(dirname "${BASH_SOURCE[0]}")/.." && pwd)
device_names() { echo "qvga qvga-landscape square qvga-wm65 vga vga-landscape wvga"; }
arch=${CORVANE_ARCH:-x64}
build_type=${CORVANE_BUILD_TYPE:-Release}
case "$arch" in
  x64) toolchain=$repo/cmake/mingw-w64-x86_64.cmake; build_name=build ;;
  x86) toolchain=$repo/cmake/mingw-w64-i686.cmake; build_name=build-x86 ;;
  *) echo "CORVANE_ARCH is x64 or x86, not '$arch'" >&2; exit 2 ;;
esac
[ "$build_type" = Release ] || build_name=$build_name-$(echo "$build_type" | tr 'A-Z' 'a-z')
build=${CORVANE_BUILD_DIR:-$repo/$build_name}
# deps.sh leaves here why Wine's 32-bit side could not be installed (absent once it is).
wine32_status=$repo/build-x86/wine32-missing.txt
export CORVANE_ARCH=$arch
source "$repo/tools/exec32.sh"
export WINEDEBUG=${WINEDEBUG:--all}
export WINEDLLOVERRIDES=${WINEDLLOVERRIDES:-"mscoree,mshtml=;winealsa.drv,winepulse.drv="}
export PATH=/usr/lib/wine:$PATH
if [ "$arch" = x86 ]; then
  # A 32-bit prefix, so the x86 programs see one registry as on the device (a 64-bit prefix
  # would show them a separate 32-bit view of HKEY_LOCAL_MACHINE\Software). Every "wine64"
  # of the scripts that source this file runs Wine's 32-bit loader instead.
  export WINEARCH=win32
  wine64() { wine "$@"; }
fi

# CORVANE_DEVICE picks the emulated device (qvga, the default, is a QVGA portrait Pocket PC).
# Each device has its own prefix, made by tools/prefix.sh: build/pfx for qvga, as before, and
# build/pfx-NAME for the others. A profile is its screen, its dpi, and the heights of the
# shell's title (navigation) bar, menu bar and input panel, in pixels of that screen.
device=${CORVANE_DEVICE:-qvga}
case "$device" in
  qvga)           device_profile=(240 320  96 26 26  80) ;;
  qvga-landscape) device_profile=(320 240  96 26 26  80) ;;
  square)         device_profile=(240 240  96 26 26  80) ;;
  qvga-wm65)      device_profile=(240 320  96 18 34  80) ;;
  vga)            device_profile=(480 640 192 52 52 160) ;;
  vga-landscape)  device_profile=(640 480 192 52 52 160) ;;
  wvga)           device_profile=(480 800 192 52 52 160) ;;
  *) echo "CORVANE_DEVICE is one of: $(device_names), not '$device'" >&2; exit 2 ;;
esac
device_width=${device_profile[0]} device_height=${device_profile[1]} device_dpi=${device_profile[2]}
device_title_bar=${device_profile[3]} device_menu_bar=${device_profile[4]} device_input_panel=${device_profile[5]}
# The display holds the device turned either way.
device_display=$((device_width > device_height ? device_width : device_height))
export CORVANE_DEVICE=$device
if [ "$device" = qvga ]; then
  export WINEPREFIX=${WINEPREFIX:-$build/pfx}
else
  export WINEPREFIX=${WINEPREFIX:-$build/pfx-$device}
fi
