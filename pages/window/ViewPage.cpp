#include "pages/window/ViewPage.h"

#include <string>
#include <vector>

#include "framework/Controls.h"
#include "host/HostContext.h"
#include "pages/SheetPages.h"
#include "resource.h"
#include "settings/SettingsKey.h"

namespace {
const wchar_t kDefaultViewSourceApp[] = L"\\windows\\notes.exe";
const DWORD kDefaultSplitTextLength = 24;
// The spinner runs from 8 to 99 characters: maximum in the low word, minimum in the high.
const LPARAM kSplitLengthRange = MAKELPARAM(99, 8);
// The up-down's version as the device's common controls report it.
const UINT kSetVersion = 0x2007;
const WPARAM kCommonControlsVersion = 0x20C;
// Above this platform level the browser has no <PRE> splitting to configure.
const int kSplitPrePlatformLevel = 2;

// The stored path whatever its length, so a long one is shown and saved back whole; a value
// that is absent or not a string leaves the default.
std::wstring ReadPath(SettingsKey& settings, UINT nameId, LPCWSTR fallback)
{
    LPCWSTR name = ResourceText(nameId);
    DWORD type = 0, size = 0;
    if (!*name || !settings.QueryValue(name, NULL, &type, &size) || type != REG_SZ) return fallback;
    // Room for a terminator the stored data may lack.
    std::vector<wchar_t> buffer(size / sizeof(wchar_t) + 2, L'\0');
    size = static_cast<DWORD>(buffer.size() * sizeof(wchar_t));
    if (!settings.ReadString(name, buffer.data(), &size)) return fallback;
    return buffer.data();
}

std::wstring WindowText(HWND window)
{
    std::vector<wchar_t> text(GetWindowTextLengthW(window) + 1, L'\0');
    GetWindowTextW(window, text.data(), static_cast<int>(text.size()));
    return text.data();
}
}  // namespace

ViewPage::ViewPage() : PropertyPage(IDD_VIEW, 0)
{
}

BOOL ViewPage::OnInitDialog(WPARAM wParam, LPARAM lParam)
{
    PropertyPage::OnInitDialog(wParam, lParam);

    SettingsKey settings;
    settings.Create(NULL, NULL);
    controls::SetFont(hwnd, headerFont, {IDC_VIEW_POCKET_VIEW_HEADER, IDC_VIEW_SOURCE_HEADER});

    controls::SetCheck(hwnd, IDC_VIEW_SPLIT_TEXT_CHECK, settings.ReadDwordOr(IDS_VALUE_SPLIT_TEXT, 1));

    // The up-down brings a length outside its range to the nearer end.
    HWND spin = GetDlgItem(hwnd, IDC_VIEW_SPLIT_LENGTH_SPIN);
    DWORD length = settings.ReadDwordOr(IDS_VALUE_SPLIT_TEXT_LEN, kDefaultSplitTextLength);
    SendMessageW(spin, kSetVersion, kCommonControlsVersion, 0);
    SendMessageW(spin, UDM_SETRANGE, 0, kSplitLengthRange);
    SendMessageW(spin, UDM_SETPOS, 0, MAKELPARAM(LOWORD(length), 0));

    controls::SetCheck(hwnd, IDC_VIEW_COMBINE_TD_CHECK, settings.ReadDwordOr(IDS_VALUE_COMBINE_TD, 1));
    controls::SetCheck(hwnd, IDC_VIEW_SPLIT_PRE_CHECK, settings.ReadDwordOr(IDS_VALUE_SPLIT_PRE, 1));
    // Still shown and still saved, only not changeable.
    if (hostContext.platformLevel > kSplitPrePlatformLevel)
        EnableWindow(GetDlgItem(hwnd, IDC_VIEW_SPLIT_PRE_CHECK), FALSE);

    // An empty stored path stays empty: the default is only for a path never stored.
    std::wstring path = ReadPath(settings, IDS_VALUE_VIEW_SOURCE_APP, kDefaultViewSourceApp);
    SetDlgItemTextW(hwnd, IDC_VIEW_SOURCE_APP_EDIT, path.c_str());

    settings.Close();
    return TRUE;
}

void ViewPage::OnOK()
{
    SettingsKey settings;
    settings.Create(NULL, NULL);
    settings.WriteDword(IDS_VALUE_SPLIT_TEXT, controls::CheckState(hwnd, IDC_VIEW_SPLIT_TEXT_CHECK));
    // Only the position: while the box holds text the up-down cannot read, it reports its last
    // good position with an error flag in the high word, which is no length.
    DWORD position = static_cast<DWORD>(SendDlgItemMessageW(hwnd, IDC_VIEW_SPLIT_LENGTH_SPIN, UDM_GETPOS, 0, 0));
    settings.WriteDword(IDS_VALUE_SPLIT_TEXT_LEN, LOWORD(position));
    settings.WriteDword(IDS_VALUE_COMBINE_TD, controls::CheckState(hwnd, IDC_VIEW_COMBINE_TD_CHECK));
    settings.WriteDword(IDS_VALUE_SPLIT_PRE, controls::CheckState(hwnd, IDC_VIEW_SPLIT_PRE_CHECK));
    settings.WriteString(IDS_VALUE_VIEW_SOURCE_APP, WindowText(GetDlgItem(hwnd, IDC_VIEW_SOURCE_APP_EDIT)).c_str());
    settings.Close();
    PropertyPage::OnOK();
}

BOOL ViewPage::OnSetActive()
{
    hostContext.activePage = kPageView;
    return PropertyPage::OnSetActive();
}
