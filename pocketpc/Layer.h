// Internals shared by the files of the Pocket PC shell layer.
#pragma once

#ifndef _WIN32_WCE
#include "pocketpc/PocketPC.h"

namespace pocketpc {

// The module that holds the layer's code: OPTION.dll, or a test executable that links it.
// Window classes are registered to it, as the device's shell registers them to the process.
HINSTANCE LayerModule();

// The running device, in pixels of its screen: the screen as the system metrics report it
// (width and height swap when the device turns), its dpi, and the heights of its shell's
// title (navigation) bar, menu bar and input panel, as the device's setting gives them.
struct Geometry {
    int screenWidth;
    int screenHeight;
    int dpi;
    int titleBar;
    int menuBar;
    int inputPanel;
};
Geometry Device();
// A length in the QVGA device's 96-dpi pixels at the running device's dpi.
int Scale(int pixels);

// The visible desktop for the current input-panel state, in screen coordinates.
RECT VisibleDesktop();

// The input panel's rectangle on the screen, above the menu bar.
RECT InputPanelRect();
// Shows the panel's keyboard window while raised; destroyed when the sheet that used it ends.
void ShowInputPanelWindow(bool raised);
void DestroyInputPanelWindow();

// The input panel: raised or lowered as the device's shell does it, and whether it is up.
void SetInputPanel(bool raised);
bool InputPanelRaised();
// Redraws the menu bars, whose input-panel button shows the panel's state.
void RefreshMenuBars();

// Window subclassing that keeps the replaced procedures in the process, not in window
// properties: the common controls' SetWindowSubclass reads a property on every message,
// which costs a round trip to the window server under Wine.
// Puts proc in front of the window's procedure; data comes back with every message.
bool Subclass(HWND window, WNDPROC proc, void* data);
// The procedure proc replaced, called with the message; forgets the window on WM_NCDESTROY.
LRESULT CallReplaced(WNDPROC proc, HWND window, UINT message, WPARAM wParam, LPARAM lParam);
void* SubclassData(WNDPROC proc, HWND window);

}  // namespace pocketpc
#endif
