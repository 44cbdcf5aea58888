// The "Menu" page through the real sheet and registry.
#include <gtest/gtest.h>

#include "include/corvane_options.h"
#include "resource.h"
#include "support/Fixtures.h"

namespace {

class MenuPageTest : public SheetTest {};

TEST_F(MenuPageTest, NothingStoredShowsDropDownsAndWritesAllFourOnOk)
{
    ExpectOk(Show(CORVANE_PAGE_MENU, [&](driver::Sheet& sheet) {
        EXPECT_EQ(sheet.ComboTexts(IDC_MENU_TAB_COMBO),
                  (std::vector<std::wstring>{L"Drop-down button", L"New Blank Tab button", L"New Current Tab button",
                                             L"New Home Tab button"}));
        EXPECT_EQ(sheet.ComboTexts(IDC_MENU_BACK_COMBO), (std::vector<std::wstring>{L"Drop-down button", L"Back button"}));
        EXPECT_EQ(sheet.ComboTexts(IDC_MENU_FORWARD_COMBO),
                  (std::vector<std::wstring>{L"Drop-down button", L"Forward button"}));
        EXPECT_EQ(sheet.ComboSelection(IDC_MENU_TAB_COMBO), 0);
        EXPECT_EQ(sheet.ComboSelection(IDC_MENU_BACK_COMBO), 0);
        EXPECT_EQ(sheet.ComboSelection(IDC_MENU_FORWARD_COMBO), 0);
        EXPECT_FALSE(sheet.Checked(IDC_MENU_SOFTKEY_CHECK));
        sheet.Ok();
    }));
    EXPECT_EQ(Dword(L"MenuTab"), 0u);
    EXPECT_EQ(Dword(L"MenuBack"), 0u);
    EXPECT_EQ(Dword(L"MenuForward"), 0u);
    EXPECT_EQ(Dword(L"MenuSoftKey"), 0u);
}

TEST_F(MenuPageTest, UserChoicesSurviveToTheNextCall)
{
    ExpectOk(Show(CORVANE_PAGE_MENU, [](driver::Sheet& sheet) {
        sheet.ChooseCombo(IDC_MENU_TAB_COMBO, 3);
        sheet.ChooseCombo(IDC_MENU_BACK_COMBO, 1);
        sheet.ChooseCombo(IDC_MENU_FORWARD_COMBO, 1);
        sheet.Click(IDC_MENU_SOFTKEY_CHECK);
        sheet.Ok();
    }));
    EXPECT_EQ(Dword(L"MenuTab"), 3u);
    EXPECT_EQ(Dword(L"MenuBack"), 1u);
    EXPECT_EQ(Dword(L"MenuForward"), 1u);
    EXPECT_EQ(Dword(L"MenuSoftKey"), 1u);

    ExpectRanOn(CORVANE_PAGE_MENU, Show(CORVANE_PAGE_MENU, [&](driver::Sheet& sheet) {
        EXPECT_EQ(sheet.ComboSelection(IDC_MENU_TAB_COMBO), 3);
        EXPECT_TRUE(sheet.Checked(IDC_MENU_SOFTKEY_CHECK));
    }));
}

TEST_F(MenuPageTest, OutOfRangeChoicesShowNothingAndStoreMinusOne)
{
    WriteDword(L"MenuTab", 4);
    WriteDword(L"MenuBack", 2);
    WriteDword(L"MenuForward", 0xFFFFFFFF);
    ExpectOk(Show(CORVANE_PAGE_MENU, [&](driver::Sheet& sheet) {
        EXPECT_EQ(sheet.ComboSelection(IDC_MENU_TAB_COMBO), -1);
        EXPECT_EQ(sheet.ComboSelection(IDC_MENU_BACK_COMBO), -1);
        sheet.Ok();
    }));
    EXPECT_EQ(Dword(L"MenuTab"), 0xFFFFFFFFu);
    EXPECT_EQ(Dword(L"MenuBack"), 0xFFFFFFFFu);
    EXPECT_EQ(Dword(L"MenuForward"), 0xFFFFFFFFu);
}

TEST_F(MenuPageTest, SoftKeyBoxIsDisabledBelowPlatformLevelFiveButStillSaved)
{
    WriteDword(L"MenuSoftKey", 1);
    driver::HostArgs args = Args(CORVANE_PAGE_MENU);
    args.platformLevel = 4;
    ExpectOk(Show(args, [&](driver::Sheet& sheet) {
        EXPECT_FALSE(sheet.Enabled(IDC_MENU_SOFTKEY_CHECK));
        EXPECT_TRUE(sheet.Checked(IDC_MENU_SOFTKEY_CHECK));
        sheet.Ok();
    }));
    EXPECT_EQ(Dword(L"MenuSoftKey"), 1u);

    args.platformLevel = 5;
    ExpectRanOn(CORVANE_PAGE_MENU,
                Show(args, [&](driver::Sheet& sheet) { EXPECT_TRUE(sheet.Enabled(IDC_MENU_SOFTKEY_CHECK)); }));
}

TEST_F(MenuPageTest, CancelWritesNothingButTheKeyExists)
{
    Show(CORVANE_PAGE_MENU, [](driver::Sheet& sheet) {
        sheet.ChooseCombo(IDC_MENU_TAB_COMBO, 2);
        sheet.Cancel();
    });
    EXPECT_TRUE(testreg::KeyExists(HKEY_CURRENT_USER, SettingsPath())) << "opening the page creates the key";
    EXPECT_TRUE(testreg::ValueNames(HKEY_CURRENT_USER, SettingsPath()).empty());
}

TEST_F(MenuPageTest, PageNeverShownWritesNothingOnOk)
{
    ExpectOk(Show(CORVANE_PAGE_BUTTONS, [](driver::Sheet& sheet) { sheet.Ok(); }));
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
        ExpectOk(Show(CORVANE_PAGE_MENU, [&](driver::Sheet& sheet) {
            EXPECT_EQ(sheet.ComboSelection(IDC_MENU_BACK_COMBO), static_cast<int>(back));
            EXPECT_EQ(sheet.ComboSelection(IDC_MENU_FORWARD_COMBO), static_cast<int>(1 - back));
            sheet.Ok();
        }));
        EXPECT_EQ(Dword(L"MenuBack"), back);
        EXPECT_EQ(Dword(L"MenuForward"), 1 - back);
    }
}

}  // namespace
