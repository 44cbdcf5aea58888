// The raised input panel as a person sees it: a small keyboard above the menu bar whose keys
// type into the control that has the focus, as the device's panel does.
#ifndef _WIN32_WCE
#include "pocketpc/Layer.h"

#include "framework/Gdi.h"

#include <vector>

namespace pocketpc {
namespace {

const wchar_t kPanelClass[] = L"SipWndClass";

// What a key types: a character, or a virtual key for Backspace and Enter.
struct Key {
    RECT rc;
    wchar_t character;
    WORD virtualKey;
    const wchar_t* label;
};

HWND panelWindow = NULL;
int pressedKey = -1;
HFONT keyFont = NULL;  // made with the window, deleted with it
HHOOK focusHook = NULL;  // set while the panel is shown
bool restacking = false;

// Five rows of keys over the panel's height, ten columns over its width (the screen's):
// 24 x 16 pixels each on the QVGA device. Laid out again when the panel's size changes.
const std::vector<Key>& Keys()
{
    static std::vector<Key> keys;
    static SIZE laidOut = {0, 0};
    const RECT panel = InputPanelRect();
    const SIZE size = {panel.right - panel.left, panel.bottom - panel.top};
    if (!keys.empty() && size.cx == laidOut.cx && size.cy == laidOut.cy) return keys;
    keys.clear();
    laidOut = size;
    const int rowHeight = size.cy / 5;
    const int keyWidth = size.cx / 10;
    const wchar_t* rows[] = {L"1234567890", L"qwertyuiop", L"asdfghjkl", L"zxcvbnm./:"};
    for (int row = 0; row < 4; ++row) {
        for (int i = 0; rows[row][i]; ++i) {
            Key key = {{i * keyWidth, row * rowHeight, (i + 1) * keyWidth, (row + 1) * rowHeight}, rows[row][i], 0, NULL};
            keys.push_back(key);
        }
    }
    keys.push_back({{9 * keyWidth, 2 * rowHeight, 10 * keyWidth, 3 * rowHeight}, 0, VK_BACK, L"<-"});
    keys.push_back({{0, 4 * rowHeight, 7 * keyWidth, 5 * rowHeight}, L' ', 0, L"space"});
    keys.push_back({{7 * keyWidth, 4 * rowHeight, 10 * keyWidth, 5 * rowHeight}, 0, VK_RETURN, L"Enter"});
    return keys;
}

int KeyAt(POINT point)
{
    const std::vector<Key>& keys = Keys();
    for (size_t i = 0; i < keys.size(); ++i)
        if (PtInRect(&keys[i].rc, point)) return static_cast<int>(i);
    return -1;
}

void Press(const Key& key)
{
    // The device's panel types through the keyboard input, so the focused control sees the
    // keys as if typed. When no window of this thread is in the foreground the keys would
    // go elsewhere; the focused control then gets the character directly.
    HWND focus = GetFocus();
    HWND foreground = GetForegroundWindow();
    bool ours = foreground && GetWindowThreadProcessId(foreground, NULL) == GetCurrentThreadId();
    INPUT inputs[2] = {};
    for (INPUT& input : inputs) input.type = INPUT_KEYBOARD;
    if (key.virtualKey) {
        inputs[0].ki.wVk = key.virtualKey;
        inputs[0].ki.wScan = static_cast<WORD>(MapVirtualKeyW(key.virtualKey, MAPVK_VK_TO_VSC));
        inputs[1] = inputs[0];
    } else {
        inputs[0].ki.wScan = key.character;
        inputs[0].ki.dwFlags = KEYEVENTF_UNICODE;
        inputs[1] = inputs[0];
    }
    inputs[1].ki.dwFlags |= KEYEVENTF_KEYUP;
    if (ours) {
        SendInput(2, inputs, sizeof(INPUT));
    } else if (focus) {
        wchar_t character = key.character ? key.character : (key.virtualKey == VK_BACK ? L'\b' : L'\r');
        PostMessageW(focus, WM_CHAR, character, 1);
    }
}

// The desktop's dialog font at the device's dpi: 11 pixels on the QVGA device.
HFONT KeyFont()
{
    if (!keyFont) {
        LOGFONTW record = {};
        if (!GetObjectW(GetStockObject(DEFAULT_GUI_FONT), sizeof(record), &record)) return NULL;
        record.lfHeight = -Scale(11);
        record.lfWidth = 0;
        keyFont = CreateFontIndirectW(&record);
    }
    return keyFont;
}

void DrawKeys(HWND window, HDC dc)
{
    RECT client;
    GetClientRect(window, &client);
    FillRect(dc, &client, GetSysColorBrush(COLOR_BTNSHADOW));
    gdi::Selection font(dc, KeyFont());
    SetBkMode(dc, TRANSPARENT);
    const std::vector<Key>& keys = Keys();
    for (size_t i = 0; i < keys.size(); ++i) {
        RECT rc = keys[i].rc;
        InflateRect(&rc, -Scale(1), -Scale(1));
        const bool pressed = static_cast<int>(i) == pressedKey;
        FillRect(dc, &rc, GetSysColorBrush(pressed ? COLOR_HIGHLIGHT : COLOR_WINDOW));
        SetTextColor(dc, GetSysColor(pressed ? COLOR_HIGHLIGHTTEXT : COLOR_WINDOWTEXT));
        wchar_t single[2] = {keys[i].character, 0};
        DrawTextW(dc, keys[i].label ? keys[i].label : single, -1, &rc, DT_CENTER | DT_VCENTER | DT_SINGLELINE | DT_NOPREFIX);
    }
}

void Paint(HWND window)
{
    PAINTSTRUCT paint;
    HDC dc = BeginPaint(window, &paint);
    DrawKeys(window, dc);
    EndPaint(window, &paint);
}

void SetPressed(HWND window, int key)
{
    if (key == pressedKey) return;
    const std::vector<Key>& keys = Keys();
    if (pressedKey >= 0) InvalidateRect(window, &keys[pressedKey].rc, FALSE);
    pressedKey = key;
    if (pressedKey >= 0) InvalidateRect(window, &keys[pressedKey].rc, FALSE);
}

LRESULT CALLBACK PanelProc(HWND window, UINT message, WPARAM wParam, LPARAM lParam)
{
    switch (message) {
    case WM_PAINT:
        Paint(window);
        return 0;
    case WM_PRINTCLIENT:
        DrawKeys(window, reinterpret_cast<HDC>(wParam));
        return 0;
    case WM_ERASEBKGND:
        return 1;  // the keys cover the panel
    case WM_MOUSEACTIVATE:
        return MA_NOACTIVATE;  // the focused control keeps the focus
    case WM_LBUTTONDOWN:
    case WM_LBUTTONDBLCLK: {
        POINT point = {static_cast<short>(LOWORD(lParam)), static_cast<short>(HIWORD(lParam))};
        int key = KeyAt(point);
        SetPressed(window, key);
        if (key >= 0) {
            SetCapture(window);
            Press(Keys()[key]);
        }
        return 0;
    }
    case WM_LBUTTONUP:
        if (GetCapture() == window) ReleaseCapture();
        SetPressed(window, -1);
        return 0;
    case WM_CAPTURECHANGED:
        SetPressed(window, -1);
        return 0;
    case WM_DESTROY:
        if (panelWindow == window) panelWindow = NULL;
        return 0;
    }
    return DefWindowProcW(window, message, wParam, lParam);
}

HWND PanelWindow()
{
    if (panelWindow && IsWindow(panelWindow)) return panelWindow;
    HINSTANCE module = LayerModule();
    WNDCLASSW wc = {};
    if (!GetClassInfoW(module, kPanelClass, &wc)) {
        wc.style = CS_DBLCLKS;
        wc.lpfnWndProc = PanelProc;
        wc.hInstance = module;
        wc.hCursor = LoadCursorW(NULL, reinterpret_cast<LPCWSTR>(IDC_ARROW));
        wc.lpszClassName = kPanelClass;
        if (!RegisterClassW(&wc)) return NULL;
    }
    RECT rc = InputPanelRect();
    panelWindow = CreateWindowExW(WS_EX_TOPMOST | WS_EX_NOACTIVATE | WS_EX_TOOLWINDOW, kPanelClass, L"Input Panel",
                                  WS_POPUP | WS_CLIPSIBLINGS, rc.left, rc.top, rc.right - rc.left, rc.bottom - rc.top,
                                  NULL, NULL, module, NULL);
    return panelWindow;
}

// Puts the shown panel above every other window on the screen again.
//
// Wine's X11 driver, which runs every top-level window here as a window of its own on the
// display, raises a top-level window above all the others whenever it gives that window the
// keyboard focus: at each focus change in the window, and when it handles the report that
// the window was mapped while the focus lay inside it. Topmost windows are raised over too,
// while the system's z-order still has the panel first; and the driver restacks a window on
// the display only when its place in that z-order changes. So the panel steps out of the
// topmost band and back, which the driver carries out as a raise of its window.
void Restack(HWND window)
{
    if (restacking || !IsWindowVisible(window)) return;
    restacking = true;
    // What the display reported and the thread has not handled yet goes first: when the
    // focus reached the edit box before the thread was ever idle, the sheet's own map is
    // still waiting, and handling it later would raise the sheet over the panel.
    MsgWaitForMultipleObjectsEx(0, NULL, 0, QS_ALLINPUT, 0);
    const UINT flags = SWP_NOMOVE | SWP_NOSIZE | SWP_NOACTIVATE | SWP_NOOWNERZORDER;
    SetWindowPos(window, HWND_NOTOPMOST, 0, 0, 0, 0, flags);
    SetWindowPos(window, HWND_TOPMOST, 0, 0, 0, 0, flags);
    restacking = false;
}

// While the panel is up, every change of the focus in the thread (a tap, a key, a program's
// SetFocus) may have raised another window over it; the panel goes back on top once the
// window that got the focus has handled it.
LRESULT CALLBACK FocusHook(int code, WPARAM wParam, LPARAM lParam)
{
    const CWPRETSTRUCT* sent = reinterpret_cast<const CWPRETSTRUCT*>(lParam);
    if (code == HC_ACTION && sent && sent->message == WM_SETFOCUS && panelWindow) Restack(panelWindow);
    return CallNextHookEx(focusHook, code, wParam, lParam);
}

void FollowFocus(bool on)
{
    if (on && !focusHook) {
        focusHook = SetWindowsHookExW(WH_CALLWNDPROCRET, FocusHook, NULL, GetCurrentThreadId());
    } else if (!on && focusHook) {
        UnhookWindowsHookEx(focusHook);
        focusHook = NULL;
    }
}

}  // namespace

void ShowInputPanelWindow(bool raised)
{
    if (raised) {
        HWND window = PanelWindow();
        if (window) {
            SetWindowPos(window, HWND_TOPMOST, 0, 0, 0, 0, SWP_NOMOVE | SWP_NOSIZE | SWP_NOACTIVATE | SWP_SHOWWINDOW);
            Restack(window);
            FollowFocus(true);
        }
    } else if (panelWindow) {
        FollowFocus(false);
        ShowWindow(panelWindow, SW_HIDE);
    }
    RefreshMenuBars();
}

void PlaceInputPanelWindow()
{
    // Kept shown or hidden as it is: a turn changes where the panel lies, not whether it is up.
    if (!panelWindow || !IsWindow(panelWindow)) return;
    const RECT rc = InputPanelRect();
    SetWindowPos(panelWindow, NULL, rc.left, rc.top, rc.right - rc.left, rc.bottom - rc.top,
                 SWP_NOZORDER | SWP_NOACTIVATE);
    InvalidateRect(panelWindow, NULL, FALSE);
}

void DestroyInputPanelWindow()
{
    FollowFocus(false);
    // The window's procedure lives in this module, which the host may unload after the sheet.
    if (panelWindow && IsWindow(panelWindow)) DestroyWindow(panelWindow);
    panelWindow = NULL;
    if (keyFont) DeleteObject(keyFont);
    keyFont = NULL;
}

}  // namespace pocketpc
#endif
