#include "pages/window/ViewPage.h"

#include <string>
#include <vector>

#include "framework/Controls.h"
#include "host/HostContext.h"
#include "resource.h"
#include "settings/SettingsKey.h"

namespace {
const wchar_t kDefaultViewSourceApp[] = L"\\windows\\notes.exe";
const DWORD kDefaultSplitTextLength = 24;
// The spinner runs from 8 to 99 characters: maximum in the low word, minimum in the high.
const DWORD kMinSplitTextLength = 8;
const DWORD kMaxSplitTextLength = 99;
const LPARAM kSplitLengthRange = MAKELPARAM(kMaxSplitTextLength, kMinSplitTextLength);
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

// The number a length box shows, read as a person reads it (thousands separators and spaces
// aside, as large as it is); false when it shows no number.
bool ShownNumber(const std::wstring& text, DWORD* number)
{
    unsigned long long value = 0;
    bool digits = false;
    for (wchar_t c : text) {
        if (c == L',' || c == L' ') continue;
        if (c < L'0' || c > L'9') return false;
        digits = true;
        if (value <= MAXDWORD) value = value * 10 + static_cast<unsigned>(c - L'0');
    }
    if (!digits) return false;
    *number = value > MAXDWORD ? MAXDWORD : static_cast<DWORD>(value);
    return true;
}
}  // namespace

ViewPage::ViewPage() : PropertyPage(IDD, 0)
{
}

BOOL ViewPage::OnInitDialog(WPARAM wParam, LPARAM lParam)
{
    PropertyPage::OnInitDialog(wParam, lParam);

    SettingsKey settings;
    settings.Create(NULL, NULL);
    controls::SetFont(hwnd, HeaderFont(), {IDC_VIEW_POCKET_VIEW_HEADER, IDC_VIEW_SOURCE_HEADER});

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

    return TRUE;
}

BOOL ViewPage::OnCommand(WPARAM wParam, LPARAM lParam)
{
    // Leaving the box shows the length that will be stored.
    if (LOWORD(wParam) == IDC_VIEW_SPLIT_LENGTH_EDIT && HIWORD(wParam) == EN_KILLFOCUS) {
        SettleSplitLength();
        return TRUE;
    }
    return PropertyPage::OnCommand(wParam, lParam);
}

DWORD ViewPage::SettleSplitLength()
{
    // A typed length the spinner has not taken (150, or 5) makes it report its last position
    // with an error flag; the user sees the typed number, so that is the one that counts. A box
    // showing no number at all keeps the spinner's position.
    HWND spin = GetDlgItem(hwnd, IDC_VIEW_SPLIT_LENGTH_SPIN);
    DWORD length = LOWORD(SendMessageW(spin, UDM_GETPOS, 0, 0));
    ShownNumber(controls::WindowText(GetDlgItem(hwnd, IDC_VIEW_SPLIT_LENGTH_EDIT)), &length);
    if (length < kMinSplitTextLength) length = kMinSplitTextLength;
    if (length > kMaxSplitTextLength) length = kMaxSplitTextLength;
    SendMessageW(spin, UDM_SETPOS, 0, MAKELPARAM(length, 0));
    return length;
}

void ViewPage::OnOK()
{
    SettingsKey settings;
    settings.Create(NULL, NULL);
    settings.WriteDword(IDS_VALUE_SPLIT_TEXT, controls::CheckState(hwnd, IDC_VIEW_SPLIT_TEXT_CHECK));
    settings.WriteDword(IDS_VALUE_SPLIT_TEXT_LEN, SettleSplitLength());
    settings.WriteDword(IDS_VALUE_COMBINE_TD, controls::CheckState(hwnd, IDC_VIEW_COMBINE_TD_CHECK));
    settings.WriteDword(IDS_VALUE_SPLIT_PRE, controls::CheckState(hwnd, IDC_VIEW_SPLIT_PRE_CHECK));
    settings.WriteString(IDS_VALUE_VIEW_SOURCE_APP, controls::WindowText(GetDlgItem(hwnd, IDC_VIEW_SOURCE_APP_EDIT)).c_str());
    PropertyPage::OnOK();
}
