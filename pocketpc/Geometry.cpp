// The running device's geometry: its screen, its dpi and its shell's bar heights.
#ifndef _WIN32_WCE
#include "pocketpc/Layer.h"

namespace pocketpc {
namespace {

// The QVGA device's shell at 96 dpi, what a device that does not say otherwise has, scaled.
const int kTitleBarHeight96 = 26;
const int kMenuBarHeight96 = 26;
const int kInputPanelHeight96 = 80;

const wchar_t kDeviceKey[] = L"Software\\PocketPC Layer\\Device";

// A height the device's setting gives, or the fallback when the value is missing, not a
// DWORD, or no height a screen could have.
int ReadHeight(HKEY key, const wchar_t* name, int fallback)
{
    DWORD type = 0, value = 0, size = sizeof(value);
    if (!key || RegQueryValueExW(key, name, NULL, &type, reinterpret_cast<BYTE*>(&value), &size) != ERROR_SUCCESS)
        return fallback;
    if (type != REG_DWORD || size != sizeof(value) || value == 0 || value > 4096) return fallback;
    return static_cast<int>(value);
}

struct Shell {
    int dpi;
    int titleBar;
    int menuBar;
    int inputPanel;
};

// Neither the dpi nor the bars change while the device runs; the screen does, when it turns.
const Shell& DeviceShell()
{
    static Shell shell = {};
    if (shell.dpi) return shell;
    HDC screen = GetDC(NULL);
    int dpi = screen ? GetDeviceCaps(screen, LOGPIXELSY) : 0;
    if (screen) ReleaseDC(NULL, screen);
    shell.dpi = dpi > 0 ? dpi : 96;
    HKEY key = NULL;
    if (RegOpenKeyExW(HKEY_LOCAL_MACHINE, kDeviceKey, 0, KEY_QUERY_VALUE, &key) != ERROR_SUCCESS) key = NULL;
    shell.titleBar = ReadHeight(key, L"TitleBarHeight", MulDiv(kTitleBarHeight96, shell.dpi, 96));
    shell.menuBar = ReadHeight(key, L"MenuBarHeight", MulDiv(kMenuBarHeight96, shell.dpi, 96));
    shell.inputPanel = ReadHeight(key, L"InputPanelHeight", MulDiv(kInputPanelHeight96, shell.dpi, 96));
    if (key) RegCloseKey(key);
    return shell;
}

// The screen's size as last asked; zero once forgotten.
SIZE screen = {0, 0};

}  // namespace

void ForgetScreenSize()
{
    screen.cx = screen.cy = 0;
}

Geometry Device()
{
    const Shell& shell = DeviceShell();
    if (screen.cx <= 0 || screen.cy <= 0) {
        screen.cx = GetSystemMetrics(SM_CXSCREEN);
        screen.cy = GetSystemMetrics(SM_CYSCREEN);
    }
    Geometry geometry;
    geometry.screenWidth = screen.cx;
    geometry.screenHeight = screen.cy;
    geometry.dpi = shell.dpi;
    geometry.titleBar = shell.titleBar;
    geometry.menuBar = shell.menuBar;
    geometry.inputPanel = shell.inputPanel;
    return geometry;
}

int Scale(int pixels)
{
    return MulDiv(pixels, DeviceShell().dpi, 96);
}

}  // namespace pocketpc
#endif
