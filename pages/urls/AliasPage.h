#pragma once

#include "framework/PropertyPage.h"

class AliasPage : public PropertyPage {
public:
    AliasPage();

    BOOL OnSetActive() override;
};
