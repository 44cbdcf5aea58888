// "About": the product's icon and name, the version the host handed in, and the product's
// web address as a link that opens when tapped.
#pragma once

#include "framework/Gdi.h"
#include "include/corvane_options.h"
#include "framework/PropertyPage.h"
#include "resource.h"

class AboutPage : public PropertyPage {
public:
    // The page's dialog template and its place in the sheet.
    enum { IDD = IDD_ABOUT, Index = CORVANE_PAGE_ABOUT };

    AboutPage();

    BOOL OnInitDialog(WPARAM wParam, LPARAM lParam) override;
    BOOL OnCommand(WPARAM wParam, LPARAM lParam) override;
    HBRUSH OnCtlColorStatic(HDC dc, HWND control) override;
    void OnOK() override;

private:
    gdi::Font linkFont;  // the link's underlined font
};
