#include "support/Device.h"

namespace device {
namespace {

// The device family, as tools/env.sh makes the prefixes.
const Profile kProfiles[] = {
    {L"qvga", 240, 320, 96, 26, 26, 80},           {L"qvga-landscape", 320, 240, 96, 26, 26, 80},
    {L"square", 240, 240, 96, 26, 26, 80},         {L"qvga-wm65", 240, 320, 96, 18, 34, 80},
    {L"vga", 480, 640, 192, 52, 52, 160},          {L"vga-landscape", 640, 480, 192, 52, 52, 160},
    {L"wvga", 480, 800, 192, 52, 52, 160},
};

const Profile& Find()
{
    wchar_t name[64] = L"";
    DWORD size = sizeof(name), type = 0;
    HKEY key = NULL;
    if (RegOpenKeyExW(HKEY_LOCAL_MACHINE, L"Software\\PocketPC Layer\\Device", 0, KEY_QUERY_VALUE, &key) == ERROR_SUCCESS) {
        if (RegQueryValueExW(key, L"Name", NULL, &type, reinterpret_cast<BYTE*>(name), &size) != ERROR_SUCCESS ||
            type != REG_SZ)
            name[0] = L'\0';
        name[63] = L'\0';
        RegCloseKey(key);
    }
    for (const Profile& profile : kProfiles)
        if (lstrcmpiW(profile.name, name) == 0) return profile;
    return kProfiles[0];
}

}  // namespace

const Profile& Running()
{
    static const Profile& profile = Find();
    return profile;
}

RECT Screen()
{
    RECT rc = {0, 0, GetSystemMetrics(SM_CXSCREEN), GetSystemMetrics(SM_CYSCREEN)};
    return rc;
}

RECT MenuBar()
{
    RECT rc = Screen();
    rc.top = rc.bottom - Running().menuBar;
    return rc;
}

RECT InputPanel()
{
    RECT rc = MenuBar();
    rc.bottom = rc.top;
    rc.top -= Running().inputPanel;
    return rc;
}

int Scale(int pixels)
{
    return MulDiv(pixels, Running().dpi, 96);
}

}  // namespace device
