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

const wchar_t kSipPrefClass[] = L"SIPPREF";

}  // namespace

RECT InputPanelRect()
{
    return InputPanelRect(Device());
}

RECT InputPanelRect(const Geometry& device)
{
    RECT rc = {0, device.screenHeight - device.menuBar - device.inputPanel, device.screenWidth,
               device.screenHeight - device.menuBar};
    return rc;
}

namespace {

void FillSipInfo(SIPINFO* info)
{
    info->fdwFlags = inputPanelRaised ? (SIPF_ON | SIPF_DOCKED) : SIPF_DOCKED;
    // The screen's size is asked of the system once: each question costs a trip to the
    // display's server, and pages ask for this as they lay themselves out.
    const Geometry device = Device();
    info->rcVisibleDesktop = VisibleDesktop(device);
    info->rcSipRect = InputPanelRect(device);
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

bool IsEditControl(HWND window)
{
    wchar_t name[16] = L"";
    GetClassNameW(window, name, 16);
    return lstrcmpiW(name, L"Edit") == 0;
}

// Watches one control of a SIPPREF dialog, as the device's control does with every control
// created before it: an edit box that keeps the focus raises the panel, any other control
// lowers it.
LRESULT CALLBACK SiblingProc(HWND window, UINT message, WPARAM wParam, LPARAM lParam)
{
    LRESULT result = CallReplaced(SiblingProc, window, message, wParam, lParam);
    // Only when the control still has the focus once it handled WM_SETFOCUS: a handler may
    // have moved it on (the URL pages do so for their hint).
    if (message == WM_SETFOCUS && GetFocus() == window) SetInputPanel(IsEditControl(window));
    // The focus leaving an edit box for anything but another one (a tab, a button of the
    // sheet, a message box) lowers the panel too.
    if (message == WM_KILLFOCUS && IsEditControl(window) && !IsEditControl(reinterpret_cast<HWND>(wParam)))
        SetInputPanel(false);
    return result;
}

LRESULT CALLBACK SipPrefProc(HWND window, UINT message, WPARAM wParam, LPARAM lParam)
{
    switch (message) {
    case WM_CREATE: {
        // The control comes last in its template, so its siblings exist already.
        sipPrefControls.push_back(window);
        HWND dialog = GetParent(window);
        for (HWND child = GetWindow(dialog, GW_CHILD); child; child = GetWindow(child, GW_HWNDNEXT)) {
            if (child != window) Subclass(child, SiblingProc, nullptr);
        }
        return 0;
    }
    case WM_DESTROY:
        sipPrefControls.erase(std::remove(sipPrefControls.begin(), sipPrefControls.end(), window),
                              sipPrefControls.end());
        return 0;
    }
    return DefWindowProcW(window, message, wParam, lParam);
}

}  // namespace

void SetInputPanel(bool raised)
{
    if (raised == inputPanelRaised) return;
    inputPanelRaised = raised;
    ShowInputPanelWindow(raised);
    BroadcastInputPanelChange();
}

void AnnounceInputPanel()
{
    BroadcastInputPanelChange();
}

bool InputPanelRaised()
{
    return inputPanelRaised;
}

RECT VisibleDesktop()
{
    return VisibleDesktop(Device());
}

RECT VisibleDesktop(const Geometry& device)
{
    RECT rc = {0, device.titleBar, device.screenWidth, device.screenHeight - device.menuBar};
    if (inputPanelRaised) rc.bottom -= device.inputPanel;
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
