#include "host/HostContext.h"

HostContext hostContext;

LPCWSTR ResourceText(UINT id)
{
    LPCWSTR text = LoadStringPointer(hostContext.instance, id);
    return text ? text : L"";
}
