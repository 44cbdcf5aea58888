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
// A window's text (a control's label, a window's caption), whatever its length.
std::wstring WindowText(HWND window);
// A window's class name ("#32770" for a dialog or message box).
std::wstring ClassOf(HWND window);

}  // namespace driver
