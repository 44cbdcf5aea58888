#include "framework/Controls.h"

#include <cwchar>

#include <vector>

#include "framework/Dpi.h"
#include "framework/Gdi.h"
#include "host/HostContext.h"

namespace controls {

RedrawSuspended::RedrawSuspended(HWND control) : control(control)
{
    SendMessageW(control, WM_SETREDRAW, FALSE, 0);
}

RedrawSuspended::~RedrawSuspended()
{
    SendMessageW(control, WM_SETREDRAW, TRUE, 0);
    InvalidateRect(control, NULL, TRUE);
}

void SetFont(HWND dialog, HFONT font, std::initializer_list<int> ids)
{
    for (int id : ids) SendDlgItemMessageW(dialog, id, WM_SETFONT, reinterpret_cast<WPARAM>(font), TRUE);
}

int AddComboText(HWND dialog, int comboId, LPCWSTR text)
{
    return AddComboText(GetDlgItem(dialog, comboId), text);
}

int AddComboText(HWND combo, LPCWSTR text)
{
    return static_cast<int>(SendMessageW(combo, CB_ADDSTRING, 0, reinterpret_cast<LPARAM>(text)));
}

int AddComboItem(HWND combo, LPCWSTR text, LPARAM data)
{
    const int index = AddComboText(combo, text);
    if (index >= 0) SendMessageW(combo, CB_SETITEMDATA, index, data);
    return index;
}

void AddComboStrings(HWND dialog, int comboId, std::initializer_list<UINT> stringIds)
{
    HWND combo = GetDlgItem(dialog, comboId);
    RedrawSuspended quiet(combo);
    for (UINT id : stringIds) AddComboText(combo, ResourceText(id));
}

void AddComboNumbers(HWND dialog, int comboId, int first, int last, int step)
{
    HWND combo = GetDlgItem(dialog, comboId);
    RedrawSuspended quiet(combo);
    wchar_t text[16];
    for (int value = first; step > 0 ? value <= last : value >= last; value += step) {
        swprintf(text, 16, L"%d", value);
        AddComboText(combo, text);
    }
}

void SelectComboIndex(HWND dialog, int comboId, DWORD index)
{
    // The combo box keeps its old selection for an index it does not hold; clear it first so
    // that a stored value out of range shows no selection.
    SendDlgItemMessageW(dialog, comboId, CB_SETCURSEL, static_cast<WPARAM>(-1), 0);
    SendDlgItemMessageW(dialog, comboId, CB_SETCURSEL, static_cast<WPARAM>(static_cast<int>(index)), 0);
}

DWORD ComboSelection(HWND dialog, int comboId)
{
    return static_cast<DWORD>(SendDlgItemMessageW(dialog, comboId, CB_GETCURSEL, 0, 0));
}

void SetCheck(HWND dialog, int buttonId, DWORD state)
{
    SendDlgItemMessageW(dialog, buttonId, BM_SETCHECK, state, 0);
}

DWORD CheckState(HWND dialog, int buttonId)
{
    return static_cast<DWORD>(SendDlgItemMessageW(dialog, buttonId, BM_GETCHECK, 0, 0));
}

void EnableControls(HWND dialog, BOOL enable, std::initializer_list<int> ids)
{
    for (int id : ids) EnableWindow(GetDlgItem(dialog, id), enable);
}

std::wstring WindowText(HWND window)
{
    std::vector<wchar_t> text(GetWindowTextLengthW(window) + 1, L'\0');
    GetWindowTextW(window, text.data(), static_cast<int>(text.size()));
    return text.data();
}

void AddListColumns(HWND list, std::initializer_list<ListColumn> columns)
{
    int index = 0, total = 0, last = 0;
    for (const ListColumn& column : columns) {
        LVCOLUMNW record = {};
        record.mask = LVCF_FMT | LVCF_WIDTH | LVCF_TEXT | LVCF_SUBITEM | LVCF_ORDER;
        record.fmt = LVCFMT_LEFT;
        record.cx = last = dpi::ScaleX(column.width);
        total += last;
        record.pszText = const_cast<LPWSTR>(ResourceText(column.titleId));
        record.iSubItem = index;
        record.iOrder = index;
        SendMessageW(list, LVM_INSERTCOLUMNW, index, reinterpret_cast<LPARAM>(&record));
        ++index;
    }
    // The template's width follows the font, whose letters round otherwise at other sizes than
    // the pixels do: at 192 dpi a list is a few pixels short of twice its width. The last
    // column gives them up, down to half its width, so that the columns fit beside the list's
    // own scroll bar and no sideways bar takes a row.
    RECT client = {};
    GetClientRect(list, &client);
    const int excess = total - (client.right - GetSystemMetrics(SM_CXVSCROLL));
    if (index > 0 && excess > 0)
        SendMessageW(list, LVM_SETCOLUMNWIDTH, index - 1, MAKELPARAM(excess < last / 2 ? last - excess : last - last / 2, 0));
}

void SetUpTrackbar(HWND dialog, int trackbarId, int minimum, int maximum, int lineStep, int pageStep, int position)
{
    HWND trackbar = GetDlgItem(dialog, trackbarId);
    SendMessageW(trackbar, TBM_SETRANGE, FALSE, MAKELPARAM(minimum, maximum));
    SendMessageW(trackbar, TBM_SETLINESIZE, 0, lineStep);
    SendMessageW(trackbar, TBM_SETPAGESIZE, 0, pageStep);
    SendMessageW(trackbar, TBM_SETPOS, TRUE, static_cast<LPARAM>(position));
}

int TrackbarPosition(HWND dialog, int trackbarId)
{
    return static_cast<int>(SendDlgItemMessageW(dialog, trackbarId, TBM_GETPOS, 0, 0));
}

HFONT CreatePageFont(HWND window, PageFontStyle style)
{
    gdi::WindowDC dc(window);
    if (!dc) return NULL;
    LOGFONTW font = {};
    HGDIOBJ current = GetCurrentObject(dc.Get(), OBJ_FONT);
    if (!current || !GetObjectW(current, sizeof(font), &font)) return NULL;
    // Tahoma 8 point, the size of the templates' own font: 11 pixels at 96 dpi, 21 at 192
    // (twice 11 would be a pixel taller than the template rows made for it).
    font.lfHeight = -MulDiv(8, dpi::LogPixelsY(), 72);
    if (style == PageFontStyle::Header) font.lfWeight = FW_BOLD;
    if (style == PageFontStyle::Link) font.lfUnderline = TRUE;
    return CreateFontIndirectW(&font);
}

namespace {

SIZE BitmapSize(HBITMAP bitmap)
{
    BITMAP info = {};
    SIZE size = {0, 0};
    if (bitmap && GetObjectW(bitmap, sizeof(info), &info)) {
        size.cx = info.bmWidth;
        size.cy = info.bmHeight;
    }
    return size;
}

}  // namespace

HBITMAP LoadPicture(UINT id, UINT doubleId, int width, int height)
{
    gdi::Bitmap picture(LoadBitmapW(hostContext.instance, MAKEINTRESOURCEW(id)));
    SIZE size = BitmapSize(picture.Get());
    if (doubleId && width >= 2 * size.cx && height >= 2 * size.cy) {
        gdi::Bitmap doubled(LoadBitmapW(hostContext.instance, MAKEINTRESOURCEW(doubleId)));
        if (doubled) {
            picture.Reset(doubled.Release());
            size = BitmapSize(picture.Get());
        }
    }
    if (!picture || width <= 0 || height <= 0 || (size.cx == width && size.cy == height)) return picture.Release();

    // Enlarging copies each pixel onto a block of them; the stretch mode only matters when
    // pixels are dropped. A one-bit picture comes out black on white, as it is drawn.
    gdi::WindowDC screen(NULL);
    gdi::MemoryDC source(CreateCompatibleDC(screen.Get()));
    gdi::MemoryDC target(CreateCompatibleDC(screen.Get()));
    gdi::Bitmap sized(CreateCompatibleBitmap(screen.Get(), width, height));
    if (!source || !target || !sized) return picture.Release();
    {
        gdi::Selection from(source.Get(), picture.Get());
        gdi::Selection to(target.Get(), sized.Get());
        StretchBlt(target.Get(), 0, 0, width, height, source.Get(), 0, 0, size.cx, size.cy, SRCCOPY);
    }
    return sized.Release();
}

}  // namespace controls
