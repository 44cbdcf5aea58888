// Room for a page's vertical scroll bar. The templates are laid out for the page's whole
// width; a page that shows the bar has that much less, and the controls reaching into the
// bar's strip give way to it, row by row from the right: a control whose content can be
// shown narrower (an edit or combo box, a list, a trackbar, a rule, a label of several lines
// as far as they hold its text) is narrowed, any other moves left and pushes its left
// neighbours in the row, which in turn narrow if they can. A label or check box that still
// lacks room breaks its text into more lines where nothing lies below it.
#pragma once

#include <vector>

#include "pocketpc/PocketPC.h"

namespace layout {

// How one control gave way: moved left, and narrowed, by so many pixels.
struct GivenWay {
    HWND control;
    int moved;
    int narrowed;
    // A narrowed combo box's list width before, or 0.
    int droppedWidth;
    // How much taller a label or check box grew to hold its text in more lines.
    int grown;
    // A check box that was given more lines to hold its text.
    bool multiline;
};

// Each of these is given the page's children, in their order.

// Moves and narrows the visible children of the page that reach past `right` (in the page's
// client coordinates) so that all end left of it; returns what each control did.
std::vector<GivenWay> GiveWayLeftOf(HWND page, const std::vector<HWND>& children, int right);

// Puts every control back where it was before it gave way and forgets the changes. Undone
// by the amounts, so a control the page moved down or up since keeps that move.
void TakeBack(HWND page, std::vector<GivenWay>& changes);

// A label of one line's height whose text, in the font of the screen's dpi, is wider than the
// template made it (the templates are measured in the device's 11-pixel font, whose letters
// are rounded to whole pixels otherwise than larger sizes' are) would break it into lines it
// cannot show. It widens into the free space on its right, up to its neighbour in the row or
// the page's edge, where that holds its line; where only the line's trailing blanks reach
// past that, it is drawn on one line. A label that fits, or has no such room, stays as it is.
// A label whose blank end overlaps its neighbour in the row by the templates' rounding ends
// where the neighbour begins, so that the two draw the same in either order.
void FitLabelsToTheirText(HWND page, const std::vector<HWND>& children);

// The templates stack check boxes and radio buttons a dialog unit into each other's rows. A
// control that reaches into the rows of a check box or radio button before it keeps out of
// them (WS_CLIPSIBLINGS), so what that one draws there (its focus rectangle's bottom edge, at
// 192 dpi) stays however the two are repainted, alone or together.
void ClipOverlappingControls(HWND page, const std::vector<HWND>& children);

}  // namespace layout
