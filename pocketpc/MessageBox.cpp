// Message boxes as the device shows them: on its screen, at most its width, text wrapped.
#ifndef _WIN32_WCE
#define POCKETPC_LAYER_IMPLEMENTATION
#include "pocketpc/Layer.h"

#include "framework/Gdi.h"

#include <climits>
#include <vector>

namespace pocketpc {
namespace {

const int kTextId = 0xFFFF;  // the static that holds a message box's text

HHOOK boxHook = NULL;

BOOL CALLBACK CollectChild(HWND child, LPARAM param)
{
    reinterpret_cast<std::vector<HWND>*>(param)->push_back(child);
    return TRUE;
}

RECT RectIn(HWND window, HWND parent)
{
    RECT rc;
    GetWindowRect(window, &rc);
    MapWindowPoints(NULL, parent, reinterpret_cast<POINT*>(&rc), 2);
    return rc;
}

// How far the static's text reaches when drawn as the static draws it, unclipped. The desktop
// lays a box out by the font's measured widths, but draws the small sizes of the device's
// font from their embedded bitmaps, which reach a few pixels further: the last letters of a
// line that just fits would be cut.
int InkWidth(HWND text, int width)
{
    wchar_t buffer[1024] = L"";
    GetWindowTextW(text, buffer, 1024);
    const int canvasWidth = width + 64, canvasHeight = 256;
    BITMAPINFO info = {};
    info.bmiHeader.biSize = sizeof(info.bmiHeader);
    info.bmiHeader.biWidth = canvasWidth;
    info.bmiHeader.biHeight = -canvasHeight;
    info.bmiHeader.biPlanes = 1;
    info.bmiHeader.biBitCount = 32;
    void* bits = NULL;
    gdi::WindowDC screen(text);
    HDC dc = CreateCompatibleDC(screen.Get());
    HBITMAP canvas = CreateDIBSection(dc, &info, DIB_RGB_COLORS, &bits, NULL, 0);
    int reach = 0;
    if (dc && canvas && bits) {
        HGDIOBJ oldBitmap = SelectObject(dc, canvas);
        HGDIOBJ oldFont = SelectObject(dc, reinterpret_cast<HFONT>(SendMessageW(text, WM_GETFONT, 0, 0)));
        RECT all = {0, 0, canvasWidth, canvasHeight};
        FillRect(dc, &all, static_cast<HBRUSH>(GetStockObject(WHITE_BRUSH)));
        SetTextColor(dc, RGB(0, 0, 0));
        SetBkMode(dc, TRANSPARENT);
        RECT box = {0, 0, width, canvasHeight};
        DrawTextW(dc, buffer, -1, &box, DT_LEFT | DT_EXPANDTABS | DT_WORDBREAK | DT_NOPREFIX | DT_NOCLIP);
        GdiFlush();
        const DWORD* pixel = static_cast<const DWORD*>(bits);
        for (int y = 0; y < canvasHeight; ++y)
            for (int x = canvasWidth - 1; x >= reach; --x)
                if ((pixel[y * canvasWidth + x] & 0xFFFFFF) != 0xFFFFFF) {
                    reach = x + 1;
                    break;
                }
        SelectObject(dc, oldFont);
        SelectObject(dc, oldBitmap);
    }
    if (canvas) DeleteObject(canvas);
    if (dc) DeleteDC(dc);
    return reach;
}

// Narrows a box wider than the screen to the screen's width: its text wraps again in the
// narrower static, and the buttons move below it, centred. A text whose ink reaches past its
// static gets the room, where the screen has it. Then the box is centred on the screen.
void FitToScreen(HWND box)
{
    RECT frame;
    GetWindowRect(box, &frame);
    int width = frame.right - frame.left;
    int height = frame.bottom - frame.top;
    HWND text = GetDlgItem(box, kTextId);
    const Geometry device = Device();
    const int excess = width - device.screenWidth;
    if (excess > 0 && text) {
        RECT textRect = RectIn(text, box);
        const int textWidth = textRect.right - textRect.left - excess;
        wchar_t buffer[1024] = L"";
        GetWindowTextW(text, buffer, 1024);
        RECT wrapped = {0, 0, textWidth, 0};
        {
            gdi::WindowDC dc(text);
            gdi::Selection font(dc.Get(), reinterpret_cast<HFONT>(SendMessageW(text, WM_GETFONT, 0, 0)));
            DrawTextW(dc.Get(), buffer, -1, &wrapped, DT_LEFT | DT_EXPANDTABS | DT_WORDBREAK | DT_CALCRECT | DT_NOPREFIX);
        }
        const int grow = wrapped.bottom - (textRect.bottom - textRect.top) > 0
                             ? wrapped.bottom - (textRect.bottom - textRect.top)
                             : 0;
        SetWindowPos(text, NULL, 0, 0, textWidth, textRect.bottom - textRect.top + grow,
                     SWP_NOMOVE | SWP_NOZORDER | SWP_NOACTIVATE);
        width -= excess;
        height += grow;
        // The buttons keep their row under the text, centred in the narrower box.
        std::vector<HWND> children;
        EnumChildWindows(box, CollectChild, reinterpret_cast<LPARAM>(&children));
        RECT client;
        GetClientRect(box, &client);
        const int clientWidth = client.right - client.left - excess;
        int left = INT_MAX, right = INT_MIN;
        std::vector<HWND> buttons;
        for (HWND child : children) {
            wchar_t name[16] = L"";
            GetClassNameW(child, name, 16);
            if (lstrcmpiW(name, L"Button") != 0 || !IsWindowVisible(child)) continue;
            RECT rc = RectIn(child, box);
            left = rc.left < left ? rc.left : left;
            right = rc.right > right ? rc.right : right;
            buttons.push_back(child);
        }
        const int shift = buttons.empty() ? 0 : (clientWidth - (right - left)) / 2 - left;
        for (HWND button : buttons) {
            RECT rc = RectIn(button, box);
            SetWindowPos(button, NULL, rc.left + shift, rc.top + grow, 0, 0, SWP_NOSIZE | SWP_NOZORDER | SWP_NOACTIVATE);
        }
    }
    if (text) {
        RECT textRect = RectIn(text, box);
        const int textWidth = textRect.right - textRect.left;
        const int overhang = InkWidth(text, textWidth) - textWidth;
        if (overhang > 0 && width + overhang <= device.screenWidth) {
            SetWindowPos(text, NULL, 0, 0, textWidth + overhang, textRect.bottom - textRect.top,
                         SWP_NOMOVE | SWP_NOZORDER | SWP_NOACTIVATE);
            width += overhang;
            // The buttons stay centred in the wider box.
            for (HWND child = GetWindow(box, GW_CHILD); child; child = GetWindow(child, GW_HWNDNEXT)) {
                wchar_t name[16] = L"";
                GetClassNameW(child, name, 16);
                if (lstrcmpiW(name, L"Button") != 0) continue;
                RECT rc = RectIn(child, box);
                SetWindowPos(child, NULL, rc.left + overhang / 2, rc.top, 0, 0, SWP_NOSIZE | SWP_NOZORDER | SWP_NOACTIVATE);
            }
        }
    }
    const int x = (device.screenWidth - width) / 2, y = (device.screenHeight - height) / 2;
    SetWindowPos(box, NULL, x > 0 ? x : 0, y > 0 ? y : 0, width, height, SWP_NOZORDER | SWP_NOACTIVATE);
}

bool IsMessageBox(HWND window)
{
    wchar_t name[16] = L"";
    GetClassNameW(window, name, 16);
    return lstrcmpW(name, L"#32770") == 0 && GetDlgItem(window, kTextId);
}

LRESULT CALLBACK BoxHook(int code, WPARAM wParam, LPARAM lParam)
{
    if (code == HCBT_ACTIVATE) {
        HWND window = reinterpret_cast<HWND>(wParam);
        if (IsMessageBox(window)) FitToScreen(window);
    }
    return CallNextHookEx(boxHook, code, wParam, lParam);
}

}  // namespace

bool RefitMessageBox(HWND window)
{
    if (!IsMessageBox(window)) return false;
    FitToScreen(window);
    return true;
}
}  // namespace pocketpc

int PocketMessageBox(HWND owner, LPCWSTR text, LPCWSTR caption, UINT type)
{
    // Hooked for this call only; a box shown from within one (a nested box) is fitted too.
    const bool outermost = pocketpc::boxHook == NULL;
    if (outermost) pocketpc::boxHook = SetWindowsHookExW(WH_CBT, pocketpc::BoxHook, NULL, GetCurrentThreadId());
    int result = MessageBoxW(owner, text, caption, type);
    if (outermost && pocketpc::boxHook) {
        UnhookWindowsHookEx(pocketpc::boxHook);
        pocketpc::boxHook = NULL;
    }
    return result;
}
#endif
