// The device's system font, the default font of its device contexts.
#ifndef _WIN32_WCE
#define POCKETPC_LAYER_IMPLEMENTATION
#include "pocketpc/Layer.h"

namespace pocketpc {
namespace {

// Made once and kept, like a stock object: callers read it and never delete it. The dpi
// does not change while the device runs.
HFONT DeviceSystemFont()
{
    static HFONT font = NULL;
    if (!font) {
        LOGFONTW record = {};
        record.lfHeight = -MulDiv(8, Device().dpi, 72);  // Tahoma 8 point: 11 pixels at 96 dpi, 21 at 192
        record.lfWeight = FW_NORMAL;
        record.lfCharSet = DEFAULT_CHARSET;
        record.lfQuality = DEFAULT_QUALITY;
        record.lfPitchAndFamily = VARIABLE_PITCH | FF_SWISS;
        lstrcpyW(record.lfFaceName, L"Tahoma");
        font = CreateFontIndirectW(&record);
    }
    return font;
}

}  // namespace
}  // namespace pocketpc

HGDIOBJ PocketGetCurrentObject(HDC dc, UINT type)
{
    HGDIOBJ current = GetCurrentObject(dc, type);
    // A device context that still holds its default font holds the device's system font.
    if (type == OBJ_FONT && current && current == GetStockObject(SYSTEM_FONT)) {
        HFONT device = pocketpc::DeviceSystemFont();
        if (device) return device;
    }
    return current;
}
#endif
