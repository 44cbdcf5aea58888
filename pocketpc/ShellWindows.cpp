// SHInitDialog and SHCreateMenuBar of the emulated Pocket PC shell.
#ifndef _WIN32_WCE
#include "pocketpc/Layer.h"

namespace pocketpc {
namespace {

const wchar_t kMenuBarClass[] = L"menu_worker";
// The owner's newest bar, kept on the owner; older bars lie under it.
const wchar_t kNewestBarProperty[] = L"PocketPC.NewestMenuBar";
const UINT kShowBarMessage = WM_APP + 1;

// The input-panel button at the bar's right end, as on the device.
RECT InputPanelButtonRect(const RECT& client)
{
    RECT rc = {client.right - Scale(30), client.top + Scale(3), client.right - Scale(2), client.bottom - Scale(2)};
    return rc;
}

// A small keyboard with an arrow that points to where the panel goes when tapped.
void DrawInputPanelButton(HDC dc, const RECT& client)
{
    RECT button = InputPanelButtonRect(client);
    const bool raised = InputPanelRaised();
    DrawEdge(dc, &button, raised ? BDR_SUNKENOUTER : BDR_RAISEDINNER, BF_RECT);
    HBRUSH ink = GetSysColorBrush(COLOR_BTNTEXT);
    // Drawn in the 96-dpi device's pixels, each one a square of u x u.
    const int u = Scale(1);
    RECT keyboard = {button.left + 4 * u, button.top + 5 * u, button.left + 20 * u, button.top + 15 * u};
    for (int edge = 0; edge < u; ++edge) {
        RECT frame = {keyboard.left + edge, keyboard.top + edge, keyboard.right - edge, keyboard.bottom - edge};
        FrameRect(dc, &frame, ink);
    }
    for (int row = 0; row < 2; ++row) {
        for (int x = keyboard.left + 2 * u; x < keyboard.right - 2 * u; x += 3 * u) {
            RECT key = {x, keyboard.top + (2 + row * 3) * u, x + 2 * u, keyboard.top + (3 + row * 3) * u};
            FillRect(dc, &key, ink);
        }
    }
    RECT space = {keyboard.left + 4 * u, keyboard.bottom - 3 * u, keyboard.right - 4 * u, keyboard.bottom - 2 * u};
    FillRect(dc, &space, ink);
    const int tipX = button.right - 5 * u, middle = keyboard.top + 5 * u;
    for (int i = 0; i < 3; ++i) {
        // Up while lowered (tap to raise), down while raised.
        int y = raised ? middle + (1 - i) * u : middle + (i - 1) * u;
        RECT line = {tipX - (1 + i) * u, y, tipX + i * u, y + u};
        FillRect(dc, &line, ink);
    }
}

LRESULT CALLBACK MenuBarProc(HWND window, UINT message, WPARAM wParam, LPARAM lParam)
{
    if (message == WM_PAINT) {
        PAINTSTRUCT paint;
        HDC dc = BeginPaint(window, &paint);
        RECT rc;
        GetClientRect(window, &rc);
        FillRect(dc, &rc, GetSysColorBrush(COLOR_BTNFACE));
        RECT line = {rc.left, rc.top, rc.right, rc.top + Scale(1)};
        FillRect(dc, &line, GetSysColorBrush(COLOR_BTNSHADOW));
        DrawInputPanelButton(dc, rc);
        EndPaint(window, &paint);
        return 0;
    }
    if (message == WM_MOUSEACTIVATE) return MA_NOACTIVATE;
    if (message == WM_LBUTTONDOWN || message == WM_LBUTTONDBLCLK) {
        RECT rc;
        GetClientRect(window, &rc);
        RECT button = InputPanelButtonRect(rc);
        POINT point = {static_cast<short>(LOWORD(lParam)), static_cast<short>(HIWORD(lParam))};
        if (PtInRect(&button, point)) SetInputPanel(!InputPanelRaised());
        return 0;
    }
    if (message == kShowBarMessage) {
        // Shown once the owner's thread is idle, and only while it is still the owner's
        // newest bar: a page switch that made another one in the meantime hides this one
        // anyway, and showing a top-level window costs more than the rest of a page.
        HWND owner = GetWindow(window, GW_OWNER);
        if (owner && GetPropW(owner, kNewestBarProperty) == window)
            SetWindowPos(window, HWND_TOP, 0, 0, 0, 0, SWP_NOMOVE | SWP_NOSIZE | SWP_NOACTIVATE | SWP_SHOWWINDOW);
        return 0;
    }
    if (message == WM_DISPLAYCHANGE) ScreenChanged(window);
    if (message == FollowScreenMessage()) {
        FollowScreen();
        return 0;
    }
    if (message == WM_DESTROY) {
        HWND owner = GetWindow(window, GW_OWNER);
        if (owner && GetPropW(owner, kNewestBarProperty) == window) RemovePropW(owner, kNewestBarProperty);
        return 0;
    }
    return DefWindowProcW(window, message, wParam, lParam);
}

bool RegisterMenuBarClass(HINSTANCE module)
{
    WNDCLASSW wc = {};
    if (GetClassInfoW(module, kMenuBarClass, &wc)) return true;
    wc.lpfnWndProc = MenuBarProc;
    wc.hInstance = module;
    wc.hCursor = LoadCursorW(NULL, reinterpret_cast<LPCWSTR>(IDC_ARROW));
    wc.lpszClassName = kMenuBarClass;
    wc.style = CS_DBLCLKS;
    return RegisterClassW(&wc) != 0;
}

BOOL CALLBACK RefreshMenuBar(HWND window, LPARAM)
{
    wchar_t name[32] = L"";
    GetClassNameW(window, name, 32);
    if (lstrcmpW(name, kMenuBarClass) == 0 && IsWindowVisible(window)) {
        RECT rc;
        GetClientRect(window, &rc);
        RECT button = InputPanelButtonRect(rc);
        InvalidateRect(window, &button, TRUE);
    }
    return TRUE;
}

bool IsMenuBar(HWND window)
{
    wchar_t name[32] = L"";
    GetClassNameW(window, name, 32);
    return lstrcmpW(name, kMenuBarClass) == 0;
}

}  // namespace

void RefreshMenuBars()
{
    EnumThreadWindows(GetCurrentThreadId(), RefreshMenuBar, 0);
}

bool PlaceMenuBar(HWND window)
{
    if (!IsMenuBar(window)) return false;
    const Geometry device = Device();
    SetWindowPos(window, NULL, 0, device.screenHeight - device.menuBar, device.screenWidth, device.menuBar,
                 SWP_NOZORDER | SWP_NOACTIVATE);
    return true;
}

}  // namespace pocketpc

BOOL SHInitDialog(PSHINITDLGINFO info)
{
    if (!info || !(info->dwMask & SHIDIM_FLAGS) || !IsWindow(info->hDlg)) {
        SetLastError(ERROR_INVALID_PARAMETER);
        return FALSE;
    }
    if (info->dwFlags & (SHIDIF_SIZEDLG | SHIDIF_SIZEDLGFULLSCREEN)) {
        RECT rc = pocketpc::VisibleDesktop();
        // Full screen ignores the input panel: the dialog keeps the whole visible desktop.
        if (info->dwFlags & SHIDIF_SIZEDLGFULLSCREEN)
            rc.bottom = pocketpc::Device().screenHeight - pocketpc::Device().menuBar;
        SetWindowPos(info->hDlg, NULL, rc.left, rc.top, rc.right - rc.left, rc.bottom - rc.top,
                     SWP_NOZORDER | SWP_NOACTIVATE);
    }
    if (info->dwFlags & SHIDIF_SIPDOWN) {
        SIPINFO sip = {};
        sip.cbSize = sizeof(sip);
        SHSipInfo(SPI_GETSIPINFO, 0, &sip, 0);
        sip.fdwFlags &= ~SIPF_ON;
        SHSipInfo(SPI_SETSIPINFO, 0, &sip, 0);
    }
    return TRUE;
}

BOOL SHCreateMenuBar(SHMENUBARINFO* info)
{
    if (!info || info->cbSize < sizeof(SHMENUBARINFO) || !IsWindow(info->hwndParent)) {
        SetLastError(ERROR_INVALID_PARAMETER);
        return FALSE;
    }
    HINSTANCE module = pocketpc::LayerModule();
    if (!pocketpc::RegisterMenuBarClass(module)) return FALSE;

    // An owned pop-up along the device's bottom edge; shown without taking the activation
    // from the dialog that asked for it.
    const pocketpc::Geometry device = pocketpc::Device();
    HWND bar = CreateWindowExW(WS_EX_NOACTIVATE | WS_EX_TOOLWINDOW, pocketpc::kMenuBarClass, L"",
                               WS_POPUP | WS_CLIPSIBLINGS, 0, device.screenHeight - device.menuBar,
                               device.screenWidth, device.menuBar, info->hwndParent, NULL, module, NULL);
    if (!bar) return FALSE;
    SetPropW(info->hwndParent, pocketpc::kNewestBarProperty, bar);
    if (!(info->dwFlags & SHCMBF_HIDDEN)) PostMessageW(bar, pocketpc::kShowBarMessage, 0, 0);
    info->hwndMB = bar;
    return TRUE;
}
#endif
