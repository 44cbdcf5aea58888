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
    virtual BOOL OnSetActive();

    // The record the sheet copies; its lParam is this object.
    const PROPSHEETPAGEW& Record() const { return psp; }

    static INT_PTR CALLBACK StaticPageProc(HWND window, UINT message, WPARAM wParam, LPARAM lParam);

protected:
    PROPSHEETPAGEW psp;
};
