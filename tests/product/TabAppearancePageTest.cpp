// The "Tab 1" page through the real sheet and registry.
#include <gtest/gtest.h>

#include "include/corvane_options.h"
#include "resource.h"
#include "support/Fixtures.h"

namespace {

class TabAppearancePageTest : public SheetTest {
protected:
    // Opens the page, checks what the count and height combos show for the stored values,
    // and closes it with OK, which stores what they show.
    void ShowExpectingAndApply(const std::wstring& count, const std::wstring& height) const
    {
        ExpectOk(Show(CORVANE_PAGE_TAB_APPEARANCE, [&](driver::Sheet& sheet) {
            EXPECT_EQ(sheet.ComboText(IDC_TAB_APPEARANCE_COUNT_COMBO, sheet.ComboSelection(IDC_TAB_APPEARANCE_COUNT_COMBO)),
                      count);
            EXPECT_EQ(sheet.ComboText(IDC_TAB_APPEARANCE_HEIGHT_COMBO,
                                      sheet.ComboSelection(IDC_TAB_APPEARANCE_HEIGHT_COMBO)),
                      height);
            sheet.Ok();
        }));
    }
};

TEST_F(TabAppearancePageTest, NothingStoredShowsDefaultsAndOkWritesExactlyTheSixValues)
{
    ExpectOk(Show(CORVANE_PAGE_TAB_APPEARANCE, [&](driver::Sheet& sheet) {
        EXPECT_EQ(sheet.ComboTexts(IDC_TAB_APPEARANCE_COUNT_COMBO),
                  (std::vector<std::wstring>{L"2", L"3", L"4", L"5", L"6", L"7", L"8"}));
        EXPECT_EQ(sheet.ComboTexts(IDC_TAB_APPEARANCE_HEIGHT_COMBO),
                  (std::vector<std::wstring>{L"22", L"21", L"20", L"19", L"18", L"17", L"16", L"15", L"14", L"13",
                                             L"12"}));
        EXPECT_EQ(sheet.ComboTexts(IDC_TAB_APPEARANCE_NEW_TAB_POS_COMBO),
                  (std::vector<std::wstring>{L"Next to Current Tab", L"End of Tab bar"}));
        EXPECT_EQ(sheet.ComboTexts(IDC_TAB_APPEARANCE_ACTIVATE_COMBO),
                  (std::vector<std::wstring>{L"Left tab", L"Right tab"}));
        EXPECT_EQ(sheet.ComboSelection(IDC_TAB_APPEARANCE_COUNT_COMBO), 1) << "3 tabs";
        EXPECT_EQ(sheet.ComboSelection(IDC_TAB_APPEARANCE_HEIGHT_COMBO), 0) << "22 pixels";
        EXPECT_EQ(sheet.ComboSelection(IDC_TAB_APPEARANCE_NEW_TAB_POS_COMBO), 0);
        EXPECT_EQ(sheet.ComboSelection(IDC_TAB_APPEARANCE_ACTIVATE_COMBO), 0);
        EXPECT_FALSE(sheet.Checked(IDC_TAB_APPEARANCE_HIDE_SINGLE_CHECK));
        EXPECT_TRUE(sheet.Checked(IDC_TAB_APPEARANCE_DOUBLE_TAP_CHECK));
        sheet.Ok();
    }));
    EXPECT_EQ(Dword(L"TabCount"), 3u);
    EXPECT_EQ(Dword(L"TabHeight"), 22u);
    EXPECT_EQ(Dword(L"TabHideSingle"), 0u);
    EXPECT_EQ(Dword(L"TabPosNewTab"), 0u);
    EXPECT_EQ(Dword(L"TabPosActivate"), 0u);
    EXPECT_EQ(Dword(L"TabDoubleTap"), 1u);
    EXPECT_EQ(testreg::ValueNames(HKEY_CURRENT_USER, SettingsPath()).size(), 6u);
}

TEST_F(TabAppearancePageTest, CountAndHeightAreClampedAsUnsignedNumbers)
{
    struct Case {
        DWORD stored;
        const wchar_t* shown;
        DWORD saved;
    };
    const Case counts[] = {{0, L"2", 2}, {1, L"2", 2}, {2, L"2", 2}, {7, L"7", 7},
                           {12, L"8", 8}, {0xFFFFFFFF, L"8", 8}, {0x80000000, L"8", 8}};
    const Case heights[] = {{0, L"12", 12}, {5, L"12", 12}, {13, L"13", 13}, {22, L"22", 22},
                            {30, L"22", 22}, {0xFFFFFFFF, L"22", 22}, {0x80000001, L"22", 22}};
    static_assert(sizeof(counts) / sizeof(counts[0]) == sizeof(heights) / sizeof(heights[0]), "paired cases");
    for (size_t i = 0; i < sizeof(counts) / sizeof(counts[0]); ++i) {
        SCOPED_TRACE("count " + std::to_string(counts[i].stored) + ", height " + std::to_string(heights[i].stored));
        WriteDword(L"TabCount", counts[i].stored);
        WriteDword(L"TabHeight", heights[i].stored);
        ShowExpectingAndApply(counts[i].shown, heights[i].shown);
        EXPECT_EQ(Dword(L"TabCount"), counts[i].saved);
        EXPECT_EQ(Dword(L"TabHeight"), heights[i].saved);
    }
}

TEST_F(TabAppearancePageTest, PositionsOutOfRangeShowNoChoiceAndStoreMinusOne)
{
    WriteDword(L"TabPosNewTab", 2);
    WriteDword(L"TabPosActivate", 0xFFFFFFFF);
    ExpectOk(Show(CORVANE_PAGE_TAB_APPEARANCE, [&](driver::Sheet& sheet) {
        EXPECT_EQ(sheet.ComboSelection(IDC_TAB_APPEARANCE_NEW_TAB_POS_COMBO), -1);
        EXPECT_EQ(sheet.ComboSelection(IDC_TAB_APPEARANCE_ACTIVATE_COMBO), -1);
        sheet.Ok();
    }));
    EXPECT_EQ(Dword(L"TabPosNewTab"), 0xFFFFFFFFu);
    EXPECT_EQ(Dword(L"TabPosActivate"), 0xFFFFFFFFu);

    // Stored as they stand: nothing in range is changed on the way.
    WriteDword(L"TabPosNewTab", 1);
    WriteDword(L"TabPosActivate", 1);
    ExpectRanOn(CORVANE_PAGE_TAB_APPEARANCE, Show(CORVANE_PAGE_TAB_APPEARANCE, [&](driver::Sheet& sheet) {
        EXPECT_EQ(sheet.ComboSelection(IDC_TAB_APPEARANCE_NEW_TAB_POS_COMBO), 1);
        EXPECT_EQ(sheet.ComboSelection(IDC_TAB_APPEARANCE_ACTIVATE_COMBO), 1);
    }));
}

TEST_F(TabAppearancePageTest, UserChoicesAreStoredInTheirFormsAndShownNextTime)
{
    ExpectOk(Show(CORVANE_PAGE_TAB_APPEARANCE, [](driver::Sheet& sheet) {
        sheet.ChooseCombo(IDC_TAB_APPEARANCE_COUNT_COMBO, 6);
        sheet.ChooseCombo(IDC_TAB_APPEARANCE_HEIGHT_COMBO, 10);
        sheet.Click(IDC_TAB_APPEARANCE_HIDE_SINGLE_CHECK);
        sheet.ChooseCombo(IDC_TAB_APPEARANCE_NEW_TAB_POS_COMBO, 1);
        sheet.ChooseCombo(IDC_TAB_APPEARANCE_ACTIVATE_COMBO, 1);
        sheet.Click(IDC_TAB_APPEARANCE_DOUBLE_TAP_CHECK);
        sheet.Ok();
    }));
    EXPECT_EQ(Dword(L"TabCount"), 8u);
    EXPECT_EQ(Dword(L"TabHeight"), 12u);
    EXPECT_EQ(Dword(L"TabHideSingle"), 1u);
    EXPECT_EQ(Dword(L"TabPosNewTab"), 1u);
    EXPECT_EQ(Dword(L"TabPosActivate"), 1u);
    EXPECT_EQ(Dword(L"TabDoubleTap"), 0u);

    ShowExpectingAndApply(L"8", L"12");
}

TEST_F(TabAppearancePageTest, ValueOfAnotherTypeReadsAsAbsent)
{
    // Four bytes of text would otherwise arrive as a number: "5" as 53, shown as 8 tabs.
    testreg::WriteString(HKEY_CURRENT_USER, SettingsPath(), L"TabCount", L"5");
    testreg::WriteString(HKEY_CURRENT_USER, SettingsPath(), L"TabDoubleTap", L"");
    // The height is what nothing stored shows.
    ShowExpectingAndApply(L"3", L"22");
    EXPECT_EQ(Dword(L"TabCount"), 3u);
    EXPECT_EQ(Dword(L"TabDoubleTap"), 1u);
}

TEST_F(TabAppearancePageTest, CancelWritesNothing)
{
    Show(CORVANE_PAGE_TAB_APPEARANCE, [](driver::Sheet& sheet) {
        sheet.ChooseCombo(IDC_TAB_APPEARANCE_COUNT_COMBO, 0);
        sheet.Cancel();
    });
    EXPECT_TRUE(testreg::ValueNames(HKEY_CURRENT_USER, SettingsPath()).empty());
}

// Only stored values that differ from each other show which value each of the two boxes reads.
TEST_F(TabAppearancePageTest, HideSingleAndDoubleTapShowTheirOwnStoredValue)
{
    for (DWORD hide : {0u, 1u}) {
        WriteDword(L"TabHideSingle", hide);
        WriteDword(L"TabDoubleTap", 1 - hide);
        ExpectOk(Show(CORVANE_PAGE_TAB_APPEARANCE, [&](driver::Sheet& sheet) {
            EXPECT_EQ(sheet.Checked(IDC_TAB_APPEARANCE_HIDE_SINGLE_CHECK), hide != 0);
            EXPECT_EQ(sheet.Checked(IDC_TAB_APPEARANCE_DOUBLE_TAP_CHECK), hide == 0);
            sheet.Ok();
        }));
        EXPECT_EQ(Dword(L"TabHideSingle"), hide);
        EXPECT_EQ(Dword(L"TabDoubleTap"), 1 - hide);
    }
}

}  // namespace
