// Deleting a registry key together with everything below it.
//
// The device's RegDeleteKeyW deletes a whole tree and its core library has no other call
// for it; the desktop's RegDeleteKeyW refuses a key that has subkeys, and RegDeleteTreeW,
// which the device lacks, does the whole tree. The rest of the component calls this instead
// of either, so it builds for both.
#pragma once

#include "pocketpc/PocketPC.h"

// Deletes the subkey name of key with all its subkeys and values. A null or empty name
// (which the desktop would read as "empty key itself") is refused with
// ERROR_INVALID_PARAMETER. Returns the registry's result, ERROR_SUCCESS on success.
LONG DeleteKeyTree(HKEY key, LPCWSTR name);
