// The layer's windows follow the device's screen when it turns; see Layer.h.
#ifndef _WIN32_WCE
#include "pocketpc/Layer.h"

#include <vector>

namespace pocketpc {
namespace {

// A follow is posted and not yet run: the WM_DISPLAYCHANGE of each window of the layer, and
// of each change a turn takes, comes to one follow, for the screen as it is once they are in.
bool followPending = false;

BOOL CALLBACK CollectWindow(HWND window, LPARAM param)
{
    reinterpret_cast<std::vector<HWND>*>(param)->push_back(window);
    return TRUE;
}

BOOL CALLBACK CollectCombo(HWND window, LPARAM param)
{
    wchar_t name[16] = L"";
    GetClassNameW(window, name, 16);
    if (lstrcmpiW(name, L"ComboBox") == 0) reinterpret_cast<std::vector<HWND>*>(param)->push_back(window);
    return TRUE;
}

// The combo box a dropped list belongs to, among the children of the thread's windows.
HWND ComboOfList(HWND list, const std::vector<HWND>& windows)
{
    std::vector<HWND> combos;
    for (HWND window : windows) EnumChildWindows(window, CollectCombo, reinterpret_cast<LPARAM>(&combos));
    for (HWND combo : combos) {
        COMBOBOXINFO info = {};
        info.cbSize = sizeof(info);
        if (GetComboBoxInfo(combo, &info) && info.hwndList == list) return combo;
    }
    return NULL;
}

// An open drop-down list stays open, under its combo box where the screen has room for it,
// above it otherwise, and never past the screen's edges.
bool PlaceDropDown(HWND list, const std::vector<HWND>& windows)
{
    wchar_t name[16] = L"";
    GetClassNameW(list, name, 16);
    if (lstrcmpiW(name, L"ComboLBox") != 0) return false;
    HWND combo = ComboOfList(list, windows);
    if (!combo) return false;
    const Geometry device = Device();
    RECT box, dropped;
    GetWindowRect(combo, &box);
    GetWindowRect(list, &dropped);
    const int width = dropped.right - dropped.left, height = dropped.bottom - dropped.top;
    int x = box.left, y = box.bottom;
    if (y + height > device.screenHeight && box.top - height >= 0) y = box.top - height;
    if (y + height > device.screenHeight) y = device.screenHeight - height;
    if (x + width > device.screenWidth) x = device.screenWidth - width;
    SetWindowPos(list, NULL, x > 0 ? x : 0, y > 0 ? y : 0, 0, 0, SWP_NOSIZE | SWP_NOZORDER | SWP_NOACTIVATE);
    return true;
}

}  // namespace

UINT FollowScreenMessage()
{
    static const UINT message = RegisterWindowMessageW(L"PocketPC.FollowScreen");
    return message;
}

void ScreenChanged(HWND window)
{
    ForgetScreenSize();
    if (followPending) return;
    followPending = PostMessageW(window, FollowScreenMessage(), 0, 0) != FALSE;
}

void ScreenFollowed()
{
    followPending = false;
}

void FollowScreen()
{
    followPending = false;
    std::vector<HWND> windows;
    EnumThreadWindows(GetCurrentThreadId(), CollectWindow, reinterpret_cast<LPARAM>(&windows));

    // The full-screen windows: the sheets (each page gets its WM_SIZE), the menu bars along
    // the new bottom edge, and the panel above them across the new width.
    for (HWND window : windows) {
        if (!PlaceLayerSheet(window)) PlaceMenuBar(window);
    }
    PlaceInputPanelWindow();

    // As the device's shell does after a turn, and then for the windows that lay themselves
    // out around the input panel: its rectangle and the visible desktop moved with the screen.
    for (HWND window : windows) {
        if (IsWindow(window)) SendMessageW(window, WM_SETTINGCHANGE, SETTINGCHANGE_RESET, 0);
    }
    AnnounceInputPanel();

    // The pop-ups last, beside the controls where the pages put them.
    for (HWND window : windows) {
        if (IsWindow(window) && IsWindowVisible(window) && !RefitMessageBox(window)) PlaceDropDown(window, windows);
    }
    // The whole screen is drawn anew, as on the device: moving a window does not redraw the
    // children it moved (OK and Cancel came out blank) nor what it drew at its old size (the
    // menu bar's input-panel button).
    for (HWND window : windows) {
        if (IsWindow(window) && IsWindowVisible(window))
            RedrawWindow(window, NULL, NULL, RDW_ERASE | RDW_INVALIDATE | RDW_FRAME | RDW_ALLCHILDREN);
    }
}

}  // namespace pocketpc
#endif
