// Small helpers for the controls of a page, so each page reads as what it does.
#pragma once

#include <initializer_list>
#include <string>

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

// Appends texts to a combo box; returns the index of the last one added. A page that adds
// many items finds its box once and adds them to the box itself: each look-up of a control
// by its id walks the dialog's controls anew.
int AddComboText(HWND dialog, int comboId, LPCWSTR text);
int AddComboText(HWND combo, LPCWSTR text);
// Appends a text with its item data; returns its index, or CB_ERR when the box took none.
int AddComboItem(HWND combo, LPCWSTR text, LPARAM data);
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

// The whole text of a window, however long.
std::wstring WindowText(HWND window);

// A list-view column: its title (a string id) and width in 96-dpi pixels.
struct ListColumn {
    UINT titleId;
    int width;
};
// Appends left-aligned columns, in this order, to a list view.
void AddListColumns(HWND list, std::initializer_list<ListColumn> columns);

// Gives a trackbar its range, the steps of an arrow key and of a page key, and its position
// (a position outside the range is brought to the nearer end).
void SetUpTrackbar(HWND dialog, int trackbarId, int minimum, int maximum, int lineStep, int pageStep, int position);
int TrackbarPosition(HWND dialog, int trackbarId);

// The fonts of a page's own labels, derived from the font its window draws with, at the
// section headers' fixed height: headers bold, links underlined at the regular weight.
enum class PageFontStyle { Header, Link };
// Null when the window's font cannot be read.
HFONT CreatePageFont(HWND window, PageFontStyle style);

// A bitmap resource at the size the device shows it, in the screen's pixels. The picture
// drawn for twice the resolution (doubleId; 0 when there is none) is taken once the size
// reaches its own; a picture of another size than asked is enlarged pixel for pixel, so it
// stays sharp. Null when the resource cannot be loaded.
HBITMAP LoadPicture(UINT id, UINT doubleId, int width, int height);

}  // namespace controls
