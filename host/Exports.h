// The functions OPTION.dll exports, by ordinal only.
#pragma once

#include "pocketpc/PocketPC.h"

// Ordinal 1: shows the modal options sheet. Returns 2 when the arguments are rejected,
// otherwise (index of the page last active << 16) | (sheet result & 0xFFFF).
extern "C" int WINAPI ShowOptions(HWND parent, int holdUnsupported, int platformLevel, int reservedValue,
                                  void* reservedPointer, LPCWSTR vendor, LPCWSTR product, LPCWSTR version,
                                  int startPage);
