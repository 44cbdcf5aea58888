#include "support/TextFit.h"

#include <commctrl.h>

#include <algorithm>

#include "support/ControlText.h"

namespace fit {

SIZE Ink(HFONT font, const std::wstring& text, bool wraps, int width)
{
    const int canvasWidth = width + 200, canvasHeight = 200;
    BITMAPINFO info = {};
    info.bmiHeader.biSize = sizeof(info.bmiHeader);
    info.bmiHeader.biWidth = canvasWidth;
    info.bmiHeader.biHeight = -canvasHeight;
    info.bmiHeader.biPlanes = 1;
    info.bmiHeader.biBitCount = 32;
    void* bits = nullptr;
    HDC screen = GetDC(NULL);
    HDC dc = CreateCompatibleDC(screen);
    ReleaseDC(NULL, screen);
    HBITMAP canvas = CreateDIBSection(dc, &info, DIB_RGB_COLORS, &bits, NULL, 0);
    HGDIOBJ oldBitmap = SelectObject(dc, canvas);
    HGDIOBJ oldFont = SelectObject(dc, font);
    RECT all = {0, 0, canvasWidth, canvasHeight};
    FillRect(dc, &all, static_cast<HBRUSH>(GetStockObject(WHITE_BRUSH)));
    SetTextColor(dc, RGB(0, 0, 0));
    SetBkMode(dc, TRANSPARENT);
    RECT box = {0, 0, wraps ? width : canvasWidth, canvasHeight};
    DrawTextW(dc, text.c_str(), -1, &box, DT_NOPREFIX | DT_NOCLIP | DT_EXPANDTABS | (wraps ? DT_WORDBREAK : DT_SINGLELINE));
    GdiFlush();
    SIZE ink = {0, 0};
    const DWORD* pixel = static_cast<const DWORD*>(bits);
    for (int y = 0; y < canvasHeight; ++y)
        for (int x = 0; x < canvasWidth; ++x)
            if ((pixel[y * canvasWidth + x] & 0xFFFFFF) != 0xFFFFFF) {
                ink.cx = std::max<LONG>(ink.cx, x + 1);
                ink.cy = std::max<LONG>(ink.cy, y + 1);
            }
    // A line's height is the font's, not its ink's: descenders may reach below the row.
    TEXTMETRICW metrics = {};
    GetTextMetricsW(dc, &metrics);
    if (ink.cy > 0) ink.cy = ((ink.cy - 1) / metrics.tmHeight + 1) * metrics.tmHeight;
    SelectObject(dc, oldFont);
    SelectObject(dc, oldBitmap);
    DeleteObject(canvas);
    DeleteDC(dc);
    return ink;
}

SIZE Extent(HFONT font, const std::wstring& text)
{
    HDC dc = GetDC(NULL);
    HGDIOBJ old = SelectObject(dc, font);
    SIZE extent = {};
    GetTextExtentPoint32W(dc, text.c_str(), static_cast<int>(text.size()), &extent);
    SelectObject(dc, old);
    ReleaseDC(NULL, dc);
    return extent;
}

std::wstring Cut(HWND control)
{
    std::wstring text = driver::WindowText(control);
    const std::wstring kind = driver::ClassOf(control);
    const LONG style = GetWindowLongW(control, GWL_STYLE);
    // A list's columns are its texts' places: wider than the list, they are cut at its edge
    // and a sideways bar takes a row.
    if (lstrcmpiW(kind.c_str(), L"SysListView32") == 0 && IsWindowVisible(control) && (style & WS_HSCROLL))
        return L"a list whose columns are wider than it is scrolls sideways";
    if (text.empty() || !IsWindowVisible(control)) return L"";
    // Only the part of the control that lies on the page's client area (not under its scroll
    // bar) and on the screen can show text. A page that scrolls shows, in turn, all of its
    // scroll range: a control scrolled out of view is not cut.
    HWND parent = GetParent(control);
    RECT client, visible, page, screen = {0, 0, GetSystemMetrics(SM_CXSCREEN), GetSystemMetrics(SM_CYSCREEN)};
    GetClientRect(control, &client);
    GetWindowRect(control, &visible);
    GetClientRect(parent, &page);
    MapWindowPoints(parent, NULL, reinterpret_cast<POINT*>(&page), 2);
    SCROLLINFO scroll = {};
    scroll.cbSize = sizeof(scroll);
    scroll.fMask = SIF_ALL;
    if ((GetWindowLongW(parent, GWL_STYLE) & WS_VSCROLL) && GetScrollInfo(parent, SB_VERT, &scroll) &&
        scroll.nMax > scroll.nMin) {
        page.top -= scroll.nPos;
        page.bottom = page.top + scroll.nMax + 1;
        screen.top = page.top;
        screen.bottom = page.bottom;
    }
    IntersectRect(&visible, &visible, &page);
    IntersectRect(&visible, &visible, &screen);
    int width = std::min<int>(client.right - client.left, visible.right - visible.left);
    const int height = std::min<int>(client.bottom - client.top, visible.bottom - visible.top);
    if (lstrcmpiW(kind.c_str(), L"Static") == 0) {
        const LONG type = style & SS_TYPEMASK;
        if (type != SS_LEFT && type != SS_CENTER && type != SS_RIGHT && type != SS_LEFTNOWORDWRAP && type != SS_SIMPLE)
            return L"";
    } else if (lstrcmpiW(kind.c_str(), L"Button") == 0) {
        const LONG type = style & BS_TYPEMASK;
        if (type == BS_OWNERDRAW || type == BS_GROUPBOX) return L"";
        if (type != BS_PUSHBUTTON && type != BS_DEFPUSHBUTTON) width -= GetSystemMetrics(SM_CXMENUCHECK) + 4;
        else width -= 4;  // the push button's edges
    } else {
        return L"";
    }
    std::wstring shown;
    for (wchar_t c : text)
        if (c != L'&') shown += c;
    const bool wraps = lstrcmpiW(kind.c_str(), L"Static") == 0 && (style & SS_TYPEMASK) != SS_LEFTNOWORDWRAP &&
                       (style & SS_TYPEMASK) != SS_SIMPLE;
    const HFONT font = reinterpret_cast<HFONT>(SendMessageW(control, WM_GETFONT, 0, 0));
    const SIZE ink = Ink(font, shown, wraps, width);
    // A disabled label is drawn grey through an image as wide as the text measures, so ink
    // beyond the measured width is cut even where the control has room.
    if (!IsWindowEnabled(control) && !wraps) width = std::min<int>(width, Extent(font, shown).cx);
    if (ink.cx <= width && ink.cy <= height) return L"";
    return L"\"" + text + L"\" needs " + std::to_wstring(ink.cx) + L" x " + std::to_wstring(ink.cy) + L", has " +
           std::to_wstring(width) + L" x " + std::to_wstring(height);
}

std::wstring TabCut(HWND tabs, int index)
{
    wchar_t label[128] = L"";
    TCITEMW item = {};
    item.mask = TCIF_TEXT;
    item.pszText = label;
    item.cchTextMax = 128;
    RECT rc = {};
    if (!SendMessageW(tabs, TCM_GETITEMW, index, reinterpret_cast<LPARAM>(&item)))
        return L"tab " + std::to_wstring(index) + L" cannot be read";
    // A tab scrolled out of the bar has no rectangle; it is measured once scrolled to.
    if (!SendMessageW(tabs, TCM_GETITEMRECT, index, reinterpret_cast<LPARAM>(&rc))) return L"";
    // The tab control pads its labels by the frame's width on either side.
    const int width = rc.right - rc.left - 2 * GetSystemMetrics(SM_CXEDGE);
    const int height = rc.bottom - rc.top;
    const HFONT font = reinterpret_cast<HFONT>(SendMessageW(tabs, WM_GETFONT, 0, 0));
    const SIZE ink = Ink(font, label, false, width);
    if (ink.cx <= width && ink.cy <= height) return L"";
    return L"tab \"" + std::wstring(label) + L"\" needs " + std::to_wstring(ink.cx) + L" x " + std::to_wstring(ink.cy) +
           L", has " + std::to_wstring(width) + L" x " + std::to_wstring(height);
}

}  // namespace fit
