// "Menu": the kind of the add-on's tab, back and forward menu-bar buttons, and the
// soft-key menu bar of Windows Mobile 5.
#pragma once

#include "framework/PropertyPage.h"

class MenuPage : public PropertyPage {
public:
    MenuPage();

    BOOL OnInitDialog(WPARAM wParam, LPARAM lParam) override;
    void OnOK() override;
    BOOL OnSetActive() override;
};
