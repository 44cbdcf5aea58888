#pragma once

#include "framework/PropertyPage.h"

class ServicePage : public PropertyPage {
public:
    ServicePage();

    BOOL OnSetActive() override;
};
