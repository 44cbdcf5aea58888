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
    std::vector<std::wstring> columns, rows;
    bool hasCombo = true;
    DWORD limit = 0;
    Show(kServicePage, [&](driver::Sheet& sheet) {
        columns = Columns(sheet);
        rows = Rows(sheet);
        hasCombo = sheet.Item(IDC_ALIAS_EXPAND_KEY_COMBO) != NULL;
        limit = EditLimit(sheet, IDC_SERVICE_NAME_EDIT);
        sheet.Ok();
    });
    EXPECT_EQ(columns, (std::vector<std::wstring>{L"Flag 35", L"Name 90", L"URL 75"}));
    EXPECT_EQ(rows, (std::vector<std::wstring>{L"  |One|u1", L"  |Two|u2", L"  |Three|u3"}));
    EXPECT_FALSE(hasCombo);
    EXPECT_EQ(limit, 2045u);
    EXPECT_EQ(Stored(L"Service"), (std::vector<std::wstring>{L"  One|u1", L"  Two|u2", L"  Three|u3"}));
    DWORD value = 0;
    EXPECT_FALSE(ReadDword(L"AliasExpandKey", &value));
    EXPECT_EQ(testreg::ValueNames(HKEY_CURRENT_USER, SettingsPath()).size(), 0u);
}

TEST_F(ServicePageTest, AddedRowsAreNamedAndNamesKeepTheirCapitals)
{
    std::wstring added, edit;
    Show(kServicePage, [&](driver::Sheet& sheet) {
        sheet.Click(IDC_URL_ADD);
        added = Row(sheet, 0);
        edit = sheet.Text(IDC_SERVICE_NAME_EDIT);
        SendMessageW(sheet.Item(IDC_SERVICE_NAME_EDIT), EM_SETSEL, 0, -1);
        sheet.Type(IDC_SERVICE_NAME_EDIT, L"Old Version");
        sheet.Type(IDC_URL_URL_EDIT, L"http://A/%s");
        sheet.Ok();
    });
    EXPECT_EQ(added, L"  |Name|");
    EXPECT_EQ(edit, L"Name");
    EXPECT_EQ(Stored(L"Service"), (std::vector<std::wstring>{L"  Old Version|http://A/%s"}));
}

TEST_F(ServicePageTest, ChildAndSeparatorChangeOnlyTheCurrentRow)
{
    SeedThree();
    std::vector<std::wstring> rows;
    bool checks[2] = {false, false};
    Show(kServicePage, [&](driver::Sheet& sheet) {
        Tap(sheet, 0);
        sheet.Click(IDC_SERVICE_CHILD_CHECK);
        Tap(sheet, 1);
        sheet.Click(IDC_SERVICE_CHILD_CHECK);
        Tap(sheet, 2);
        sheet.Click(IDC_SERVICE_SEPARATOR_CHECK);
        Tap(sheet, 0);
        checks[0] = sheet.Checked(IDC_SERVICE_CHILD_CHECK);
        checks[1] = sheet.Checked(IDC_SERVICE_SEPARATOR_CHECK);
        rows = Rows(sheet);
        sheet.Ok();
    });
    EXPECT_EQ(rows, (std::vector<std::wstring>{L"C |One|u1", L"C |Two|u2", L" S|Three|u3"}))
        << "several children, and a separator keeps its name and URL";
    EXPECT_TRUE(checks[0]);
    EXPECT_FALSE(checks[1]);
    EXPECT_EQ(Stored(L"Service"), (std::vector<std::wstring>{L"C One|u1", L"C Two|u2", L" SThree|u3"}));
}

TEST_F(ServicePageTest, DefaultRestoresTheFortyEightServices)
{
    SeedThree();
    std::vector<std::wstring> rows;
    std::vector<driver::MessageBoxSeen> boxes;
    Show(kServicePage, [&](driver::Sheet& sheet) {
        sheet.AnswerMessageBoxes(IDOK);
        sheet.Click(IDC_URL_DEFAULT);
        rows = Rows(sheet);
        boxes = sheet.MessageBoxes();
        sheet.Ok();
    });
    ASSERT_EQ(boxes.size(), 1u);
    EXPECT_EQ(boxes[0].text, L"Do you want to clear all aliases and restore defaults?");
    ASSERT_EQ(rows.size(), 48u);
    EXPECT_EQ(rows[0], L"  |Clear URL|");
    EXPECT_EQ(rows[5], L"CS||");
    EXPECT_EQ(rows[26], L" S||");
    EXPECT_EQ(ValueCount(L"Service"), 96u);
}

TEST_F(ServicePageTest, RaisedInputPanelMovesTheServiceControlsAndTheHintUsesTheNameBox)
{
    SeedThree();
    const int below[] = {IDC_SERVICE_NAME_LABEL, IDC_SERVICE_NAME_EDIT,   IDC_URL_URL_LABEL,
                         IDC_URL_URL_EDIT,       IDC_SERVICE_CHILD_CHECK, IDC_SERVICE_SEPARATOR_CHECK};
    std::vector<RECT> before, raised, lowered;
    auto measure = [&](driver::Sheet& sheet, std::vector<RECT>& rects) {
        rects.push_back(Rect(sheet, IDC_URL_LIST));
        for (int id : below) rects.push_back(Rect(sheet, id));
    };
    std::vector<driver::MessageBoxSeen> boxes;
    Show(kServicePage, [&](driver::Sheet& sheet) {
        sheet.AnswerMessageBoxes(IDOK);
        sheet.Focus(IDC_SERVICE_NAME_EDIT);
        boxes = sheet.MessageBoxes();
        Tap(sheet, 1);
        measure(sheet, before);
        sheet.Focus(IDC_SERVICE_NAME_EDIT);
        measure(sheet, raised);
        Tap(sheet, 2);
        sheet.Focus(IDC_URL_LIST);
        measure(sheet, lowered);
    });
    ASSERT_EQ(boxes.size(), 1u);
    EXPECT_EQ(boxes[0].text, L"Please tap [Add] button to add new item");
    ASSERT_EQ(raised.size(), 7u);
    EXPECT_EQ(raised[0].bottom - raised[0].top, before[0].bottom - before[0].top - 80);
    for (size_t i = 1; i < 7; ++i) EXPECT_EQ(raised[i].top, before[i].top - 80) << below[i - 1];
    for (size_t i = 0; i < 7; ++i) EXPECT_EQ(lowered[i].bottom, before[i].bottom) << i;
}

// Both pages: a flag position holds the page's letter or a space, whatever was stored there.
TEST_F(ServicePageTest, FlagsOtherThanThePagesLettersShowAndSaveAsSpaces)
{
    const struct {
        int page;
        const wchar_t* section;
        std::vector<std::wstring> shownAndSaved;
    } cases[] = {
        {kAliasPage, L"Alias", {L"DE", L"  ", L" E", L"  ", L"  "}},
        {kServicePage, L"Service", {L"  ", L"  ", L"  ", L"CS", L"  "}},
    };
    for (const auto& c : cases) {
        Seed(c.section, {{L"DEa", L"u"}, {L"EDb", L""}, {L"dEc", L""}, {L"CSd", L""}, {L"x\te", L""}});
        std::vector<std::wstring> flags;
        Show(c.page, [&](driver::Sheet& sheet) {
            for (int row = 0; row < 5; ++row) flags.push_back(Cell(sheet, row, 0));
            sheet.Ok();
        });
        EXPECT_EQ(flags, c.shownAndSaved) << c.section;
        std::vector<std::wstring> stored = Stored(c.section);
        for (std::wstring& entry : stored) entry = entry.substr(0, 2);
        EXPECT_EQ(stored, c.shownAndSaved) << c.section;
    }
}

}  // namespace
