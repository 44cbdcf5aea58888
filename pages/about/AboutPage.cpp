#include "pages/about/AboutPage.h"

#include <string>
#include <vector>

#include "framework/Controls.h"
#include "host/HostContext.h"
#include "resource.h"

namespace {
const COLORREF kLinkColour = RGB(0, 0, 255);
const COLORREF kAccentColour = RGB(255, 71, 71);
}  // namespace

AboutPage::AboutPage() : PropertyPage(IDD, 0)
{
}

BOOL AboutPage::OnInitDialog(WPARAM wParam, LPARAM lParam)
{
    PropertyPage::OnInitDialog(wParam, lParam);

    linkFont.Reset(controls::CreatePageFont(hwnd, controls::PageFontStyle::Link));
    controls::SetFont(hwnd, linkFont.Get(), {IDC_ABOUT_LINK_LABEL});
    controls::SetFont(hwnd, HeaderFont(), {IDC_ABOUT_NAME_LABEL, IDC_ABOUT_NAME_ACCENT_LABEL, IDC_ABOUT_VERSION_LABEL});

    std::wstring version = L"V";
    if (hostContext.version) version += hostContext.version;
    SetDlgItemTextW(hwnd, IDC_ABOUT_VERSION_LABEL, version.c_str());
    return TRUE;
}

BOOL AboutPage::OnCommand(WPARAM wParam, LPARAM lParam)
{
    if (LOWORD(wParam) != IDC_ABOUT_LINK_LABEL) return PropertyPage::OnCommand(wParam, lParam);
    // Only a tap opens the link; a double tap's second notification, enabling and disabling do not.
    if (HIWORD(wParam) != STN_CLICKED) return TRUE;

    // The whole address, however long: a cut one would open some other page.
    const std::wstring address = controls::WindowText(GetDlgItem(hwnd, IDC_ABOUT_LINK_LABEL));
    if (address.empty()) return TRUE;

    SHELLEXECUTEINFOW info = {};
    info.cbSize = sizeof(info);
    info.fMask = SEE_MASK_NOCLOSEPROCESS;
    info.hwnd = hwnd;
    info.lpVerb = L"open";
    info.lpFile = address.c_str();
    // Zero would be SW_HIDE: a browser started for the link must show.
    info.nShow = SW_SHOWNORMAL;
    // Failure leaves the page as it is; there is no one to tell.
    if (ShellExecuteExW(&info) && info.hProcess) CloseHandle(info.hProcess);
    return TRUE;
}

HBRUSH AboutPage::OnCtlColorStatic(HDC dc, HWND control)
{
    HBRUSH brush = PropertyPage::OnCtlColorStatic(dc, control);
    switch (GetDlgCtrlID(control)) {
    case IDC_ABOUT_LINK_LABEL:
        SetTextColor(dc, kLinkColour);
        break;
    case IDC_ABOUT_NAME_ACCENT_LABEL:
        SetTextColor(dc, kAccentColour);
        break;
    }
    return brush;
}

void AboutPage::OnOK()
{
    // Nothing to save: the page only shows.
    PropertyPage::OnOK();
}
