// Small helpers for the controls of a page, so each page reads as what it does.
#pragma once

#include <initializer_list>

#include "pocketpc/PocketPC.h"

namespace controls {

// Keeps a control from repainting while it is filled, then lets it paint once: filling a
// list or combo box item by item otherwise repaints it for every item.
class RedrawSuspended {
public:
    explicit RedrawSuspended(HWND control);
    RedrawSuspended(HWND dialog, int controlId) : RedrawSuspended(GetDlgItem(dialog, controlId)) {}
    ~RedrawSuspended();
    RedrawSuspended(const RedrawSuspended&) = delete;
    RedrawSuspended& operator=(const RedrawSuspended&) = delete;

private:
    HWND control;
};

// Gives each listed control the font, redrawing it.
void SetFont(HWND dialog, HFONT font, std::initializer_list<int> ids);

// Appends texts to a combo box; returns the index of the last one added.
int AddComboText(HWND dialog, int comboId, LPCWSTR text);
void AddComboStrings(HWND dialog, int comboId, std::initializer_list<UINT> stringIds);
// Appends the numbers first, first + step, ... up to and including last, formatted "%d".
void AddComboNumbers(HWND dialog, int comboId, int first, int last, int step = 1);
// Selects the item; an index the combo box does not hold leaves it without a selection.
void SelectComboIndex(HWND dialog, int comboId, DWORD index);
// The selected index, or CB_ERR (-1) when nothing is selected.
DWORD ComboSelection(HWND dialog, int comboId);

void SetCheck(HWND dialog, int buttonId, DWORD state);
DWORD CheckState(HWND dialog, int buttonId);

void EnableControls(HWND dialog, BOOL enable, std::initializer_list<int> ids);

}  // namespace controls
