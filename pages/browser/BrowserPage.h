#pragma once

#include "framework/PropertyPage.h"

class BrowserPage : public PropertyPage {
public:
    BrowserPage();

    BOOL OnSetActive() override;
};
