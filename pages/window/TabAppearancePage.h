// "Tab 1": how the add-on's tab bar looks and behaves: visible tab count, tab height,
// hiding a lone tab, where new tabs go, which tab follows a closed one, double-tap closing.
#pragma once

#include "framework/PropertyPage.h"

class TabAppearancePage : public PropertyPage {
public:
    TabAppearancePage();

    BOOL OnInitDialog(WPARAM wParam, LPARAM lParam) override;
    void OnOK() override;
    BOOL OnSetActive() override;
};
