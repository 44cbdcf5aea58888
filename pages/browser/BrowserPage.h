// "PIE": the browser's own identification, scripting and ClearType, written into its keys.
// The browser reads them when it starts; the page neither restarts nor tells it.
#pragma once

#include "include/corvane_options.h"
#include "framework/PropertyPage.h"
#include "resource.h"

class BrowserPage : public PropertyPage {
public:
    // The page's dialog template and its place in the sheet.
    enum { IDD = IDD_BROWSER, Index = CORVANE_PAGE_BROWSER };

    BrowserPage();

    BOOL OnInitDialog(WPARAM wParam, LPARAM lParam) override;
    void OnOK() override;

private:
    void WriteIdentification(int choice);
    void WriteScripting(DWORD runScripts, DWORD showErrors);
    void WriteClearType(DWORD enabled);
};
