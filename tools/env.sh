# Shared settings of the scripts; sourced, not run.
#
# CORVANE_ARCH picks the architecture a script builds and runs: x64 (the default), built in
# build/ and run by Wine's 64-bit loader, or x86, the device's word size, built in build-x86/
# and run by Wine's 32-bit loader in a 32-bit prefix. CORVANE_BUILD_TYPE=Debug builds with
# symbols and debug information instead of the release DLL (in build-debug/, build-x86-debug/).
repo=$(cd "$(dirname "${BASH_SOURCE[0]}")/.." && pwd)
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
export WINEPREFIX=${WINEPREFIX:-$build/pfx}
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
