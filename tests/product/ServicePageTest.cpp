// The "URL Service" page through the real sheet, controls and registry: where it differs from
// the alias page, and that the shared mechanics run with its own controls.
#include <gtest/gtest.h>

#include "UrlPageSupport.h"

namespace {

using namespace urlpage;

class ServicePageTest : public UrlPageTest {
protected:
    void SeedThree() const { Seed(L"Service", {{L"  One", L"u1"}, {L"  Two", L"u2"}, {L"  Three", L"u3"}}); }
};

TEST_F(ServicePageTest, ShowsNameColumnsNoExpandKeyAndStoresOnlyItsList)
{
    SeedThree();
    ExpectOk(Show(CORVANE_PAGE_SERVICE, [&](driver::Sheet& sheet) {
        EXPECT_EQ(Columns(sheet), (std::vector<std::wstring>{L"Flag 35", L"Name 90", L"URL 75"}));
        EXPECT_EQ(Rows(sheet), (std::vector<std::wstring>{L"  |One|u1", L"  |Two|u2", L"  |Three|u3"}));
        EXPECT_EQ(sheet.Item(IDC_ALIAS_EXPAND_KEY_COMBO), nullptr) << "no expand key on this page";
        EXPECT_EQ(EditLimit(sheet, IDC_SERVICE_NAME_EDIT), 2045u);
        sheet.Ok();
    }));
    EXPECT_EQ(Stored(L"Service"), (std::vector<std::wstring>{L"  One|u1", L"  Two|u2", L"  Three|u3"}));
    DWORD value = 0;
    EXPECT_FALSE(ReadDword(L"AliasExpandKey", &value));
    EXPECT_EQ(testreg::ValueNames(HKEY_CURRENT_USER, SettingsPath()).size(), 0u);
}

TEST_F(ServicePageTest, AddedRowsAreNamedAndNamesKeepTheirCapitals)
{
    ExpectOk(Show(CORVANE_PAGE_SERVICE, [&](driver::Sheet& sheet) {
        sheet.Click(IDC_URL_ADD);
        EXPECT_EQ(Row(sheet, 0), L"  |Name|");
        EXPECT_EQ(sheet.Text(IDC_SERVICE_NAME_EDIT), L"Name");
        SendMessageW(sheet.Item(IDC_SERVICE_NAME_EDIT), EM_SETSEL, 0, -1);
        sheet.Type(IDC_SERVICE_NAME_EDIT, L"Old Version");
        sheet.Type(IDC_URL_URL_EDIT, L"http://A/%s");
        sheet.Ok();
    }));
    EXPECT_EQ(Stored(L"Service"), (std::vector<std::wstring>{L"  Old Version|http://A/%s"}));
}

TEST_F(ServicePageTest, ChildAndSeparatorChangeOnlyTheCurrentRow)
{
    SeedThree();
    ExpectOk(Show(CORVANE_PAGE_SERVICE, [&](driver::Sheet& sheet) {
        Tap(sheet, 0);
        sheet.Click(IDC_SERVICE_CHILD_CHECK);
        Tap(sheet, 1);
        sheet.Click(IDC_SERVICE_CHILD_CHECK);
        Tap(sheet, 2);
        sheet.Click(IDC_SERVICE_SEPARATOR_CHECK);
        Tap(sheet, 0);
        EXPECT_TRUE(sheet.Checked(IDC_SERVICE_CHILD_CHECK));
        EXPECT_FALSE(sheet.Checked(IDC_SERVICE_SEPARATOR_CHECK));
        EXPECT_EQ(Rows(sheet), (std::vector<std::wstring>{L"C |One|u1", L"C |Two|u2", L" S|Three|u3"}))
            << "several children, and a separator keeps its name and URL";
        sheet.Ok();
    }));
    EXPECT_EQ(Stored(L"Service"), (std::vector<std::wstring>{L"C One|u1", L"C Two|u2", L" SThree|u3"}));
}

TEST_F(ServicePageTest, DefaultRestoresTheFortyEightServices)
{
    SeedThree();
    ExpectOk(Show(CORVANE_PAGE_SERVICE, [&](driver::Sheet& sheet) {
        sheet.AnswerMessageBoxes(IDOK);
        sheet.Click(IDC_URL_DEFAULT);
        const std::vector<driver::MessageBoxSeen> boxes = sheet.MessageBoxes();
        ASSERT_EQ(boxes.size(), 1u);
        EXPECT_EQ(boxes[0].text, L"Do you want to clear all aliases and restore defaults?");
        const std::vector<std::wstring> rows = Rows(sheet);
        ASSERT_EQ(rows.size(), 48u);
        EXPECT_EQ(rows[0], L"  |Clear URL|");
        EXPECT_EQ(rows[5], L"CS||");
        EXPECT_EQ(rows[26], L" S||");
        sheet.Ok();
    }));
    EXPECT_EQ(ValueCount(L"Service"), 96u);
}

TEST_F(ServicePageTest, RaisedInputPanelMovesTheServiceControlsAndTheHintUsesTheNameBox)
{
    SeedThree();
    const int below[] = {IDC_SERVICE_NAME_LABEL, IDC_SERVICE_NAME_EDIT,   IDC_URL_URL_LABEL,
                         IDC_URL_URL_EDIT,       IDC_SERVICE_CHILD_CHECK, IDC_SERVICE_SEPARATOR_CHECK};
    // The list first, then the controls below it.
    auto measure = [&](driver::Sheet& sheet) {
        std::vector<RECT> rects = {Rect(sheet, IDC_URL_LIST)};
        for (int id : below) rects.push_back(Rect(sheet, id));
        return rects;
    };
    ExpectRanOn(CORVANE_PAGE_SERVICE, Show(CORVANE_PAGE_SERVICE, [&](driver::Sheet& sheet) {
        // Without a current row the name box, like the URL box, points to Add.
        sheet.AnswerMessageBoxes(IDOK);
        sheet.Focus(IDC_SERVICE_NAME_EDIT);
        const std::vector<driver::MessageBoxSeen> boxes = sheet.MessageBoxes();
        ASSERT_EQ(boxes.size(), 1u);
        EXPECT_EQ(boxes[0].text, L"Please tap [Add] button to add new item");

        Tap(sheet, 1);
        const std::vector<RECT> before = measure(sheet);
        sheet.Focus(IDC_SERVICE_NAME_EDIT);
        const std::vector<RECT> raised = measure(sheet);
        ASSERT_EQ(raised.size(), 7u);
        EXPECT_EQ(raised[0].bottom - raised[0].top, before[0].bottom - before[0].top - 80);
        for (size_t i = 1; i < 7; ++i) EXPECT_EQ(raised[i].top, before[i].top - 80) << below[i - 1];

        Tap(sheet, 2);
        sheet.Focus(IDC_URL_LIST);
        const std::vector<RECT> lowered = measure(sheet);
        for (size_t i = 0; i < 7; ++i) EXPECT_EQ(lowered[i].bottom, before[i].bottom) << i;
    }));
}

// Both pages: a flag position holds the page's letter or a space, whatever was stored there.
TEST_F(ServicePageTest, FlagsOtherThanThePagesLettersShowAndSaveAsSpaces)
{
    const struct {
        int page;
        const wchar_t* section;
        std::vector<std::wstring> shownAndSaved;
    } cases[] = {
        {CORVANE_PAGE_ALIAS, L"Alias", {L"DE", L"  ", L" E", L"  ", L"  "}},
        {CORVANE_PAGE_SERVICE, L"Service", {L"  ", L"  ", L"  ", L"CS", L"  "}},
    };
    for (const auto& c : cases) {
        Seed(c.section, {{L"DEa", L"u"}, {L"EDb", L""}, {L"dEc", L""}, {L"CSd", L""}, {L"x\te", L""}});
        ExpectOk(Show(c.page, [&](driver::Sheet& sheet) {
            std::vector<std::wstring> flags;
            for (int row = 0; row < 5; ++row) flags.push_back(Cell(sheet, row, 0));
            EXPECT_EQ(flags, c.shownAndSaved) << c.section;
            sheet.Ok();
        }));
        std::vector<std::wstring> stored = Stored(c.section);
        for (std::wstring& entry : stored) entry = entry.substr(0, 2);
        EXPECT_EQ(stored, c.shownAndSaved) << c.section;
    }
}

}  // namespace
