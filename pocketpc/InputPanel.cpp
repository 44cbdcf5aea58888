// The emulated input panel (SIP), SHSipInfo, SipGetInfo and the SIPPREF control.
#ifndef _WIN32_WCE
#include "pocketpc/Layer.h"

#include <algorithm>
#include <vector>

namespace pocketpc {
namespace {

// One process-wide state, as on the device: the panel starts lowered.
bool inputPanelRaised = false;

// The live SIPPREF controls; each raises and lowers the panel for its parent dialog.
std::vector<HWND> sipPrefControls;
HHOOK focusHook = NULL;

const wchar_t kSipPrefClass[] = L"SIPPREF";

RECT InputPanelRect()
{
    RECT rc = {0, device::kScreenHeight - device::kMenuBarHeight - device::kInputPanelHeight,
               device::kScreenWidth, device::kScreenHeight - device::kMenuBarHeight};
    return rc;
}

void FillSipInfo(SIPINFO* info)
{
    info->fdwFlags = inputPanelRaised ? (SIPF_ON | SIPF_DOCKED) : SIPF_DOCKED;
    info->rcVisibleDesktop = VisibleDesktop();
    info->rcSipRect = InputPanelRect();
    info->dwImDataSize = 0;
}

BOOL CALLBACK CollectWindow(HWND window, LPARAM param)
{
    reinterpret_cast<std::vector<HWND>*>(param)->push_back(window);
    return TRUE;
}

// Tells the thread's top-level windows and every dialog holding a SIPPREF control that the
// panel moved, as the device's shell does.
void BroadcastInputPanelChange()
{
    std::vector<HWND> targets;
    EnumThreadWindows(GetCurrentThreadId(), CollectWindow, reinterpret_cast<LPARAM>(&targets));
    for (HWND control : sipPrefControls) {
        HWND dialog = GetParent(control);
        if (dialog && std::find(targets.begin(), targets.end(), dialog) == targets.end())
            targets.push_back(dialog);
    }
    for (HWND window : targets) {
        if (IsWindow(window)) SendMessageW(window, WM_SETTINGCHANGE, SPI_SETSIPINFO, 0);
    }
}

void SetInputPanel(bool raised)
{
    if (raised == inputPanelRaised) return;
    inputPanelRaised = raised;
    BroadcastInputPanelChange();
}

bool IsEditControl(HWND window)
{
    wchar_t name[16] = L"";
    GetClassNameW(window, name, 16);
    return lstrcmpiW(name, L"Edit") == 0;
}

// The dialog that holds a SIPPREF control and contains the window, or null.
HWND SipPrefDialogOf(HWND window)
{
    for (HWND dialog = GetParent(window); dialog; dialog = GetParent(dialog)) {
        for (HWND control : sipPrefControls) {
            if (GetParent(control) == dialog) return dialog;
        }
        if (!(GetWindowLongW(dialog, GWL_STYLE) & WS_CHILD)) break;
    }
    return NULL;
}

// Watches focus changes on the thread: an edit box of a SIPPREF dialog that keeps the focus
// raises the panel, any other control of that dialog lowers it.
LRESULT CALLBACK FocusHookProc(int code, WPARAM wParam, LPARAM lParam)
{
    if (code == HC_ACTION) {
        const CWPRETSTRUCT* message = reinterpret_cast<const CWPRETSTRUCT*>(lParam);
        // Act only when the window still has the focus once it handled WM_SETFOCUS: a
        // handler may have moved it on (the URL pages do so for their hint).
        if (message->message == WM_SETFOCUS && GetFocus() == message->hwnd &&
            SipPrefDialogOf(message->hwnd)) {
            SetInputPanel(IsEditControl(message->hwnd));
        }
    }
    return CallNextHookEx(focusHook, code, wParam, lParam);
}

LRESULT CALLBACK SipPrefProc(HWND window, UINT message, WPARAM wParam, LPARAM lParam)
{
    switch (message) {
    case WM_CREATE:
        sipPrefControls.push_back(window);
        if (!focusHook)
            focusHook = SetWindowsHookExW(WH_CALLWNDPROCRET, FocusHookProc, NULL, GetCurrentThreadId());
        return 0;
    case WM_DESTROY:
        sipPrefControls.erase(std::remove(sipPrefControls.begin(), sipPrefControls.end(), window),
                              sipPrefControls.end());
        if (sipPrefControls.empty() && focusHook) {
            UnhookWindowsHookEx(focusHook);
            focusHook = NULL;
        }
        return 0;
    }
    return DefWindowProcW(window, message, wParam, lParam);
}

}  // namespace

RECT VisibleDesktop()
{
    RECT rc = {0, device::kNavigationBarHeight, device::kScreenWidth,
               device::kScreenHeight - device::kMenuBarHeight};
    if (inputPanelRaised) rc.bottom -= device::kInputPanelHeight;
    return rc;
}

HINSTANCE LayerModule()
{
    HMODULE module = NULL;
    GetModuleHandleExW(GET_MODULE_HANDLE_EX_FLAG_FROM_ADDRESS | GET_MODULE_HANDLE_EX_FLAG_UNCHANGED_REFCOUNT,
                       reinterpret_cast<LPCWSTR>(&LayerModule), &module);
    return module;
}

}  // namespace pocketpc

BOOL SHSipInfo(UINT action, UINT, PVOID data, UINT)
{
    SIPINFO* info = static_cast<SIPINFO*>(data);
    if (!info || info->cbSize < sizeof(SIPINFO)) {
        SetLastError(ERROR_INVALID_PARAMETER);
        return FALSE;
    }
    switch (action) {
    case SPI_GETSIPINFO:
        pocketpc::FillSipInfo(info);
        return TRUE;
    case SPI_SETSIPINFO:
        pocketpc::SetInputPanel((info->fdwFlags & SIPF_ON) != 0);
        return TRUE;
    }
    SetLastError(ERROR_INVALID_PARAMETER);
    return FALSE;
}

BOOL SipGetInfo(SIPINFO* info)
{
    return SHSipInfo(SPI_GETSIPINFO, 0, info, 0);
}

BOOL SHInitExtraControls(void)
{
    WNDCLASSW wc = {};
    HINSTANCE module = pocketpc::LayerModule();
    if (GetClassInfoW(module, pocketpc::kSipPrefClass, &wc)) return TRUE;
    wc.lpfnWndProc = pocketpc::SipPrefProc;
    wc.hInstance = module;
    wc.lpszClassName = pocketpc::kSipPrefClass;
    return RegisterClassW(&wc) != 0;
}
#endif
