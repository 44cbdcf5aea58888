// Internals shared by the files of the Pocket PC shell layer.
#pragma once

#ifndef _WIN32_WCE
#include "pocketpc/PocketPC.h"

namespace pocketpc {

// The module that holds the layer's code: OPTION.dll, or a test executable that links it.
// Window classes are registered to it, as the device's shell registers them to the process.
HINSTANCE LayerModule();

// The visible desktop for the current input-panel state, in screen coordinates.
RECT VisibleDesktop();

}  // namespace pocketpc
#endif
