// The texts the common controls hold, read the way a test or the demo host sees them.
// Plain Win32, without the test framework, so the demo host builds it too.
#pragma once

#include <windows.h>

#include <string>

namespace driver {

// The text of a list view's cell (column 0: the item itself), up to 8,191 characters.
std::wstring ListItemText(HWND list, int row, int column);
// The text of a tab control's tab.
std::wstring TabText(HWND tabs, int index);
// The text of a combo box's item; empty when there is no such item.
std::wstring ComboItemText(HWND combo, int index);

}  // namespace driver
