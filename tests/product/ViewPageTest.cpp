// The "View" page through the real sheet and registry.
#include <gtest/gtest.h>
#include <windows.h>
#include <commctrl.h>

#include "include/corvane_options.h"
#include "resource.h"
#include "support/Fixtures.h"

namespace {

class ViewPageTest : public SheetTest {
protected:
    std::wstring StoredPath() const
    {
        std::wstring path = L"<absent>";
        EXPECT_TRUE(testreg::ReadString(HKEY_CURRENT_USER, SettingsPath(), L"ViewSourceApp", &path));
        return path;
    }
    static LRESULT Spin(driver::Sheet& sheet, UINT message)
    {
        return SendMessageW(sheet.Item(IDC_VIEW_SPLIT_LENGTH_SPIN), message, 0, 0);
    }
};

TEST_F(ViewPageTest, NothingStoredShowsDefaultsAndOkWritesExactlyTheFiveValues)
{
    ExpectOk(Show(CORVANE_PAGE_VIEW, [&](driver::Sheet& sheet) {
        EXPECT_EQ(sheet.Text(IDC_VIEW_SOURCE_APP_EDIT), L"\\windows\\notes.exe");
        EXPECT_EQ(sheet.Text(IDC_VIEW_SPLIT_LENGTH_EDIT), L"24");
        EXPECT_EQ(Spin(sheet, UDM_GETPOS), 24);
        EXPECT_EQ(Spin(sheet, UDM_GETRANGE), MAKELONG(99, 8)) << "maximum in the low word, minimum in the high";
        EXPECT_TRUE(sheet.Checked(IDC_VIEW_SPLIT_TEXT_CHECK));
        EXPECT_TRUE(sheet.Checked(IDC_VIEW_COMBINE_TD_CHECK));
        EXPECT_TRUE(sheet.Checked(IDC_VIEW_SPLIT_PRE_CHECK));
        EXPECT_FALSE(sheet.Enabled(IDC_VIEW_SPLIT_PRE_CHECK)) << "the test host's platform level is 5";
        sheet.Ok();
    }));
    EXPECT_EQ(Dword(L"SplitText"), 1u);
    EXPECT_EQ(Dword(L"SplitTextLen"), 24u);
    EXPECT_EQ(Dword(L"CombineTD"), 1u);
    EXPECT_EQ(Dword(L"SplitPRE"), 1u);
    EXPECT_EQ(StoredPath(), L"\\windows\\notes.exe");
    EXPECT_EQ(testreg::ValueNames(HKEY_CURRENT_USER, SettingsPath()).size(), 5u);
}

TEST_F(ViewPageTest, PreBoxIsEnabledOnlyUpToPlatformLevelTwoAndAlwaysSaved)
{
    WriteDword(L"SplitPRE", 0);
    const int levels[] = {3, 2, -1};
    const bool expectEnabled[] = {false, true, true};
    for (int i = 0; i < 3; ++i) {
        SCOPED_TRACE("platform level " + std::to_string(levels[i]));
        driver::HostArgs args = Args(CORVANE_PAGE_VIEW);
        args.platformLevel = levels[i];
        ExpectOk(Show(args, [&](driver::Sheet& sheet) {
            EXPECT_EQ(sheet.Enabled(IDC_VIEW_SPLIT_PRE_CHECK), expectEnabled[i]);
            EXPECT_FALSE(sheet.Checked(IDC_VIEW_SPLIT_PRE_CHECK));
            sheet.Ok();
        }));
        EXPECT_EQ(Dword(L"SplitPRE"), 0u);
    }
}

TEST_F(ViewPageTest, EmptyPathIsStoredEmptyAndStaysEmpty)
{
    ExpectOk(Show(CORVANE_PAGE_VIEW, [](driver::Sheet& sheet) {
        sheet.SetText(IDC_VIEW_SOURCE_APP_EDIT, L"");
        sheet.Ok();
    }));
    std::vector<BYTE> data;
    DWORD type = 0;
    ASSERT_TRUE(testreg::ReadRaw(HKEY_CURRENT_USER, SettingsPath(), L"ViewSourceApp", &type, &data));
    EXPECT_EQ(type, static_cast<DWORD>(REG_SZ));
    EXPECT_EQ(data.size(), 2u) << "just the terminator";

    ExpectOk(Show(CORVANE_PAGE_VIEW, [&](driver::Sheet& sheet) {
        EXPECT_EQ(sheet.Text(IDC_VIEW_SOURCE_APP_EDIT), L"");
        sheet.Ok();
    }));
    EXPECT_EQ(StoredPath(), L"");
}

TEST_F(ViewPageTest, PathIsShownAndSavedWholeWhateverItsLength)
{
    const std::wstring typed = L"\\Program Files\\Source Viewer\\viewer.exe";
    ExpectOk(Show(CORVANE_PAGE_VIEW, [&](driver::Sheet& sheet) {
        sheet.SetText(IDC_VIEW_SOURCE_APP_EDIT, L"");
        sheet.Type(IDC_VIEW_SOURCE_APP_EDIT, typed);
        sheet.Ok();
    }));
    EXPECT_EQ(StoredPath(), typed);

    // Longer than any working buffer: shown and written back unchanged, not cut or replaced.
    const std::wstring longPath = L"\\Storage Card\\" + std::wstring(5000, L'p') + L"\\viewer.exe";
    testreg::WriteString(HKEY_CURRENT_USER, SettingsPath(), L"ViewSourceApp", longPath);
    ExpectOk(Show(CORVANE_PAGE_VIEW, [&](driver::Sheet& sheet) {
        EXPECT_EQ(sheet.Text(IDC_VIEW_SOURCE_APP_EDIT), longPath);
        sheet.Ok();
    }));
    EXPECT_EQ(StoredPath(), longPath);

    // A number where the path belongs is no path: the default is shown.
    testreg::WriteDword(HKEY_CURRENT_USER, SettingsPath(), L"ViewSourceApp", 0x00410041);
    ExpectRanOn(CORVANE_PAGE_VIEW, Show(CORVANE_PAGE_VIEW, [&](driver::Sheet& sheet) {
        EXPECT_EQ(sheet.Text(IDC_VIEW_SOURCE_APP_EDIT), L"\\windows\\notes.exe");
    }));
}

TEST_F(ViewPageTest, LengthIsKeptInsideEightToNinetyNine)
{
    struct Case {
        DWORD stored;
        const wchar_t* shown;
        DWORD saved;
    };
    // Only the low 16 bits are a length: 0x10018 is 24.
    const Case cases[] = {{3, L"8", 8}, {8, L"8", 8}, {99, L"99", 99}, {200, L"99", 99}, {0x10018, L"24", 24}};
    for (const Case& c : cases) {
        SCOPED_TRACE("stored " + std::to_string(c.stored));
        WriteDword(L"SplitTextLen", c.stored);
        ExpectOk(Show(CORVANE_PAGE_VIEW, [&](driver::Sheet& sheet) {
            EXPECT_EQ(sheet.Text(IDC_VIEW_SPLIT_LENGTH_EDIT), c.shown);
            sheet.Ok();
        }));
        EXPECT_EQ(Dword(L"SplitTextLen"), c.saved);
    }
}

// What is stored is the length the box shows, kept inside 8..99 and shown so once the box is
// left; a box that shows no number keeps the spinner's last position.
TEST_F(ViewPageTest, LengthIsStoredAsTheBoxShowsItClampedAndShownSo)
{
    const struct {
        const wchar_t* typed;
        const wchar_t* shownAfter;
        DWORD saved;
    } cases[] = {{L"150", L"99", 99}, {L"5", L"8", 8}, {L"57", L"57", 57}, {L"99999999999", L"99", 99},
                 {L"abc", L"30", 30}, {L"", L"30", 30}, {L"0", L"8", 8}};
    for (const auto& c : cases) {
        SCOPED_TRACE(std::string("typed \"") + std::string(c.typed, c.typed + wcslen(c.typed)) + "\"");
        WriteDword(L"SplitTextLen", 30);
        ExpectOk(Show(CORVANE_PAGE_VIEW, [&](driver::Sheet& sheet) {
            sheet.SetText(IDC_VIEW_SPLIT_LENGTH_EDIT, L"");
            sheet.Type(IDC_VIEW_SPLIT_LENGTH_EDIT, c.typed);
            // Leaving the box, as a tap elsewhere does.
            sheet.Focus(IDC_VIEW_COMBINE_TD_CHECK);
            EXPECT_EQ(sheet.Text(IDC_VIEW_SPLIT_LENGTH_EDIT), c.shownAfter);
            sheet.SetText(IDC_VIEW_SPLIT_LENGTH_EDIT, c.typed);
            sheet.Ok();
        }));
        EXPECT_EQ(Dword(L"SplitTextLen"), c.saved) << "OK with the typed text still in the box";
        ExpectRanOn(CORVANE_PAGE_VIEW, Show(CORVANE_PAGE_VIEW, [&](driver::Sheet& sheet) {
            EXPECT_EQ(sheet.Text(IDC_VIEW_SPLIT_LENGTH_EDIT), std::to_wstring(c.saved)) << "shown again as stored";
        }));
    }
}

TEST_F(ViewPageTest, UncheckedSplitBoxLeavesTheLengthUsableAndStored)
{
    ExpectOk(Show(CORVANE_PAGE_VIEW, [&](driver::Sheet& sheet) {
        sheet.Click(IDC_VIEW_SPLIT_TEXT_CHECK);
        sheet.Click(IDC_VIEW_COMBINE_TD_CHECK);
        EXPECT_TRUE(sheet.Enabled(IDC_VIEW_SPLIT_LENGTH_EDIT));
        EXPECT_TRUE(sheet.Enabled(IDC_VIEW_SPLIT_LENGTH_SPIN));
        // One step up, as the spinner's arrow key moves it.
        SendMessageW(sheet.Item(IDC_VIEW_SPLIT_LENGTH_SPIN), WM_KEYDOWN, VK_UP, 0);
        sheet.Ok();
    }));
    EXPECT_EQ(Dword(L"SplitText"), 0u);
    EXPECT_EQ(Dword(L"CombineTD"), 0u);
    EXPECT_EQ(Dword(L"SplitTextLen"), 25u);
}

// Splitting and combining share their default, so only stored values that differ show which
// value each box reads.
TEST_F(ViewPageTest, SplitAndCombineBoxesShowTheirOwnStoredValue)
{
    for (DWORD split : {0u, 1u}) {
        WriteDword(L"SplitText", split);
        WriteDword(L"CombineTD", 1 - split);
        ExpectOk(Show(CORVANE_PAGE_VIEW, [&](driver::Sheet& sheet) {
            EXPECT_EQ(sheet.Checked(IDC_VIEW_SPLIT_TEXT_CHECK), split != 0);
            EXPECT_EQ(sheet.Checked(IDC_VIEW_COMBINE_TD_CHECK), split == 0);
            sheet.Ok();
        }));
        EXPECT_EQ(Dword(L"SplitText"), split);
        EXPECT_EQ(Dword(L"CombineTD"), 1 - split);
    }
}

}  // namespace
