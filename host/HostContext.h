// What the host handed in: one process-wide record that every part of the component reads.
#pragma once

#include "pocketpc/PocketPC.h"

struct HostContext {
    HINSTANCE instance;    // this library: templates, strings, bitmaps, icon, sound
    LPCWSTR vendor;        // owned by the host; first key below Software
    LPCWSTR product;       // owned by the host; second key, and the URL pages' message caption
    LPCWSTR version;       // owned by the host; shown on the About page
    int holdUnsupported;   // nonzero: the Buttons page offers no press-and-hold
    int platformLevel;     // the host's platform generation code
    int activePage;        // start page, then the index of the page last activated
};

extern HostContext hostContext;

// The text of a string resource of the component, or the empty text when it has none.
LPCWSTR ResourceText(UINT id);
