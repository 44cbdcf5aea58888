// Every pixel number of the pages is a 96-dpi number: the device's pixels follow from its
// dpi as its own scaling helpers give them, so at 96 dpi each number stays what it is.
#pragma once

#include "pocketpc/PocketPC.h"

namespace dpi {

// The screen's dots per inch across and down, read once.
int LogPixelsX();
int LogPixelsY();

inline int ScaleX(int pixels) { return pixels * LogPixelsX() / 96; }
inline int ScaleY(int pixels) { return pixels * LogPixelsY() / 96; }

}  // namespace dpi
