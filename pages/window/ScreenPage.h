#pragma once

#include "framework/PropertyPage.h"

class ScreenPage : public PropertyPage {
public:
    ScreenPage();

    BOOL OnSetActive() override;
};
