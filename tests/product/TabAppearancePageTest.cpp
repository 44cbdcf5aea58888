// The "Tab 1" page through the real sheet and registry.
#include <gtest/gtest.h>

#include "resource.h"
#include "support/Fixtures.h"

namespace {

const int kTabAppearancePage = 6;

class TabAppearancePageTest : public SheetTest {
protected:
    // What the count and height combos show for the stored values, and what OK then stores.
    struct Shown {
        std::wstring count, height;
    };
    Shown ShowAndApply()
    {
        Shown shown;
        Show(kTabAppearancePage, [&](driver::Sheet& sheet) {
            shown.count = sheet.ComboText(IDC_TAB_APPEARANCE_COUNT_COMBO, sheet.ComboSelection(IDC_TAB_APPEARANCE_COUNT_COMBO));
            shown.height = sheet.ComboText(IDC_TAB_APPEARANCE_HEIGHT_COMBO, sheet.ComboSelection(IDC_TAB_APPEARANCE_HEIGHT_COMBO));
            sheet.Ok();
        });
        return shown;
    }
};

TEST_F(TabAppearancePageTest, NothingStoredShowsDefaultsAndOkWritesExactlyTheSixValues)
{
    std::vector<std::wstring> counts, heights, positions, activations;
    int count = -2, height = -2, position = -2, activation = -2;
    bool hideSingle = true, doubleTap = false;
    Show(kTabAppearancePage, [&](driver::Sheet& sheet) {
        counts = sheet.ComboTexts(IDC_TAB_APPEARANCE_COUNT_COMBO);
        heights = sheet.ComboTexts(IDC_TAB_APPEARANCE_HEIGHT_COMBO);
        positions = sheet.ComboTexts(IDC_TAB_APPEARANCE_NEW_TAB_POS_COMBO);
        activations = sheet.ComboTexts(IDC_TAB_APPEARANCE_ACTIVATE_COMBO);
        count = sheet.ComboSelection(IDC_TAB_APPEARANCE_COUNT_COMBO);
        height = sheet.ComboSelection(IDC_TAB_APPEARANCE_HEIGHT_COMBO);
        position = sheet.ComboSelection(IDC_TAB_APPEARANCE_NEW_TAB_POS_COMBO);
        activation = sheet.ComboSelection(IDC_TAB_APPEARANCE_ACTIVATE_COMBO);
        hideSingle = sheet.Checked(IDC_TAB_APPEARANCE_HIDE_SINGLE_CHECK);
        doubleTap = sheet.Checked(IDC_TAB_APPEARANCE_DOUBLE_TAP_CHECK);
        sheet.Ok();
    });
    EXPECT_EQ(counts, (std::vector<std::wstring>{L"2", L"3", L"4", L"5", L"6", L"7", L"8"}));
    EXPECT_EQ(heights, (std::vector<std::wstring>{L"22", L"21", L"20", L"19", L"18", L"17", L"16", L"15", L"14",
                                                  L"13", L"12"}));
    EXPECT_EQ(positions, (std::vector<std::wstring>{L"Next to Current Tab", L"End of Tab bar"}));
    EXPECT_EQ(activations, (std::vector<std::wstring>{L"Left tab", L"Right tab"}));
    EXPECT_EQ(count, 1) << "3 tabs";
    EXPECT_EQ(height, 0) << "22 pixels";
    EXPECT_EQ(position, 0);
    EXPECT_EQ(activation, 0);
    EXPECT_FALSE(hideSingle);
    EXPECT_TRUE(doubleTap);

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
        Shown shown = ShowAndApply();
        EXPECT_EQ(shown.count, counts[i].shown);
        EXPECT_EQ(shown.height, heights[i].shown);
        EXPECT_EQ(Dword(L"TabCount"), counts[i].saved);
        EXPECT_EQ(Dword(L"TabHeight"), heights[i].saved);
    }
}

TEST_F(TabAppearancePageTest, PositionsOutOfRangeShowNoChoiceAndStoreMinusOne)
{
    WriteDword(L"TabPosNewTab", 2);
    WriteDword(L"TabPosActivate", 0xFFFFFFFF);
    int position = 0, activation = 0;
    Show(kTabAppearancePage, [&](driver::Sheet& sheet) {
        position = sheet.ComboSelection(IDC_TAB_APPEARANCE_NEW_TAB_POS_COMBO);
        activation = sheet.ComboSelection(IDC_TAB_APPEARANCE_ACTIVATE_COMBO);
        sheet.Ok();
    });
    EXPECT_EQ(position, -1);
    EXPECT_EQ(activation, -1);
    EXPECT_EQ(Dword(L"TabPosNewTab"), 0xFFFFFFFFu);
    EXPECT_EQ(Dword(L"TabPosActivate"), 0xFFFFFFFFu);

    // Stored as they stand: nothing in range is changed on the way.
    WriteDword(L"TabPosNewTab", 1);
    WriteDword(L"TabPosActivate", 1);
    Show(kTabAppearancePage, [&](driver::Sheet& sheet) {
        position = sheet.ComboSelection(IDC_TAB_APPEARANCE_NEW_TAB_POS_COMBO);
        activation = sheet.ComboSelection(IDC_TAB_APPEARANCE_ACTIVATE_COMBO);
    });
    EXPECT_EQ(position, 1);
    EXPECT_EQ(activation, 1);
}

TEST_F(TabAppearancePageTest, UserChoicesAreStoredInTheirFormsAndShownNextTime)
{
    Show(kTabAppearancePage, [](driver::Sheet& sheet) {
        sheet.ChooseCombo(IDC_TAB_APPEARANCE_COUNT_COMBO, 6);
        sheet.ChooseCombo(IDC_TAB_APPEARANCE_HEIGHT_COMBO, 10);
        sheet.Click(IDC_TAB_APPEARANCE_HIDE_SINGLE_CHECK);
        sheet.ChooseCombo(IDC_TAB_APPEARANCE_NEW_TAB_POS_COMBO, 1);
        sheet.ChooseCombo(IDC_TAB_APPEARANCE_ACTIVATE_COMBO, 1);
        sheet.Click(IDC_TAB_APPEARANCE_DOUBLE_TAP_CHECK);
        sheet.Ok();
    });
    EXPECT_EQ(Dword(L"TabCount"), 8u);
    EXPECT_EQ(Dword(L"TabHeight"), 12u);
    EXPECT_EQ(Dword(L"TabHideSingle"), 1u);
    EXPECT_EQ(Dword(L"TabPosNewTab"), 1u);
    EXPECT_EQ(Dword(L"TabPosActivate"), 1u);
    EXPECT_EQ(Dword(L"TabDoubleTap"), 0u);

    Shown shown = ShowAndApply();
    EXPECT_EQ(shown.count, L"8");
    EXPECT_EQ(shown.height, L"12");
}

TEST_F(TabAppearancePageTest, ValueOfAnotherTypeReadsAsAbsent)
{
    // Four bytes of text would otherwise arrive as a number: "5" as 53, shown as 8 tabs.
    testreg::WriteString(HKEY_CURRENT_USER, SettingsPath(), L"TabCount", L"5");
    testreg::WriteString(HKEY_CURRENT_USER, SettingsPath(), L"TabDoubleTap", L"");
    Shown shown = ShowAndApply();
    EXPECT_EQ(shown.count, L"3");
    EXPECT_EQ(Dword(L"TabCount"), 3u);
    EXPECT_EQ(Dword(L"TabDoubleTap"), 1u);
}

TEST_F(TabAppearancePageTest, CancelWritesNothing)
{
    Show(kTabAppearancePage, [](driver::Sheet& sheet) {
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
        bool shownHide = false, shownDoubleTap = false;
        Show(kTabAppearancePage, [&](driver::Sheet& sheet) {
            shownHide = sheet.Checked(IDC_TAB_APPEARANCE_HIDE_SINGLE_CHECK);
            shownDoubleTap = sheet.Checked(IDC_TAB_APPEARANCE_DOUBLE_TAP_CHECK);
            sheet.Ok();
        });
        EXPECT_EQ(shownHide, hide != 0);
        EXPECT_EQ(shownDoubleTap, hide == 0);
        EXPECT_EQ(Dword(L"TabHideSingle"), hide);
        EXPECT_EQ(Dword(L"TabDoubleTap"), 1 - hide);
    }
}

}  // namespace
