// What the host handed in: one process-wide record that every part of the component reads.
#pragma once

#include "pocketpc/PocketPC.h"

struct HostContext {
    HINSTANCE instance;    // this library: templates, strings, bitmaps, icon, sound
    // While a sheet is open these point to ShowOptions' own copies, so that nothing the host
    // does meanwhile (another export, freeing its texts) changes what the sheet uses.
    LPCWSTR vendor;        // first key below Software
    LPCWSTR product;       // second key, and the URL pages' message caption
    LPCWSTR version;       // shown on the About page
    int holdUnsupported;   // nonzero: the Buttons page offers no press-and-hold
    int platformLevel;     // the host's platform generation code
    int activePage;        // start page, then the index of the page last activated
    int sheetOpen;         // nonzero while ShowOptions runs its sheet
};

extern HostContext hostContext;

// The text of a string resource of the component, or the empty text when it has none.
LPCWSTR ResourceText(UINT id);
