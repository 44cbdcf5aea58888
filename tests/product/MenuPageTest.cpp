// The "Menu" page through the real sheet and registry.
#include <gtest/gtest.h>

#include "resource.h"
#include "support/Fixtures.h"

namespace {

const int kMenuPage = 5;

class MenuPageTest : public SheetTest {};

TEST_F(MenuPageTest, NothingStoredShowsDropDownsAndWritesAllFourOnOk)
{
    std::vector<std::wstring> tabChoices, backChoices, forwardChoices;
    int tab = -2, back = -2, forward = -2;
    bool softKey = true;
    Show(kMenuPage, [&](driver::Sheet& sheet) {
        tabChoices = sheet.ComboTexts(IDC_MENU_TAB_COMBO);
        backChoices = sheet.ComboTexts(IDC_MENU_BACK_COMBO);
        forwardChoices = sheet.ComboTexts(IDC_MENU_FORWARD_COMBO);
        tab = sheet.ComboSelection(IDC_MENU_TAB_COMBO);
        back = sheet.ComboSelection(IDC_MENU_BACK_COMBO);
        forward = sheet.ComboSelection(IDC_MENU_FORWARD_COMBO);
        softKey = sheet.Checked(IDC_MENU_SOFTKEY_CHECK);
        sheet.Ok();
    });
    EXPECT_EQ(tabChoices, (std::vector<std::wstring>{L"Drop-down button", L"New Blank Tab button",
                                                     L"New Current Tab button", L"New Home Tab button"}));
    EXPECT_EQ(backChoices, (std::vector<std::wstring>{L"Drop-down button", L"Back button"}));
    EXPECT_EQ(forwardChoices, (std::vector<std::wstring>{L"Drop-down button", L"Forward button"}));
    EXPECT_EQ(tab, 0);
    EXPECT_EQ(back, 0);
    EXPECT_EQ(forward, 0);
    EXPECT_FALSE(softKey);
    EXPECT_EQ(Dword(L"MenuTab"), 0u);
    EXPECT_EQ(Dword(L"MenuBack"), 0u);
    EXPECT_EQ(Dword(L"MenuForward"), 0u);
    EXPECT_EQ(Dword(L"MenuSoftKey"), 0u);
}

TEST_F(MenuPageTest, UserChoicesSurviveToTheNextCall)
{
    Show(kMenuPage, [](driver::Sheet& sheet) {
        sheet.ChooseCombo(IDC_MENU_TAB_COMBO, 3);
        sheet.ChooseCombo(IDC_MENU_BACK_COMBO, 1);
        sheet.ChooseCombo(IDC_MENU_FORWARD_COMBO, 1);
        sheet.Click(IDC_MENU_SOFTKEY_CHECK);
        sheet.Ok();
    });
    EXPECT_EQ(Dword(L"MenuTab"), 3u);
    EXPECT_EQ(Dword(L"MenuBack"), 1u);
    EXPECT_EQ(Dword(L"MenuForward"), 1u);
    EXPECT_EQ(Dword(L"MenuSoftKey"), 1u);

    int tab = -2;
    bool softKey = false;
    Show(kMenuPage, [&](driver::Sheet& sheet) {
        tab = sheet.ComboSelection(IDC_MENU_TAB_COMBO);
        softKey = sheet.Checked(IDC_MENU_SOFTKEY_CHECK);
    });
    EXPECT_EQ(tab, 3);
    EXPECT_TRUE(softKey);
}

TEST_F(MenuPageTest, OutOfRangeChoicesShowNothingAndStoreMinusOne)
{
    WriteDword(L"MenuTab", 4);
    WriteDword(L"MenuBack", 2);
    WriteDword(L"MenuForward", 0xFFFFFFFF);
    int tab = 0, back = 0;
    Show(kMenuPage, [&](driver::Sheet& sheet) {
        tab = sheet.ComboSelection(IDC_MENU_TAB_COMBO);
        back = sheet.ComboSelection(IDC_MENU_BACK_COMBO);
        sheet.Ok();
    });
    EXPECT_EQ(tab, -1);
    EXPECT_EQ(back, -1);
    EXPECT_EQ(Dword(L"MenuTab"), 0xFFFFFFFFu);
    EXPECT_EQ(Dword(L"MenuBack"), 0xFFFFFFFFu);
    EXPECT_EQ(Dword(L"MenuForward"), 0xFFFFFFFFu);
}

TEST_F(MenuPageTest, SoftKeyBoxIsDisabledBelowPlatformLevelFiveButStillSaved)
{
    WriteDword(L"MenuSoftKey", 1);
    driver::HostArgs args = Args(kMenuPage);
    args.platformLevel = 4;
    bool enabled = true, checked = false;
    Show(args, [&](driver::Sheet& sheet) {
        enabled = sheet.Enabled(IDC_MENU_SOFTKEY_CHECK);
        checked = sheet.Checked(IDC_MENU_SOFTKEY_CHECK);
        sheet.Ok();
    });
    EXPECT_FALSE(enabled);
    EXPECT_TRUE(checked);
    EXPECT_EQ(Dword(L"MenuSoftKey"), 1u);

    args.platformLevel = 5;
    Show(args, [&](driver::Sheet& sheet) { enabled = sheet.Enabled(IDC_MENU_SOFTKEY_CHECK); });
    EXPECT_TRUE(enabled);
}

TEST_F(MenuPageTest, CancelWritesNothingButTheKeyExists)
{
    Show(kMenuPage, [](driver::Sheet& sheet) {
        sheet.ChooseCombo(IDC_MENU_TAB_COMBO, 2);
        sheet.Cancel();
    });
    EXPECT_TRUE(testreg::KeyExists(HKEY_CURRENT_USER, SettingsPath())) << "opening the page creates the key";
    EXPECT_TRUE(testreg::ValueNames(HKEY_CURRENT_USER, SettingsPath()).empty());
}

TEST_F(MenuPageTest, PageNeverShownWritesNothingOnOk)
{
    Show(0, [](driver::Sheet& sheet) { sheet.Ok(); });
    DWORD value = 0;
    EXPECT_FALSE(ReadDword(L"MenuTab", &value));
}

// Back and forward share their default, so only stored values that differ show which value
// each box reads.
TEST_F(MenuPageTest, BackAndForwardShowTheirOwnStoredChoice)
{
    for (DWORD back : {0u, 1u}) {
        WriteDword(L"MenuBack", back);
        WriteDword(L"MenuForward", 1 - back);
        int shownBack = -2, shownForward = -2;
        Show(kMenuPage, [&](driver::Sheet& sheet) {
            shownBack = sheet.ComboSelection(IDC_MENU_BACK_COMBO);
            shownForward = sheet.ComboSelection(IDC_MENU_FORWARD_COMBO);
            sheet.Ok();
        });
        EXPECT_EQ(shownBack, static_cast<int>(back));
        EXPECT_EQ(shownForward, static_cast<int>(1 - back));
        EXPECT_EQ(Dword(L"MenuBack"), back);
        EXPECT_EQ(Dword(L"MenuForward"), 1 - back);
    }
}

}  // namespace
