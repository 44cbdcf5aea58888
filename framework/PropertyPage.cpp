#include "framework/PropertyPage.h"

#include "host/HostContext.h"

PropertyPage::PropertyPage(UINT templateId, UINT titleId) : Dialog(templateId, NULL), psp(), sheetIndex(-1)
{
    fullScreen = 0;
    psp.dwSize = sizeof(psp);
    psp.dwFlags = titleId ? PSP_USETITLE : 0;
    psp.hInstance = hostContext.instance;
    psp.pszTemplate = MAKEINTRESOURCEW(templateId & 0xFFFF);
    psp.hIcon = NULL;
    psp.pszTitle = titleId ? MAKEINTRESOURCEW(titleId & 0xFFFF) : NULL;
    psp.pfnDlgProc = StaticPageProc;
    psp.lParam = reinterpret_cast<LPARAM>(this);
    psp.pfnCallback = NULL;
    psp.pcRefParent = NULL;
}

PropertyPage::~PropertyPage()
{
}

BOOL PropertyPage::OnInitDialog(WPARAM wParam, LPARAM lParam)
{
    if (!Dialog::OnInitDialog(wParam, lParam)) return FALSE;
    // The empty menu bar belongs to the sheet, the page's parent.
    CreateMenuBar(GetParent(hwnd));
    return TRUE;
}

BOOL PropertyPage::OnNotify(WPARAM wParam, LPARAM lParam, LRESULT* result)
{
    const NMHDR* header = reinterpret_cast<const NMHDR*>(lParam);
    if (header) {
        if (header->code == static_cast<UINT>(PSN_APPLY)) OnApply();
        if (header->code == static_cast<UINT>(PSN_SETACTIVE)) OnSetActive();
    }
    // Not handled as far as the message result goes: PSN_APPLY is answered with
    // PSNRET_NOERROR and PSN_SETACTIVE accepts the activation.
    return Dialog::OnNotify(wParam, lParam, result);
}

BOOL PropertyPage::OnApply()
{
    OnOK();
    return TRUE;
}

BOOL PropertyPage::OnSetActive()
{
    if (sheetIndex >= 0) hostContext.activePage = sheetIndex;
    return TRUE;
}

INT_PTR CALLBACK PropertyPage::StaticPageProc(HWND window, UINT message, WPARAM wParam, LPARAM lParam)
{
    Dialog* dialog = NULL;
    if (message == WM_INITDIALOG) {
        const PROPSHEETPAGEW* record = reinterpret_cast<const PROPSHEETPAGEW*>(lParam);
        dialog = record ? reinterpret_cast<PropertyPage*>(record->lParam) : NULL;
        if (dialog) Bind(window, dialog);
    } else {
        dialog = BoundTo(window);
    }
    return Dispatch(dialog, window, message, wParam, lParam);
}
