#include "pages/window/ScreenPage.h"

#include "framework/Controls.h"
#include "resource.h"
#include "settings/SettingsKey.h"

namespace {
const DWORD kMinBarHeight = 1;
const DWORD kMaxBarHeight = 12;
const DWORD kDefaultBarHeight = 6;
const int kMinSensitivity = 1;
const int kMaxSensitivity = 16;

// The "FS" values are stored inverted: nonzero keeps that bar visible in full screen, so
// nothing stored means everything is hidden.
DWORD Hidden(DWORD stored)
{
    return stored == 0 ? BST_CHECKED : BST_UNCHECKED;
}
DWORD Stored(DWORD checkState)
{
    return checkState == BST_CHECKED ? 0 : 1;
}
}  // namespace

ScreenPage::ScreenPage() : PropertyPage(IDD, 0)
{
}

BOOL ScreenPage::OnInitDialog(WPARAM wParam, LPARAM lParam)
{
    PropertyPage::OnInitDialog(wParam, lParam);
    controls::SetFont(hwnd, HeaderFont(), {IDC_SCREEN_FULL_SCREEN_HEADER, IDC_SCREEN_DRAG_HEADER});
    controls::AddComboNumbers(hwnd, IDC_SCREEN_BAR_HEIGHT_COMBO, kMinBarHeight, kMaxBarHeight);

    // Only opened: showing the page must not create the key.
    SettingsKey settings;
    settings.Open(NULL, RegKey::ReadOnly);
    controls::SetCheck(hwnd, IDC_SCREEN_HIDE_ADDRESS_BAR_CHECK, Hidden(settings.ReadDwordOr(IDS_VALUE_FS_ADDRESS_BAR, 0)));
    controls::SetCheck(hwnd, IDC_SCREEN_HIDE_MENU_BAR_CHECK, Hidden(settings.ReadDwordOr(IDS_VALUE_FS_MENU_BAR, 0)));
    UpdateRestoreControls();

    CheckRadioButton(hwnd, IDC_SCREEN_RESTORE_BUTTON_RADIO, IDC_SCREEN_RESTORE_BAR_RADIO,
                     settings.ReadDwordOr(IDS_VALUE_FS_RESTORE_BAR, 0) ? IDC_SCREEN_RESTORE_BAR_RADIO : IDC_SCREEN_RESTORE_BUTTON_RADIO);

    DWORD height = settings.ReadDwordOr(IDS_VALUE_FS_RESTORE_BAR_HEIGHT, kDefaultBarHeight);
    if (height < kMinBarHeight || height > kMaxBarHeight) height = kDefaultBarHeight;
    controls::SelectComboIndex(hwnd, IDC_SCREEN_BAR_HEIGHT_COMBO, height - kMinBarHeight);

    controls::SetCheck(hwnd, IDC_SCREEN_HIDE_VSCROLL_CHECK, Hidden(settings.ReadDwordOr(IDS_VALUE_FS_VSCROLL, 0)));
    controls::SetCheck(hwnd, IDC_SCREEN_HIDE_HSCROLL_CHECK, Hidden(settings.ReadDwordOr(IDS_VALUE_FS_HSCROLL, 0)));

    // The trackbar brings a stored sensitivity outside 1..16 to the nearer end.
    controls::SetUpTrackbar(hwnd, IDC_SCREEN_SENSITIVITY_TRACKBAR, kMinSensitivity, kMaxSensitivity, 1, 1,
                            static_cast<int>(settings.ReadDwordOr(IDS_VALUE_SCREEN_DRAG_SENSITIVITY, kMinSensitivity)));

    return TRUE;
}

BOOL ScreenPage::OnCommand(WPARAM wParam, LPARAM lParam)
{
    if (LOWORD(wParam) == IDC_SCREEN_HIDE_MENU_BAR_CHECK) {
        UpdateRestoreControls();
        return TRUE;
    }
    return PropertyPage::OnCommand(wParam, lParam);
}

void ScreenPage::OnOK()
{
    SettingsKey settings;
    settings.Create(NULL, NULL);
    settings.WriteDword(IDS_VALUE_FS_ADDRESS_BAR, Stored(controls::CheckState(hwnd, IDC_SCREEN_HIDE_ADDRESS_BAR_CHECK)));
    settings.WriteDword(IDS_VALUE_FS_MENU_BAR, Stored(controls::CheckState(hwnd, IDC_SCREEN_HIDE_MENU_BAR_CHECK)));
    // 0 for the restore button, 1 for the restore bar.
    settings.WriteDword(IDS_VALUE_FS_RESTORE_BAR,
                        controls::CheckState(hwnd, IDC_SCREEN_RESTORE_BUTTON_RADIO) == BST_CHECKED ? 0 : 1);
    settings.WriteDword(IDS_VALUE_FS_RESTORE_BAR_HEIGHT,
                        controls::ComboSelection(hwnd, IDC_SCREEN_BAR_HEIGHT_COMBO) + kMinBarHeight);
    settings.WriteDword(IDS_VALUE_FS_VSCROLL, Stored(controls::CheckState(hwnd, IDC_SCREEN_HIDE_VSCROLL_CHECK)));
    settings.WriteDword(IDS_VALUE_FS_HSCROLL, Stored(controls::CheckState(hwnd, IDC_SCREEN_HIDE_HSCROLL_CHECK)));
    settings.WriteDword(IDS_VALUE_SCREEN_DRAG_SENSITIVITY,
                        static_cast<DWORD>(controls::TrackbarPosition(hwnd, IDC_SCREEN_SENSITIVITY_TRACKBAR)));
    PropertyPage::OnOK();
}

void ScreenPage::UpdateRestoreControls()
{
    BOOL menuBarHidden = controls::CheckState(hwnd, IDC_SCREEN_HIDE_MENU_BAR_CHECK) == BST_CHECKED;
    controls::EnableControls(hwnd, menuBarHidden,
                             {IDC_SCREEN_RESTORE_BUTTON_RADIO, IDC_SCREEN_RESTORE_BAR_RADIO, IDC_SCREEN_PIXELS_LABEL,
                              IDC_SCREEN_BAR_HEIGHT_COMBO});
}
