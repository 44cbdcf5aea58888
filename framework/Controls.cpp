#include "framework/Controls.h"

#include <cwchar>

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
    return static_cast<int>(SendDlgItemMessageW(dialog, comboId, CB_ADDSTRING, 0, reinterpret_cast<LPARAM>(text)));
}

void AddComboStrings(HWND dialog, int comboId, std::initializer_list<UINT> stringIds)
{
    RedrawSuspended quiet(dialog, comboId);
    for (UINT id : stringIds) AddComboText(dialog, comboId, ResourceText(id));
}

void AddComboNumbers(HWND dialog, int comboId, int first, int last, int step)
{
    RedrawSuspended quiet(dialog, comboId);
    wchar_t text[16];
    for (int value = first; step > 0 ? value <= last : value >= last; value += step) {
        swprintf(text, 16, L"%d", value);
        AddComboText(dialog, comboId, text);
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

}  // namespace controls
