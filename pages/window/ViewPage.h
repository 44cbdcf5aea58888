#pragma once

#include "framework/PropertyPage.h"

class ViewPage : public PropertyPage {
public:
    ViewPage();

    BOOL OnSetActive() override;
};
