// "PIE": the browser's own identification, scripting and ClearType, written into its keys.
// The browser reads them when it starts; the page neither restarts nor tells it.
#pragma once

#include "framework/PropertyPage.h"

class BrowserPage : public PropertyPage {
public:
    BrowserPage();

    BOOL OnInitDialog(WPARAM wParam, LPARAM lParam) override;
    void OnOK() override;
    BOOL OnSetActive() override;

private:
    void WriteIdentification(int choice);
    void WriteScripting(DWORD runScripts, DWORD showErrors);
    void WriteClearType(DWORD enabled);
};
