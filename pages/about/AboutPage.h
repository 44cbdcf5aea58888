#pragma once

#include "framework/PropertyPage.h"

class AboutPage : public PropertyPage {
public:
    AboutPage();

    BOOL OnSetActive() override;
};
