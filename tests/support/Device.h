// The emulated device the tests run on, as the tests see it: the profile its prefix was made
// for (tools/env.sh; the layer's device setting names it) and the screen as it is now, which
// swaps its width and height when the device turns.
#pragma once

#include <windows.h>

namespace device {

struct Profile {
    const wchar_t* name;
    int width;   // the screen as the device starts
    int height;
    int dpi;
    int titleBar;
    int menuBar;
    int inputPanel;
};

// The profile named in the prefix's device setting; qvga when it names none.
const Profile& Running();

// The whole screen as the system reports it now, at the display's top left.
RECT Screen();
// The menu bar along the screen's bottom edge, and the raised input panel directly above it.
RECT MenuBar();
RECT InputPanel();

// Turns the device, as a person holding it does: the screen's width and height swap (a square
// screen stays as it is). Returns once the windows of this thread followed, with the size the
// screen has then; false when the system refused the new size.
bool Turn();

// A length in 96-dpi pixels at the device's dpi.
int Scale(int pixels);

}  // namespace device
