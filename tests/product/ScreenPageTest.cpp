// The "Screen" page through the real sheet and registry.
#include <gtest/gtest.h>
#include <windows.h>
#include <commctrl.h>

#include "include/corvane_options.h"
#include "resource.h"
#include "support/Fixtures.h"

namespace {

const std::vector<int> kRestoreControls = {IDC_SCREEN_RESTORE_BUTTON_RADIO, IDC_SCREEN_RESTORE_BAR_RADIO,
                                           IDC_SCREEN_BAR_HEIGHT_COMBO, IDC_SCREEN_PIXELS_LABEL};

class ScreenPageTest : public SheetTest {
protected:
    static std::vector<bool> RestoreControlsEnabled(driver::Sheet& sheet)
    {
        std::vector<bool> enabled;
        for (int id : kRestoreControls) enabled.push_back(sheet.Enabled(id));
        return enabled;
    }
    static LRESULT Trackbar(driver::Sheet& sheet, UINT message, WPARAM wParam = 0, LPARAM lParam = 0)
    {
        return SendMessageW(sheet.Item(IDC_SCREEN_SENSITIVITY_TRACKBAR), message, wParam, lParam);
    }
};

const std::vector<bool> kAllEnabled(4, true);
const std::vector<bool> kAllDisabled(4, false);

TEST_F(ScreenPageTest, NothingStoredHidesEverythingAndOkWritesTheSevenValues)
{
    ExpectOk(Show(CORVANE_PAGE_SCREEN, [&](driver::Sheet& sheet) {
        // Nothing stored: every bar hidden, the restore button at 6 pixels, sensitivity 1.
        EXPECT_TRUE(sheet.Checked(IDC_SCREEN_HIDE_ADDRESS_BAR_CHECK));
        EXPECT_TRUE(sheet.Checked(IDC_SCREEN_HIDE_MENU_BAR_CHECK));
        EXPECT_TRUE(sheet.Checked(IDC_SCREEN_HIDE_VSCROLL_CHECK));
        EXPECT_TRUE(sheet.Checked(IDC_SCREEN_HIDE_HSCROLL_CHECK));
        EXPECT_TRUE(sheet.Checked(IDC_SCREEN_RESTORE_BUTTON_RADIO));
        EXPECT_FALSE(sheet.Checked(IDC_SCREEN_RESTORE_BAR_RADIO));
        EXPECT_EQ(sheet.ComboTexts(IDC_SCREEN_BAR_HEIGHT_COMBO),
                  (std::vector<std::wstring>{L"1", L"2", L"3", L"4", L"5", L"6", L"7", L"8", L"9", L"10", L"11", L"12"}));
        EXPECT_EQ(sheet.ComboSelection(IDC_SCREEN_BAR_HEIGHT_COMBO), 5) << "6 pixels";
        EXPECT_EQ(Trackbar(sheet, TBM_GETPOS), 1);
        EXPECT_EQ(Trackbar(sheet, TBM_GETRANGEMIN), 1);
        EXPECT_EQ(Trackbar(sheet, TBM_GETRANGEMAX), 16);
        EXPECT_EQ(Trackbar(sheet, TBM_GETLINESIZE), 1);
        EXPECT_EQ(Trackbar(sheet, TBM_GETPAGESIZE), 1);
        EXPECT_EQ(RestoreControlsEnabled(sheet), kAllEnabled);
        sheet.Ok();
    }));
    // OK writes what the page showed.
    EXPECT_EQ(Dword(L"FSAddressBar"), 0u);
    EXPECT_EQ(Dword(L"FSMenuBar"), 0u);
    EXPECT_EQ(Dword(L"FSRestoreBar"), 0u);
    EXPECT_EQ(Dword(L"FSRestoreBarHeight"), 6u);
    EXPECT_EQ(Dword(L"FSVScroll"), 0u);
    EXPECT_EQ(Dword(L"FSHScroll"), 0u);
    EXPECT_EQ(Dword(L"ScreenDragSensitivity"), 1u);
    EXPECT_EQ(testreg::ValueNames(HKEY_CURRENT_USER, SettingsPath()).size(), 7u) << "and not FSTab";
}

TEST_F(ScreenPageTest, ShowingThePageCreatesNoKey)
{
    Show(CORVANE_PAGE_SCREEN, [](driver::Sheet& sheet) { sheet.Cancel(); });
    EXPECT_FALSE(testreg::KeyExists(HKEY_CURRENT_USER, SettingsPath()));
}

TEST_F(ScreenPageTest, VisibleMenuBarDisablesTheRestoreControlsWhichAreStillSaved)
{
    WriteDword(L"FSMenuBar", 1);
    WriteDword(L"FSRestoreBar", 1);
    WriteDword(L"FSRestoreBarHeight", 9);
    ExpectOk(Show(CORVANE_PAGE_SCREEN, [&](driver::Sheet& sheet) {
        EXPECT_FALSE(sheet.Checked(IDC_SCREEN_HIDE_MENU_BAR_CHECK));
        EXPECT_TRUE(sheet.Checked(IDC_SCREEN_RESTORE_BAR_RADIO));
        EXPECT_EQ(RestoreControlsEnabled(sheet), kAllDisabled);
        sheet.Ok();
    }));
    EXPECT_EQ(Dword(L"FSMenuBar"), 1u);
    EXPECT_EQ(Dword(L"FSRestoreBar"), 1u);
    EXPECT_EQ(Dword(L"FSRestoreBarHeight"), 9u);
}

TEST_F(ScreenPageTest, HideMenuBarBoxSwitchesTheRestoreControlsAtOnce)
{
    ExpectOk(Show(CORVANE_PAGE_SCREEN, [&](driver::Sheet& sheet) {
        sheet.Click(IDC_SCREEN_HIDE_MENU_BAR_CHECK);
        EXPECT_EQ(RestoreControlsEnabled(sheet), kAllDisabled) << "menu bar shown";
        sheet.Click(IDC_SCREEN_HIDE_MENU_BAR_CHECK);
        EXPECT_EQ(RestoreControlsEnabled(sheet), kAllEnabled) << "menu bar hidden again";
        // Any notification from the box brings the controls in line with its state.
        SendMessageW(sheet.Item(IDC_SCREEN_HIDE_MENU_BAR_CHECK), BM_SETCHECK, BST_UNCHECKED, 0);
        EXPECT_EQ(RestoreControlsEnabled(sheet), kAllEnabled) << "no notification yet";
        SendMessageW(sheet.Page(), WM_COMMAND, MAKEWPARAM(IDC_SCREEN_HIDE_MENU_BAR_CHECK, BN_SETFOCUS),
                     reinterpret_cast<LPARAM>(sheet.Item(IDC_SCREEN_HIDE_MENU_BAR_CHECK)));
        EXPECT_EQ(RestoreControlsEnabled(sheet), kAllDisabled) << "after the box's notification";
        sheet.Ok();
    }));
    EXPECT_EQ(Dword(L"FSMenuBar"), 1u);
}

TEST_F(ScreenPageTest, OddStoredValuesShowTheirNearestMeaningAndAreSavedAsShown)
{
    struct Case {
        DWORD address, restoreBar, height, sensitivity;
        DWORD savedAddress, savedRestoreBar, savedHeight, savedSensitivity;
    };
    const Case cases[] = {
        {5, 2, 0, 0, 1, 1, 6, 1},
        {0xFFFFFFFF, 0xFFFFFFFF, 13, 40, 1, 1, 6, 16},
        {1, 0, 12, 16, 1, 0, 12, 16},
        {0, 1, 0xFFFFFFFF, 0xFFFFFFFF, 0, 1, 6, 1},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE("stored height " + std::to_string(c.height) + ", sensitivity " + std::to_string(c.sensitivity));
        WriteDword(L"FSAddressBar", c.address);
        WriteDword(L"FSRestoreBar", c.restoreBar);
        WriteDword(L"FSRestoreBarHeight", c.height);
        WriteDword(L"ScreenDragSensitivity", c.sensitivity);
        ExpectOk(Show(CORVANE_PAGE_SCREEN, [&](driver::Sheet& sheet) {
            EXPECT_EQ(sheet.Checked(IDC_SCREEN_HIDE_ADDRESS_BAR_CHECK), c.savedAddress == 0);
            EXPECT_EQ(sheet.Checked(IDC_SCREEN_RESTORE_BAR_RADIO), c.savedRestoreBar == 1);
            EXPECT_EQ(sheet.ComboSelection(IDC_SCREEN_BAR_HEIGHT_COMBO) + 1, static_cast<int>(c.savedHeight));
            EXPECT_EQ(Trackbar(sheet, TBM_GETPOS), static_cast<LRESULT>(c.savedSensitivity));
            sheet.Ok();
        }));
        EXPECT_EQ(Dword(L"FSAddressBar"), c.savedAddress);
        EXPECT_EQ(Dword(L"FSRestoreBar"), c.savedRestoreBar);
        EXPECT_EQ(Dword(L"FSRestoreBarHeight"), c.savedHeight);
        EXPECT_EQ(Dword(L"ScreenDragSensitivity"), c.savedSensitivity);
    }
}

TEST_F(ScreenPageTest, UserChoicesAreStoredAndShownNextTime)
{
    ExpectOk(Show(CORVANE_PAGE_SCREEN, [](driver::Sheet& sheet) {
        sheet.Click(IDC_SCREEN_HIDE_ADDRESS_BAR_CHECK);
        sheet.Click(IDC_SCREEN_RESTORE_BAR_RADIO);
        sheet.ChooseCombo(IDC_SCREEN_BAR_HEIGHT_COMBO, 11);
        sheet.Click(IDC_SCREEN_HIDE_VSCROLL_CHECK);
        sheet.Click(IDC_SCREEN_HIDE_HSCROLL_CHECK);
        // Two steps right from 1, as the arrow keys move it.
        HWND trackbar = sheet.Item(IDC_SCREEN_SENSITIVITY_TRACKBAR);
        SendMessageW(trackbar, WM_KEYDOWN, VK_RIGHT, 0);
        SendMessageW(trackbar, WM_KEYDOWN, VK_RIGHT, 0);
        sheet.Ok();
    }));
    EXPECT_EQ(Dword(L"FSAddressBar"), 1u);
    EXPECT_EQ(Dword(L"FSMenuBar"), 0u);
    EXPECT_EQ(Dword(L"FSRestoreBar"), 1u);
    EXPECT_EQ(Dword(L"FSRestoreBarHeight"), 12u);
    EXPECT_EQ(Dword(L"FSVScroll"), 1u);
    EXPECT_EQ(Dword(L"FSHScroll"), 1u);
    EXPECT_EQ(Dword(L"ScreenDragSensitivity"), 3u);

    // Shown next time as chosen.
    ExpectRanOn(CORVANE_PAGE_SCREEN, Show(CORVANE_PAGE_SCREEN, [&](driver::Sheet& sheet) {
        EXPECT_FALSE(sheet.Checked(IDC_SCREEN_HIDE_ADDRESS_BAR_CHECK));
        EXPECT_TRUE(sheet.Checked(IDC_SCREEN_RESTORE_BAR_RADIO));
        EXPECT_FALSE(sheet.Checked(IDC_SCREEN_RESTORE_BUTTON_RADIO));
        EXPECT_EQ(sheet.ComboSelection(IDC_SCREEN_BAR_HEIGHT_COMBO), 11);
        EXPECT_EQ(Trackbar(sheet, TBM_GETPOS), 3);
    }));
}

// The two scroll bars share their default, so only stored values that differ show which value
// each box reads. Stored inverted: 0 hides the bar, so its box is checked.
TEST_F(ScreenPageTest, ScrollBarBoxesShowTheirOwnStoredValue)
{
    for (DWORD vertical : {0u, 1u}) {
        WriteDword(L"FSVScroll", vertical);
        WriteDword(L"FSHScroll", 1 - vertical);
        ExpectOk(Show(CORVANE_PAGE_SCREEN, [&](driver::Sheet& sheet) {
            EXPECT_EQ(sheet.Checked(IDC_SCREEN_HIDE_VSCROLL_CHECK), vertical == 0);
            EXPECT_EQ(sheet.Checked(IDC_SCREEN_HIDE_HSCROLL_CHECK), vertical != 0);
            sheet.Ok();
        }));
        EXPECT_EQ(Dword(L"FSVScroll"), vertical);
        EXPECT_EQ(Dword(L"FSHScroll"), 1 - vertical);
    }
}

}  // namespace
