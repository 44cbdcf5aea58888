#include "pocketpc/RegistryTree.h"

LONG DeleteKeyTree(HKEY key, LPCWSTR name)
{
    if (!name || !*name) return ERROR_INVALID_PARAMETER;
#ifdef _WIN32_WCE
    return RegDeleteKeyW(key, name);
#else
    return RegDeleteTreeW(key, name);
#endif
}
