// Class level: a test's own settings key, made the component's key through hostContext.
#pragma once

#include "host/HostContext.h"
#include "support/Fixtures.h"

class HostSettingsTest : public SettingsTest {
protected:
    void SetUp() override
    {
        SettingsTest::SetUp();
        hostContext.vendor = vendor.c_str();
        hostContext.product = product.c_str();
    }
    void TearDown() override
    {
        hostContext.vendor = hostContext.product = NULL;
        SettingsTest::TearDown();
    }
};
