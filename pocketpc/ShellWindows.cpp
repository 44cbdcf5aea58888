// SHInitDialog and SHCreateMenuBar of the emulated Pocket PC shell.
#ifndef _WIN32_WCE
#include "pocketpc/Layer.h"

namespace pocketpc {
namespace {

const wchar_t kMenuBarClass[] = L"menu_worker";

LRESULT CALLBACK MenuBarProc(HWND window, UINT message, WPARAM wParam, LPARAM lParam)
{
    if (message == WM_PAINT) {
        PAINTSTRUCT paint;
        HDC dc = BeginPaint(window, &paint);
        RECT rc;
        GetClientRect(window, &rc);
        FillRect(dc, &rc, GetSysColorBrush(COLOR_BTNFACE));
        RECT line = {rc.left, rc.top, rc.right, rc.top + 1};
        FillRect(dc, &line, GetSysColorBrush(COLOR_BTNSHADOW));
        EndPaint(window, &paint);
        return 0;
    }
    if (message == WM_MOUSEACTIVATE) return MA_NOACTIVATE;
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
    return RegisterClassW(&wc) != 0;
}

}  // namespace
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
            rc.bottom = device::kScreenHeight - device::kMenuBarHeight;
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
    HWND bar = CreateWindowExW(WS_EX_NOACTIVATE | WS_EX_TOOLWINDOW, pocketpc::kMenuBarClass, L"",
                               WS_POPUP | WS_CLIPSIBLINGS, 0,
                               device::kScreenHeight - device::kMenuBarHeight, device::kScreenWidth,
                               device::kMenuBarHeight, info->hwndParent, NULL, module, NULL);
    if (!bar) return FALSE;
    if (!(info->dwFlags & SHCMBF_HIDDEN))
        SetWindowPos(bar, HWND_TOP, 0, 0, 0, 0, SWP_NOMOVE | SWP_NOSIZE | SWP_NOACTIVATE | SWP_SHOWWINDOW);
    info->hwndMB = bar;
    return TRUE;
}
#endif
