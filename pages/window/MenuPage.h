// "Menu": the kind of the add-on's tab, back and forward menu-bar buttons, and the
// soft-key menu bar of Windows Mobile 5.
#pragma once

#include "include/corvane_options.h"
#include "framework/PropertyPage.h"
#include "resource.h"

class MenuPage : public PropertyPage {
public:
    // The page's dialog template and its place in the sheet.
    enum { IDD = IDD_MENU, Index = CORVANE_PAGE_MENU };

    MenuPage();

    BOOL OnInitDialog(WPARAM wParam, LPARAM lParam) override;
    void OnOK() override;
};
