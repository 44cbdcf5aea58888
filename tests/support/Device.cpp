#include "support/Device.h"

#include "support/RealInput.h"

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

bool Listed(int width, int height)
{
    DEVMODEW mode = {};
    mode.dmSize = sizeof(mode);
    for (DWORD i = 0; EnumDisplaySettingsW(NULL, i, &mode); ++i)
        if (static_cast<int>(mode.dmPelsWidth) == width && static_cast<int>(mode.dmPelsHeight) == height) return true;
    return false;
}

// The largest screen the system lists: the display's own size, always listed.
SIZE Largest()
{
    SIZE largest = {0, 0};
    DEVMODEW mode = {};
    mode.dmSize = sizeof(mode);
    for (DWORD i = 0; EnumDisplaySettingsW(NULL, i, &mode); ++i) {
        if (static_cast<LONG>(mode.dmPelsWidth) * static_cast<LONG>(mode.dmPelsHeight) > largest.cx * largest.cy)
            largest = {static_cast<LONG>(mode.dmPelsWidth), static_cast<LONG>(mode.dmPelsHeight)};
    }
    return largest;
}

LONG ChangeScreen(int width, int height)
{
    DEVMODEW mode = {};
    mode.dmSize = sizeof(mode);
    mode.dmFields = DM_PELSWIDTH | DM_PELSHEIGHT;
    mode.dmPelsWidth = width;
    mode.dmPelsHeight = height;
    return ChangeDisplaySettingsExW(NULL, &mode, NULL, 0, NULL);
}

// Wine's virtual desktop takes only a size of its list of modes: fixed sizes up to the
// display's, the display's own, and the size named "Default" under
// HKCU\Software\Wine\Explorer\Desktops. A change is checked against the list made at the
// change before it and against the list as it is then (the value read again), so a size
// outside the list is named first and made listed by a change to the display's size.
bool MakeListed(int width, int height)
{
    if (Listed(width, height)) return true;
    HKEY key = NULL;
    if (RegCreateKeyExW(HKEY_CURRENT_USER, L"Software\\Wine\\Explorer\\Desktops", 0, NULL, 0, KEY_SET_VALUE, NULL, &key,
                        NULL) != ERROR_SUCCESS)
        return false;
    wchar_t size[32];
    wsprintfW(size, L"%dx%d", width, height);
    const LONG written = RegSetValueExW(key, L"Default", 0, REG_SZ, reinterpret_cast<const BYTE*>(size),
                                        static_cast<DWORD>((lstrlenW(size) + 1) * sizeof(wchar_t)));
    RegCloseKey(key);
    if (written != ERROR_SUCCESS) return false;
    const SIZE display = Largest();
    return display.cx > 0 && ChangeScreen(display.cx, display.cy) == DISP_CHANGE_SUCCESSFUL && Listed(width, height);
}

}  // namespace

bool Turn()
{
    const RECT screen = Screen();
    const int width = screen.bottom, height = screen.right;
    bool turned = width == height || (MakeListed(width, height) && ChangeScreen(width, height) == DISP_CHANGE_SUCCESSFUL);
    // A refused turn leaves the screen as it was, not at the display's size of the way there.
    if (!turned && (GetSystemMetrics(SM_CXSCREEN) != screen.right || GetSystemMetrics(SM_CYSCREEN) != screen.bottom))
        ChangeScreen(screen.right, screen.bottom);
    // The windows follow from their messages: the change's, then the layer's own.
    realinput::Settle();
    const RECT now = Screen();
    return turned && now.right == width && now.bottom == height;
}

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
