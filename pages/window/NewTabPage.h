#pragma once

#include "framework/PropertyPage.h"

class NewTabPage : public PropertyPage {
public:
    NewTabPage();

    BOOL OnSetActive() override;
};
