// ShowOptions itself, linked in: what it does before its sheet shows.
#include <gtest/gtest.h>

#include "host/Exports.h"
#include "support/SheetDriver.h"

namespace {

bool InputPanelRaised()
{
    SIPINFO sip = {};
    sip.cbSize = sizeof(sip);
    SipGetInfo(&sip);
    return (sip.fdwFlags & SIPF_ON) != 0;
}

// A host may leave the panel up (its own edit box had the focus); the sheet opens with the
// whole screen for its pages.
TEST(ShowOptionsTest, InputPanelLeftRaisedByTheHostIsLoweredBeforeTheSheetShows)
{
    SIPINFO sip = {};
    sip.cbSize = sizeof(sip);
    SHSipInfo(SPI_GETSIPINFO, 0, &sip, 0);
    sip.fdwFlags |= SIPF_ON;
    SHSipInfo(SPI_SETSIPINFO, 0, &sip, 0);
    ASSERT_TRUE(InputPanelRaised()) << "the host left the panel raised";

    bool raisedWhenShown = true;
    int reserved = 0;
    HWND host = driver::HostWindow();
    driver::RunSheet(
        host,
        [&]() {
            return static_cast<INT_PTR>(
                ShowOptions(host, 0, 5, 0, &reserved, L"CorvaneTests", L"ShowOptionsClass", L"2.1",
                            CORVANE_PAGE_ABOUT));
        },
        [&](driver::Sheet&) { raisedWhenShown = InputPanelRaised(); });
    EXPECT_FALSE(raisedWhenShown);
}

}  // namespace
