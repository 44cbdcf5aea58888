// "View": the application that shows a page's source, and how Pocket view lays out pages.
#pragma once

#include "framework/PropertyPage.h"

class ViewPage : public PropertyPage {
public:
    ViewPage();

    BOOL OnInitDialog(WPARAM wParam, LPARAM lParam) override;
    BOOL OnCommand(WPARAM wParam, LPARAM lParam) override;
    void OnOK() override;
    BOOL OnSetActive() override;

private:
    // The length the box shows, brought into the spinner's range and shown so.
    DWORD SettleSplitLength();
};
