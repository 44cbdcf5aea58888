# Cross toolchain: 32-bit (x86) Windows PE binaries from mingw-w64 (posix thread model, as for
# x86-64), the device's word size: pointers, window longs, WPARAM/LPARAM and the platform's
# records are 32 bits wide as there.
set(CMAKE_SYSTEM_PROCESSOR x86)
set(TOOLCHAIN_PREFIX i686-w64-mingw32)
include(${CMAKE_CURRENT_LIST_DIR}/mingw-w64.cmake)

# Binaries run here through Wine's 32-bit loader.
set(CMAKE_CROSSCOMPILING_EMULATOR /usr/bin/env CORVANE_ARCH=x86 ${CMAKE_CURRENT_LIST_DIR}/../tools/wine-run.sh)
