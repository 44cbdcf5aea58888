// Whether a text a person should read fits the place it is drawn in: measured on the pixels the
// system draws, not on the font's advances, as it may draw a size from the font's embedded
// bitmaps at other widths than the outlines it measures.
#pragma once

#include <windows.h>

#include <string>

namespace fit {

// How far the text's ink reaches when drawn with the font, unclipped; a wrapped text wraps at
// width. The height counts whole lines of the font.
SIZE Ink(HFONT font, const std::wstring& text, bool wraps, int width);
// The text's extent as the font measures it.
SIZE Extent(HFONT font, const std::wstring& text);
// Why a static's or button's text does not fit its rectangle, or "" when it fits (or the
// control shows no text of its own). Statics wrap at word breaks, so a text taller than the
// static lost its last words; buttons keep one line. A list view is cut when its columns
// are wider than it is.
std::wstring Cut(HWND control);
// Why the label of a tab does not fit its tab, or "" when it fits.
std::wstring TabCut(HWND tabs, int index);

}  // namespace fit
