#pragma once

#include "framework/PropertyPage.h"

class TabAppearancePage : public PropertyPage {
public:
    TabAppearancePage();

    BOOL OnSetActive() override;
};
