// "Tab 1": how the add-on's tab bar looks and behaves: visible tab count, tab height,
// hiding a lone tab, where new tabs go, which tab follows a closed one, double-tap closing.
#pragma once

#include "include/corvane_options.h"
#include "framework/PropertyPage.h"
#include "resource.h"

class TabAppearancePage : public PropertyPage {
public:
    // The page's dialog template and its place in the sheet.
    enum { IDD = IDD_TAB_APPEARANCE, Index = CORVANE_PAGE_TAB_APPEARANCE };

    TabAppearancePage();

    BOOL OnInitDialog(WPARAM wParam, LPARAM lParam) override;
    void OnOK() override;
};
