#include "pages/window/TabAppearancePage.h"

#include "framework/Controls.h"
#include "resource.h"
#include "settings/SettingsKey.h"

namespace {
// The tab bar shows at least two tabs and at most eight; item i of the count combo is i + 2.
const DWORD kMinTabCount = 2;
const DWORD kMaxTabCount = 8;
// Tabs are 12 to 22 pixels high; the height combo lists them tallest first, item i is 22 - i.
const DWORD kMinTabHeight = 12;
const DWORD kMaxTabHeight = 22;

const DWORD kDefaultTabCount = 3;
const DWORD kDefaultHideSingle = 0;
const DWORD kDefaultPosition = 0;
const DWORD kDefaultDoubleTap = 1;

// Unsigned, so a negative number stored by mistake counts as large and shows the maximum.
DWORD Clamp(DWORD value, DWORD low, DWORD high)
{
    if (value <= low) value = low;
    if (value >= high) value = high;
    return value;
}
}  // namespace

TabAppearancePage::TabAppearancePage() : PropertyPage(IDD, 0)
{
}

BOOL TabAppearancePage::OnInitDialog(WPARAM wParam, LPARAM lParam)
{
    PropertyPage::OnInitDialog(wParam, lParam);

    SettingsKey settings;
    settings.Create(NULL, NULL);
    controls::SetFont(hwnd, HeaderFont(), {IDC_TAB_APPEARANCE_APPEARANCE_HEADER, IDC_TAB_APPEARANCE_POSITION_HEADER, IDC_TAB_APPEARANCE_ACTION_HEADER});

    controls::AddComboNumbers(hwnd, IDC_TAB_APPEARANCE_COUNT_COMBO, kMinTabCount, kMaxTabCount);
    DWORD count = Clamp(settings.ReadDwordOr(IDS_VALUE_TAB_COUNT, kDefaultTabCount), kMinTabCount, kMaxTabCount);
    controls::SelectComboIndex(hwnd, IDC_TAB_APPEARANCE_COUNT_COMBO, count - kMinTabCount);

    controls::AddComboNumbers(hwnd, IDC_TAB_APPEARANCE_HEIGHT_COMBO, kMaxTabHeight, kMinTabHeight, -1);
    DWORD height = Clamp(settings.ReadDwordOr(IDS_VALUE_TAB_HEIGHT, kMaxTabHeight), kMinTabHeight, kMaxTabHeight);
    controls::SelectComboIndex(hwnd, IDC_TAB_APPEARANCE_HEIGHT_COMBO, kMaxTabHeight - height);

    controls::SetCheck(hwnd, IDC_TAB_APPEARANCE_HIDE_SINGLE_CHECK, settings.ReadDwordOr(IDS_VALUE_TAB_HIDE_SINGLE, kDefaultHideSingle));

    // Positions are shown as stored: one the combo lacks leaves it without a selection.
    controls::AddComboStrings(hwnd, IDC_TAB_APPEARANCE_NEW_TAB_POS_COMBO, {IDS_TABS_NEXT_TO_CURRENT, IDS_TABS_END_OF_BAR});
    controls::SelectComboIndex(hwnd, IDC_TAB_APPEARANCE_NEW_TAB_POS_COMBO, settings.ReadDwordOr(IDS_VALUE_TAB_POS_NEW_TAB, kDefaultPosition));
    controls::AddComboStrings(hwnd, IDC_TAB_APPEARANCE_ACTIVATE_COMBO, {IDS_TABS_LEFT_TAB, IDS_TABS_RIGHT_TAB});
    controls::SelectComboIndex(hwnd, IDC_TAB_APPEARANCE_ACTIVATE_COMBO, settings.ReadDwordOr(IDS_VALUE_TAB_POS_ACTIVATE, kDefaultPosition));

    controls::SetCheck(hwnd, IDC_TAB_APPEARANCE_DOUBLE_TAP_CHECK, settings.ReadDwordOr(IDS_VALUE_TAB_DOUBLE_TAP, kDefaultDoubleTap));

    return TRUE;
}

void TabAppearancePage::OnOK()
{
    SettingsKey settings;
    settings.Create(NULL, NULL);
    settings.WriteDword(IDS_VALUE_TAB_COUNT, controls::ComboSelection(hwnd, IDC_TAB_APPEARANCE_COUNT_COMBO) + kMinTabCount);
    settings.WriteDword(IDS_VALUE_TAB_HEIGHT, kMaxTabHeight - controls::ComboSelection(hwnd, IDC_TAB_APPEARANCE_HEIGHT_COMBO));
    settings.WriteDword(IDS_VALUE_TAB_HIDE_SINGLE, controls::CheckState(hwnd, IDC_TAB_APPEARANCE_HIDE_SINGLE_CHECK));
    // A combo box without a selection stores -1.
    settings.WriteDword(IDS_VALUE_TAB_POS_NEW_TAB, controls::ComboSelection(hwnd, IDC_TAB_APPEARANCE_NEW_TAB_POS_COMBO));
    settings.WriteDword(IDS_VALUE_TAB_POS_ACTIVATE, controls::ComboSelection(hwnd, IDC_TAB_APPEARANCE_ACTIVATE_COMBO));
    settings.WriteDword(IDS_VALUE_TAB_DOUBLE_TAP, controls::CheckState(hwnd, IDC_TAB_APPEARANCE_DOUBLE_TAP_CHECK));
    PropertyPage::OnOK();
}
