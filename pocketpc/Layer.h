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
// The screen's size is asked of the system once and kept until the device tells of a turn
// (each question costs Wine several trips to its server, and a page asks as it lays itself
// out); ScreenChanged forgets it, and so does every sheet as it opens, as the device may have
// turned while none was open.
void ForgetScreenSize();
// A length in the QVGA device's 96-dpi pixels at the running device's dpi.
int Scale(int pixels);

// The visible desktop for the current input-panel state, in screen coordinates; of the
// running device, or of the geometry the caller already asked for.
RECT VisibleDesktop();
RECT VisibleDesktop(const Geometry& device);

// The input panel's rectangle on the screen, above the menu bar.
RECT InputPanelRect();
RECT InputPanelRect(const Geometry& device);
// Shows the panel's keyboard window while raised; destroyed when the sheet that used it ends.
void ShowInputPanelWindow(bool raised);
void DestroyInputPanelWindow();

// The input panel: raised or lowered as the device's shell does it, and whether it is up.
void SetInputPanel(bool raised);
bool InputPanelRaised();
// Redraws the menu bars, whose input-panel button shows the panel's state.
void RefreshMenuBars();

// The device turning: when the screen's size changes, every top-level window gets
// WM_DISPLAYCHANGE. The layer's windows that get it call ScreenChanged, which posts one
// FollowScreenMessage to the window (however many of them got it, and however many changes
// a turn took); FollowScreen, run by that message, lays the layer's windows out for the
// screen as it is then: the sheets with their pages, the menu bars, the input panel (raised
// or not, as it was), open message boxes and drop-down lists; then it tells the thread's
// top-level windows, as the device does (WM_SETTINGCHANGE with SETTINGCHANGE_RESET), and
// every window that follows the input panel that its rectangles moved.
void ScreenChanged(HWND window);
UINT FollowScreenMessage();
void FollowScreen();
// Forgets a follow still waiting, when the window it was posted to is gone with the sheet.
void ScreenFollowed();
// Each lays one kind of the layer's windows out for the screen as it is now; false for a
// window of any other kind.
bool PlaceLayerSheet(HWND window);
bool PlaceMenuBar(HWND window);
bool RefitMessageBox(HWND window);
void PlaceInputPanelWindow();
// Tells the windows that follow the input panel that its state or its rectangles changed.
void AnnounceInputPanel();

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
