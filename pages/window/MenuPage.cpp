#include "pages/window/MenuPage.h"

#include "framework/Controls.h"
#include "host/HostContext.h"
#include "resource.h"
#include "settings/SettingsKey.h"

namespace {
// Below this platform level there is no soft-key menu bar to enable.
const int kSoftKeyPlatformLevel = 5;
}  // namespace

MenuPage::MenuPage() : PropertyPage(IDD, 0)
{
}

BOOL MenuPage::OnInitDialog(WPARAM wParam, LPARAM lParam)
{
    PropertyPage::OnInitDialog(wParam, lParam);

    // Created, not just opened, so the key exists once the page has been shown.
    SettingsKey settings;
    settings.Create(NULL, NULL);

    controls::SetFont(hwnd, HeaderFont(),
                      {IDC_MENU_TAB_HEADER, IDC_MENU_BACK_HEADER, IDC_MENU_FORWARD_HEADER, IDC_MENU_MENUBAR_HEADER});

    // Index 0 is always the drop-down button.
    controls::AddComboStrings(hwnd, IDC_MENU_TAB_COMBO,
                              {IDS_MENU_DROPDOWN, IDS_MENU_NEW_BLANK_TAB, IDS_MENU_NEW_CURRENT_TAB, IDS_MENU_NEW_HOME_TAB});
    controls::AddComboStrings(hwnd, IDC_MENU_BACK_COMBO, {IDS_MENU_DROPDOWN, IDS_MENU_BACK});
    controls::AddComboStrings(hwnd, IDC_MENU_FORWARD_COMBO, {IDS_MENU_DROPDOWN, IDS_MENU_FORWARD});

    controls::SelectComboIndex(hwnd, IDC_MENU_TAB_COMBO, settings.ReadDwordOr(IDS_VALUE_MENU_TAB, 0));
    controls::SelectComboIndex(hwnd, IDC_MENU_BACK_COMBO, settings.ReadDwordOr(IDS_VALUE_MENU_BACK, 0));
    controls::SelectComboIndex(hwnd, IDC_MENU_FORWARD_COMBO, settings.ReadDwordOr(IDS_VALUE_MENU_FORWARD, 0));

    controls::SetCheck(hwnd, IDC_MENU_SOFTKEY_CHECK, settings.ReadDwordOr(IDS_VALUE_MENU_SOFT_KEY, 0));
    // Still shown and still saved, only not changeable.
    if (hostContext.platformLevel < kSoftKeyPlatformLevel)
        EnableWindow(GetDlgItem(hwnd, IDC_MENU_SOFTKEY_CHECK), FALSE);

    return TRUE;
}

void MenuPage::OnOK()
{
    SettingsKey settings;
    settings.Create(NULL, NULL);
    // A combo box without a selection stores -1.
    settings.WriteDword(IDS_VALUE_MENU_TAB, controls::ComboSelection(hwnd, IDC_MENU_TAB_COMBO));
    settings.WriteDword(IDS_VALUE_MENU_BACK, controls::ComboSelection(hwnd, IDC_MENU_BACK_COMBO));
    settings.WriteDword(IDS_VALUE_MENU_FORWARD, controls::ComboSelection(hwnd, IDC_MENU_FORWARD_COMBO));
    settings.WriteDword(IDS_VALUE_MENU_SOFT_KEY, controls::CheckState(hwnd, IDC_MENU_SOFTKEY_CHECK));
    PropertyPage::OnOK();
}
