// "Tab 2": what a new tab shows, and what happens when a page has loaded: a sound, chosen
// from the built-in one and the device's WAVE files and tried out with two owner-drawn
// buttons, and bringing the tab to the foreground.
#pragma once

#include "framework/Gdi.h"
#include "include/corvane_options.h"
#include "framework/PropertyPage.h"
#include "resource.h"

// A bitmap the page draws on one of its buttons, with its size in pixels.
struct Glyph {
    LONG width = 0;
    LONG height = 0;
    gdi::Bitmap bitmap;
};

class NewTabPage : public PropertyPage {
public:
    // The page's dialog template and its place in the sheet.
    enum { IDD = IDD_NEW_TAB, Index = CORVANE_PAGE_NEW_TAB };

    NewTabPage();

    INT_PTR DialogProc(UINT message, WPARAM wParam, LPARAM lParam) override;
    BOOL OnInitDialog(WPARAM wParam, LPARAM lParam) override;
    BOOL OnCommand(WPARAM wParam, LPARAM lParam) override;
    void OnOK() override;
    // Draws the play and stop buttons; FALSE for any other control.
    virtual BOOL OnDrawItem(WPARAM controlId, LPARAM drawItem);

protected:
    // Every start and stop of a sound goes through here, so a test can see what would play.
    virtual BOOL PlaySoundRequest(LPCWSTR sound, HMODULE module, DWORD flags);

    Glyph playGlyph;
    Glyph stopGlyph;

private:
    void PlayEventSound();
};
