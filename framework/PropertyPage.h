// A page of the options sheet: its PROPSHEETPAGE record, the sheet's menu bar, and the
// routing of the sheet's apply and activation notifications.
#pragma once

#include "framework/Dialog.h"

class PropertyPage : public Dialog {
public:
    PropertyPage(UINT templateId, UINT titleId);
    ~PropertyPage() override;

    BOOL OnInitDialog(WPARAM wParam, LPARAM lParam) override;
    BOOL OnNotify(WPARAM wParam, LPARAM lParam, LRESULT* result) override;
    virtual BOOL OnApply();
    // Stores the page's place in the sheet as the page the user is on, which ShowOptions
    // reports; a page that overrides it calls it too.
    virtual BOOL OnSetActive();

    // The page's place in its sheet, given as the sheet adds it.
    void SetSheetIndex(int index) { sheetIndex = index; }

    // The record the sheet copies; its lParam is this object.
    const PROPSHEETPAGEW& Record() const { return psp; }

    static INT_PTR CALLBACK StaticPageProc(HWND window, UINT message, WPARAM wParam, LPARAM lParam);

protected:
    PROPSHEETPAGEW psp;

private:
    int sheetIndex;
};
