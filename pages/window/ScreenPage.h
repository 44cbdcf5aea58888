// "Screen": what the add-on's full-screen mode hides, how the user gets the menu bar back,
// and the sensitivity of screen dragging.
#pragma once

#include "include/corvane_options.h"
#include "framework/PropertyPage.h"
#include "resource.h"

class ScreenPage : public PropertyPage {
public:
    // The page's dialog template and its place in the sheet.
    enum { IDD = IDD_SCREEN, Index = CORVANE_PAGE_SCREEN };

    ScreenPage();

    BOOL OnInitDialog(WPARAM wParam, LPARAM lParam) override;
    BOOL OnCommand(WPARAM wParam, LPARAM lParam) override;
    void OnOK() override;

    // The restore controls matter only while the menu bar is hidden.
    void UpdateRestoreControls();
};
