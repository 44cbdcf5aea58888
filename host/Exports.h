// The functions OPTION.dll exports, by ordinal only.
#pragma once

#include "include/corvane_options.h"
#include "pocketpc/PocketPC.h"

// Ordinal 1: shows the modal options sheet. Returns 2 when the arguments are rejected,
// otherwise (index of the page last active << 16) | (sheet result & 0xFFFF).
extern "C" int WINAPI ShowOptions(HWND parent, int holdUnsupported, int platformLevel, int reservedValue,
                                  void* reservedPointer, LPCWSTR vendor, LPCWSTR product, LPCWSTR version,
                                  int startPage);

// Ordinals 2 and 3: record vendor, product and version, then write the default URL alias or
// URL service list when none is stored yet. A null argument writes nothing.
extern "C" void WINAPI ResetAliases(LPCWSTR vendor, LPCWSTR product, LPCWSTR version);
extern "C" void WINAPI ResetServices(LPCWSTR vendor, LPCWSTR product, LPCWSTR version);
