#pragma once

#include "framework/PropertyPage.h"

class ButtonsPage : public PropertyPage {
public:
    ButtonsPage();

    BOOL OnSetActive() override;
};
