// "View": the application that shows a page's source, and how Pocket view lays out pages.
#pragma once

#include "include/corvane_options.h"
#include "framework/PropertyPage.h"
#include "resource.h"

class ViewPage : public PropertyPage {
public:
    // The page's dialog template and its place in the sheet.
    enum { IDD = IDD_VIEW, Index = CORVANE_PAGE_VIEW };

    ViewPage();

    BOOL OnInitDialog(WPARAM wParam, LPARAM lParam) override;
    BOOL OnCommand(WPARAM wParam, LPARAM lParam) override;
    void OnOK() override;

private:
    // The length the box shows, brought into the spinner's range and shown so.
    DWORD SettleSplitLength();
};
