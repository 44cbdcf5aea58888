// Entry point of OPTION.dll: it only records its instance; nothing else happens at load.
#include "host/HostContext.h"

extern "C" BOOL WINAPI DllMain(HINSTANCE instance, DWORD reason, LPVOID)
{
    if (reason == DLL_PROCESS_ATTACH) hostContext.instance = instance;
    return TRUE;
}
