// What the URL page tests share: the list view's rows as the user sees them, taps on rows,
// control positions, and the lists stored in the registry.
#pragma once

#include <windows.h>
#include <commctrl.h>

#include <string>
#include <vector>

#include "resource.h"
#include "support/Fixtures.h"

namespace urlpage {

inline HWND List(driver::Sheet& sheet)
{
    return sheet.Item(IDC_URL_LIST);
}

inline std::wstring Cell(driver::Sheet& sheet, int row, int column)
{
    return driver::ListItemText(List(sheet), row, column);
}

// A row as "flags|text|url".
inline std::wstring Row(driver::Sheet& sheet, int row)
{
    return Cell(sheet, row, 0) + L"|" + Cell(sheet, row, 1) + L"|" + Cell(sheet, row, 2);
}

inline std::vector<std::wstring> Rows(driver::Sheet& sheet)
{
    std::vector<std::wstring> rows;
    for (int i = 0; i < ListView_GetItemCount(List(sheet)); ++i) rows.push_back(Row(sheet, i));
    return rows;
}

// The selected rows; the page keeps at most one.
inline std::vector<int> Selected(driver::Sheet& sheet)
{
    std::vector<int> rows;
    for (int i = -1; (i = ListView_GetNextItem(List(sheet), i, LVNI_SELECTED)) != -1;) rows.push_back(i);
    return rows;
}

// A tap with the stylus, as the list view receives it.
inline void TapAt(HWND list, int x, int y)
{
    SendMessageW(list, WM_LBUTTONDOWN, MK_LBUTTON, MAKELPARAM(x, y));
    SendMessageW(list, WM_LBUTTONUP, 0, MAKELPARAM(x, y));
}

inline void Tap(driver::Sheet& sheet, int row)
{
    HWND list = List(sheet);
    ListView_EnsureVisible(list, row, FALSE);
    RECT rc = {};
    ListView_GetItemRect(list, row, &rc, LVIR_BOUNDS);
    TapAt(list, rc.left + 4, (rc.top + rc.bottom) / 2);
}

// A tap on the empty space below the last row.
inline void TapBeside(driver::Sheet& sheet)
{
    HWND list = List(sheet);
    RECT rc = {}, client = {};
    GetClientRect(list, &client);
    if (ListView_GetItemCount(list) > 0) ListView_GetItemRect(list, ListView_GetItemCount(list) - 1, &rc, LVIR_BOUNDS);
    EXPECT_LT(rc.bottom + 4, client.bottom) << "no empty space below the rows to tap";
    TapAt(list, 4, rc.bottom + 4);
}

// The columns as "title width".
inline std::vector<std::wstring> Columns(driver::Sheet& sheet)
{
    std::vector<std::wstring> columns;
    for (int i = 0;; ++i) {
        wchar_t title[64] = L"";
        LVCOLUMNW column = {};
        column.mask = LVCF_TEXT | LVCF_WIDTH;
        column.pszText = title;
        column.cchTextMax = 64;
        if (!ListView_GetColumn(List(sheet), i, &column)) break;
        columns.push_back(std::wstring(title) + L" " + std::to_wstring(column.cx));
    }
    return columns;
}

// A control's rectangle in the page's client coordinates.
inline RECT Rect(driver::Sheet& sheet, int id)
{
    RECT rc = {};
    GetWindowRect(sheet.Item(id), &rc);
    MapWindowPoints(NULL, sheet.Page(), reinterpret_cast<POINT*>(&rc), 2);
    return rc;
}

// A control's rectangle as the page is laid out, whatever it is scrolled to: in the page's
// client coordinates with the page scrolled to its top.
inline RECT LaidOutRect(driver::Sheet& sheet, int id)
{
    RECT rc = Rect(sheet, id);
    SCROLLINFO info = {};
    info.cbSize = sizeof(info);
    info.fMask = SIF_POS;
    if ((GetWindowLongW(sheet.Page(), GWL_STYLE) & WS_VSCROLL) && GetScrollInfo(sheet.Page(), SB_VERT, &info))
        OffsetRect(&rc, 0, info.nPos);
    return rc;
}

inline DWORD EditLimit(driver::Sheet& sheet, int id)
{
    return static_cast<DWORD>(SendMessageW(sheet.Item(id), EM_GETLIMITTEXT, 0, 0));
}

inline std::pair<DWORD, DWORD> EditSelection(driver::Sheet& sheet, int id)
{
    DWORD start = 0, end = 0;
    SendMessageW(sheet.Item(id), EM_GETSEL, reinterpret_cast<WPARAM>(&start), reinterpret_cast<LPARAM>(&end));
    return {start, end};
}

}  // namespace urlpage

class UrlPageTest : public SheetTest {
protected:
    // Stores the rows, given as "flags+text" and URL pairs, in the section.
    void Seed(const wchar_t* section, const std::vector<std::pair<std::wstring, std::wstring>>& entries) const
    {
        for (size_t i = 0; i < entries.size(); ++i) {
            std::wstring index = std::to_wstring(i);
            testreg::WriteString(HKEY_CURRENT_USER, SectionPath(section), (index + L"_Name").c_str(), entries[i].first);
            testreg::WriteString(HKEY_CURRENT_USER, SectionPath(section), (index + L"_URL").c_str(), entries[i].second);
        }
    }
    // The stored list as "flags+text|url", read the way the host reads it.
    std::vector<std::wstring> Stored(const wchar_t* section) const
    {
        std::vector<std::wstring> rows;
        for (int i = 0;; ++i) {
            std::wstring name, url, index = std::to_wstring(i);
            if (!testreg::ReadString(HKEY_CURRENT_USER, SectionPath(section), (index + L"_Name").c_str(), &name)) break;
            testreg::ReadString(HKEY_CURRENT_USER, SectionPath(section), (index + L"_URL").c_str(), &url);
            rows.push_back(name + L"|" + url);
        }
        return rows;
    }
    size_t ValueCount(const wchar_t* section) const
    {
        return testreg::ValueNames(HKEY_CURRENT_USER, SectionPath(section)).size();
    }
};
