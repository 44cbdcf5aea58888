#include "framework/Dpi.h"

namespace dpi {
namespace {

struct Resolution {
    int x;
    int y;
};

// The dpi does not change while the device runs; a screen that cannot be asked counts as 96.
const Resolution& Screen()
{
    static Resolution resolution = {};
    if (resolution.x) return resolution;
    HDC screen = GetDC(NULL);
    const int x = screen ? GetDeviceCaps(screen, LOGPIXELSX) : 0;
    const int y = screen ? GetDeviceCaps(screen, LOGPIXELSY) : 0;
    if (screen) ReleaseDC(NULL, screen);
    resolution.y = y > 0 ? y : 96;
    resolution.x = x > 0 ? x : 96;
    return resolution;
}

}  // namespace

int LogPixelsX()
{
    return Screen().x;
}

int LogPixelsY()
{
    return Screen().y;
}

}  // namespace dpi
