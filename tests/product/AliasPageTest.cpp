// The "URL Alias" page through the real sheet, controls and registry.
#include <gtest/gtest.h>

#include "UrlPageSupport.h"

namespace {

using namespace urlpage;

class AliasPageTest : public UrlPageTest {
protected:
    void SeedLetters() const
    {
        Seed(L"Alias", {{L"D a", L"ua"}, {L"  b", L"ub"}, {L" Ec", L"uc"}, {L"  d", L"ud"}, {L"  e", L"ue"}});
    }
};

TEST_F(AliasPageTest, ShowsTheStoredListAndTheRowTappedAndSavesOnOk)
{
    Seed(L"Alias", {{L"DEc", L"http://www.%s.com/"}, {L"  Gm", L"u1"}, {L"  x", L""}});
    ExpectOk(Show(CORVANE_PAGE_ALIAS, [&](driver::Sheet& sheet) {
        // Opened: the stored rows, no row current, empty edit boxes, the first expand key.
        EXPECT_EQ(Columns(sheet), (std::vector<std::wstring>{L"Flag 35", L"Alias 35", L"URL 130"}));
        EXPECT_EQ(Rows(sheet), (std::vector<std::wstring>{L"DE|c|http://www.%s.com/", L"  |Gm|u1", L"  |x|"}));
        EXPECT_TRUE(Selected(sheet).empty());
        EXPECT_EQ(sheet.Text(IDC_ALIAS_ALIAS_EDIT) + sheet.Text(IDC_URL_URL_EDIT), L"");
        EXPECT_FALSE(sheet.Checked(IDC_ALIAS_DEFAULT_CHECK) || sheet.Checked(IDC_ALIAS_EXPAND_CHECK));
        EXPECT_EQ(sheet.ComboTexts(IDC_ALIAS_EXPAND_KEY_COMBO),
                  (std::vector<std::wstring>{L"  ` (Back Quote)", L"  \\ (Back Slash)", L"  [ (Left Bracket)",
                                             L"  ] (Right Bracket)", L"  ; (Semi Colon)", L"  * (Apostrophe)",
                                             L"  $ (Dollar)", L"  ! (Exclamation)", L"  , (Comma)",
                                             L"  CTLR + ENTER", L"  SHIFT + ENTER"}));
        EXPECT_EQ(sheet.ComboSelection(IDC_ALIAS_EXPAND_KEY_COMBO), 0) << "nothing stored selects the first key";
        EXPECT_EQ(EditLimit(sheet, IDC_ALIAS_ALIAS_EDIT), 2045u) << "two flag characters go in front of the alias";
        EXPECT_EQ(EditLimit(sheet, IDC_URL_URL_EDIT), 2047u);

        // A tapped row fills the edit boxes and the check boxes.
        Tap(sheet, 1);
        EXPECT_EQ(sheet.Text(IDC_URL_URL_EDIT), L"u1");
        Tap(sheet, 0);
        EXPECT_EQ(sheet.Text(IDC_ALIAS_ALIAS_EDIT), L"c");
        EXPECT_TRUE(sheet.Checked(IDC_ALIAS_DEFAULT_CHECK) && sheet.Checked(IDC_ALIAS_EXPAND_CHECK));
        const std::vector<std::wstring> rows = Rows(sheet);
        ASSERT_EQ(rows.size(), 3u);
        EXPECT_EQ(rows[1], L"  |gm|u1") << "an alias is lowered once its row becomes current";

        // A selection made by message reports the new row before the old one's deselection.
        ListView_SetItemState(List(sheet), 2, LVIS_SELECTED | LVIS_FOCUSED, LVIS_SELECTED | LVIS_FOCUSED);
        EXPECT_EQ(sheet.Text(IDC_ALIAS_ALIAS_EDIT), L"x");
        sheet.Ok();
    }));
    EXPECT_EQ(Stored(L"Alias"), (std::vector<std::wstring>{L"DEc|http://www.%s.com/", L"  gm|u1", L"  x|"}));
    EXPECT_EQ(ValueCount(L"Alias"), 6u);
    EXPECT_EQ(Dword(L"AliasExpandKey"), 0u);
}

TEST_F(AliasPageTest, AddRemoveUpAndDownMoveWholeRows)
{
    SeedLetters();
    const std::vector<std::wstring> seeded = {L"D |a|ua", L"  |b|ub", L" E|c|uc", L"  |d|ud", L"  |e|ue"};
    ExpectOk(Show(CORVANE_PAGE_ALIAS, [&](driver::Sheet& sheet) {
        // Without a current row these do nothing.
        sheet.Click(IDC_URL_REMOVE);
        sheet.Click(IDC_URL_UP);
        sheet.Click(IDC_URL_DOWN);
        EXPECT_EQ(Rows(sheet), seeded);

        Tap(sheet, 3);
        sheet.Click(IDC_URL_ADD);
        EXPECT_EQ(Selected(sheet), (std::vector<int>{3}));
        EXPECT_EQ(sheet.Text(IDC_ALIAS_ALIAS_EDIT) + L"|" + sheet.Text(IDC_URL_URL_EDIT), L"alias|");
        EXPECT_EQ(Rows(sheet), (std::vector<std::wstring>{L"D |a|ua", L"  |b|ub", L" E|c|uc", L"  |alias|",
                                                          L"  |d|ud", L"  |e|ue"}))
            << "the new row goes before the current one; like every alias it is lower case";

        sheet.Click(IDC_URL_REMOVE);
        EXPECT_TRUE(Selected(sheet).empty()) << "no row selected";
        EXPECT_EQ(sheet.Text(IDC_ALIAS_ALIAS_EDIT), L"") << "and the edit box emptied";
        sheet.Click(IDC_URL_REMOVE);
        EXPECT_EQ(Rows(sheet), seeded) << "a second Remove has no row to remove";

        Tap(sheet, 0);
        sheet.Click(IDC_URL_UP);
        sheet.Click(IDC_URL_DOWN);
        EXPECT_EQ(sheet.Text(IDC_ALIAS_ALIAS_EDIT) + L"|" + sheet.Text(IDC_URL_URL_EDIT), L"a|ua")
            << "the edit boxes follow the moved row";
        Tap(sheet, 4);
        sheet.Click(IDC_URL_DOWN);
        sheet.Click(IDC_URL_UP);
        EXPECT_EQ(Rows(sheet), (std::vector<std::wstring>{L"  |b|ub", L"D |a|ua", L" E|c|uc", L"  |e|ue", L"  |d|ud"}));
        ASSERT_FALSE(Selected(sheet).empty());
        EXPECT_EQ(Selected(sheet)[0], 3);

        TapBeside(sheet);
        sheet.Click(IDC_URL_ADD);
        sheet.Ok();
    }));
    EXPECT_EQ(Stored(L"Alias"), (std::vector<std::wstring>{L"  b|ub", L"D a|ua", L" Ec|uc", L"  e|ue", L"  d|ud",
                                                           L"  alias|"}));
}

TEST_F(AliasPageTest, DefaultBoxKeepsOneDefaultAliasAndExpKeyTouchesOnlyItsRow)
{
    SeedLetters();
    ExpectOk(Show(CORVANE_PAGE_ALIAS, [&](driver::Sheet& sheet) {
        Tap(sheet, 2);
        sheet.Click(IDC_ALIAS_DEFAULT_CHECK);
        EXPECT_EQ(Rows(sheet), (std::vector<std::wstring>{L"  |a|ua", L"  |b|ub", L"DE|c|uc", L"  |d|ud", L"  |e|ue"}));
        Tap(sheet, 4);
        sheet.Click(IDC_ALIAS_EXPAND_CHECK);
        EXPECT_EQ(Rows(sheet), (std::vector<std::wstring>{L"  |a|ua", L"  |b|ub", L"DE|c|uc", L"  |d|ud", L" E|e|ue"}));
        Tap(sheet, 2);
        sheet.Click(IDC_ALIAS_DEFAULT_CHECK);
        sheet.Click(IDC_ALIAS_EXPAND_CHECK);
        const std::vector<std::wstring> unchecked = Rows(sheet);
        EXPECT_EQ(unchecked, (std::vector<std::wstring>{L"  |a|ua", L"  |b|ub", L"  |c|uc", L"  |d|ud", L" E|e|ue"}))
            << "unchecking gives no other row the flag";
        TapBeside(sheet);
        sheet.Click(IDC_ALIAS_DEFAULT_CHECK);
        EXPECT_TRUE(sheet.Checked(IDC_ALIAS_DEFAULT_CHECK)) << "only the box's own check mark changes";
        EXPECT_EQ(Rows(sheet), unchecked);
        sheet.Ok();
    }));
    EXPECT_EQ(Stored(L"Alias"), (std::vector<std::wstring>{L"  a|ua", L"  b|ub", L"  c|uc", L"  d|ud", L" Ee|ue"}));
}

TEST_F(AliasPageTest, TypedAliasesAreLoweredWithTheCaretKeptAndUrlsStoredAsTyped)
{
    Seed(L"Alias", {{L"  hello", L""}});
    ExpectOk(Show(CORVANE_PAGE_ALIAS, [&](driver::Sheet& sheet) {
        Tap(sheet, 0);
        HWND edit = sheet.Item(IDC_ALIAS_ALIAS_EDIT);
        SetFocus(edit);
        SendMessageW(edit, EM_SETSEL, 2, 2);
        for (wchar_t c : std::wstring(L"XY\u00c4")) SendMessageW(edit, WM_CHAR, c, 1);
        EXPECT_EQ(sheet.Text(IDC_ALIAS_ALIAS_EDIT), L"hexy\u00e4llo") << "letters of every script are lowered";
        EXPECT_EQ(EditSelection(sheet, IDC_ALIAS_ALIAS_EDIT), std::make_pair(DWORD(5), DWORD(5)));
        sheet.Type(IDC_URL_URL_EDIT, L"HTTP://Example.COM/%s");
        EXPECT_EQ(sheet.Text(IDC_URL_URL_EDIT), L"HTTP://Example.COM/%s");
        EXPECT_EQ(Row(sheet, 0), L"  |hexy\u00e4llo|HTTP://Example.COM/%s");
        sheet.Ok();
    }));
    EXPECT_EQ(Stored(L"Alias"), (std::vector<std::wstring>{L"  hexy\u00e4llo|HTTP://Example.COM/%s"}));
}

TEST_F(AliasPageTest, EditBoxesLimitWhatIsTypedToWhatCanBeReadBack)
{
    ExpectOk(Show(CORVANE_PAGE_ALIAS, [&](driver::Sheet& sheet) {
        sheet.Click(IDC_URL_ADD);
        SendMessageW(sheet.Item(IDC_ALIAS_ALIAS_EDIT), EM_SETSEL, 0, -1);
        sheet.Type(IDC_ALIAS_ALIAS_EDIT, std::wstring(2050, L'a'));
        sheet.Type(IDC_URL_URL_EDIT, std::wstring(2050, L'u'));
        EXPECT_EQ(Cell(sheet, 0, 1).size(), 2045u);
        EXPECT_EQ(Cell(sheet, 0, 2).size(), 2047u);
        sheet.Ok();
    }));
    std::vector<std::wstring> stored = Stored(L"Alias");
    ASSERT_EQ(stored.size(), 1u);
    EXPECT_EQ(stored[0], L"  " + std::wstring(2045, L'a') + L"|" + std::wstring(2047, L'u'));
    ExpectOk(Show(CORVANE_PAGE_ALIAS, [&](driver::Sheet& sheet) {
        EXPECT_EQ(Rows(sheet),
                  (std::vector<std::wstring>{L"  |" + std::wstring(2045, L'a') + L"|" + std::wstring(2047, L'u')}))
            << "the longest entry the boxes take loads again, whole";
        sheet.Ok();
    }));
    EXPECT_EQ(Stored(L"Alias"), stored) << "and is saved again whole";
}

TEST_F(AliasPageTest, RemovingTheFirstRowKeepsTheOthersInOrder)
{
    SeedLetters();
    ExpectOk(Show(CORVANE_PAGE_ALIAS, [&](driver::Sheet& sheet) {
        Tap(sheet, 0);
        sheet.Click(IDC_URL_REMOVE);
        EXPECT_EQ(Rows(sheet), (std::vector<std::wstring>{L"  |b|ub", L" E|c|uc", L"  |d|ud", L"  |e|ue"}));
        sheet.Ok();
    }));
    EXPECT_EQ(Stored(L"Alias"), (std::vector<std::wstring>{L"  b|ub", L" Ec|uc", L"  d|ud", L"  e|ue"}));
}

TEST_F(AliasPageTest, TappingAnEditBoxWithoutARowPointsToAdd)
{
    ExpectRanOn(CORVANE_PAGE_ALIAS, Show(CORVANE_PAGE_ALIAS, [&](driver::Sheet& sheet) {
        sheet.AnswerMessageBoxes(IDOK);
        const int bottomBefore = Rect(sheet, IDC_URL_LIST).bottom;
        sheet.Focus(IDC_ALIAS_ALIAS_EDIT);
        EXPECT_EQ(GetFocus(), List(sheet)) << "the focus goes back to the list view";
        sheet.Focus(IDC_URL_URL_EDIT);
        EXPECT_EQ(GetFocus(), List(sheet)) << "the focus goes back to the list view";
        EXPECT_EQ(Rect(sheet, IDC_URL_LIST).bottom, bottomBefore) << "the input panel stays down";
        const std::vector<driver::MessageBoxSeen> boxes = sheet.MessageBoxes();
        EXPECT_EQ(boxes.size(), 2u);
        for (const driver::MessageBoxSeen& box : boxes) {
            EXPECT_EQ(box.text, L"Please tap [Add] button to add new item");
            EXPECT_EQ(box.caption, product);
            EXPECT_EQ(box.buttons, (std::vector<int>{IDOK}));
        }

        sheet.Click(IDC_URL_ADD);
        sheet.Focus(IDC_URL_URL_EDIT);
        EXPECT_EQ(GetFocus(), sheet.Item(IDC_URL_URL_EDIT));
        EXPECT_EQ(sheet.MessageBoxes().size(), 2u) << "with a current row the edit box is simply entered";
    }));
}

TEST_F(AliasPageTest, DefaultAsksFirstAndRestoresTheTwentyAliasesOnlyInThePage)
{
    Seed(L"Alias", {{L"  mine", L"u"}, {L"  more", L"v"}});
    ExpectOk(Show(CORVANE_PAGE_ALIAS, [&](driver::Sheet& sheet) {
        sheet.ChooseCombo(IDC_ALIAS_EXPAND_KEY_COMBO, 7);
        Tap(sheet, 1);
        // Cancelled: the list stays as it was.
        sheet.AnswerMessageBoxes(IDCANCEL);
        sheet.Click(IDC_URL_DEFAULT);
        EXPECT_EQ(Rows(sheet), (std::vector<std::wstring>{L"  |mine|u", L"  |more|v"}));
        EXPECT_EQ(sheet.Text(IDC_ALIAS_ALIAS_EDIT), L"more");
        ASSERT_EQ(sheet.MessageBoxes().size(), 1u);
        EXPECT_EQ(sheet.MessageBoxes()[0].text, L"Do you want to clear all aliases and restore defaults?");
        EXPECT_EQ(sheet.MessageBoxes()[0].caption, product);
        EXPECT_EQ(sheet.MessageBoxes()[0].buttons, (std::vector<int>{IDOK, IDCANCEL}));

        // Confirmed: the twenty defaults, nothing current, the expand key kept, nothing stored yet.
        sheet.AnswerMessageBoxes(IDOK);
        sheet.Click(IDC_URL_DEFAULT);
        EXPECT_EQ(sheet.MessageBoxes().size(), 2u);
        const std::vector<std::wstring> rows = Rows(sheet);
        ASSERT_EQ(rows.size(), 20u);
        EXPECT_EQ(rows[0], L"DE|c|http://www.%s.com/");
        EXPECT_EQ(rows[13].substr(0, 6), L"  |ys|");
        EXPECT_TRUE(Selected(sheet).empty());
        EXPECT_EQ(sheet.Text(IDC_ALIAS_ALIAS_EDIT) + sheet.Text(IDC_URL_URL_EDIT), L"");
        EXPECT_EQ(sheet.ComboSelection(IDC_ALIAS_EXPAND_KEY_COMBO), 7) << "the expand key is not part of the defaults";
        EXPECT_EQ(Stored(L"Alias"), (std::vector<std::wstring>{L"  mine|u", L"  more|v"})) << "nothing is stored before OK";
        sheet.Ok();
    }));
    EXPECT_EQ(ValueCount(L"Alias"), 40u);
    EXPECT_EQ(Stored(L"Alias")[0], L"DEc|http://www.%s.com/");
    EXPECT_EQ(Dword(L"AliasExpandKey"), 7u);
}

TEST_F(AliasPageTest, ExpandKeyOutOfRangeShowsNothingAndTheChoiceIsKeptWithoutASettingsKey)
{
    ExpectOk(Show(CORVANE_PAGE_ALIAS, [&](driver::Sheet& sheet) {
        sheet.ChooseCombo(IDC_ALIAS_EXPAND_KEY_COMBO, 4);
        sheet.Ok();
    }));
    EXPECT_EQ(Dword(L"AliasExpandKey"), 4u) << "written even though no settings key existed before";

    WriteDword(L"AliasExpandKey", 20);
    ExpectOk(Show(CORVANE_PAGE_ALIAS, [&](driver::Sheet& sheet) {
        EXPECT_EQ(sheet.ComboSelection(IDC_ALIAS_EXPAND_KEY_COMBO), -1);
        sheet.Ok();
    }));
    EXPECT_EQ(Dword(L"AliasExpandKey"), 4294967295u);

    WriteDword(L"AliasExpandKey", 10);
    ExpectRanOn(CORVANE_PAGE_ALIAS, Show(CORVANE_PAGE_ALIAS, [&](driver::Sheet& sheet) {
        EXPECT_EQ(sheet.ComboSelection(IDC_ALIAS_EXPAND_KEY_COMBO), 10);
    }));
    testreg::WriteString(HKEY_CURRENT_USER, SettingsPath(), L"AliasExpandKey", L"5");
    ExpectRanOn(CORVANE_PAGE_ALIAS, Show(CORVANE_PAGE_ALIAS, [&](driver::Sheet& sheet) {
        EXPECT_EQ(sheet.ComboSelection(IDC_ALIAS_EXPAND_KEY_COMBO), 0) << "a value of another type reads as absent";
    }));
}

TEST_F(AliasPageTest, CancelStoresNothingAndAnEmptyListKeepsItsSubkey)
{
    Show(CORVANE_PAGE_ALIAS, [&](driver::Sheet& sheet) {
        sheet.Click(IDC_URL_ADD);
        sheet.Cancel();
    });
    EXPECT_FALSE(testreg::KeyExists(HKEY_CURRENT_USER, SectionPath(L"Alias")));
    ExpectOk(Show(CORVANE_PAGE_ALIAS, [&](driver::Sheet& sheet) { sheet.Ok(); }));
    EXPECT_TRUE(testreg::KeyExists(HKEY_CURRENT_USER, SectionPath(L"Alias")));
    EXPECT_EQ(ValueCount(L"Alias"), 0u);
}

TEST_F(AliasPageTest, RaisedInputPanelShortensTheListAndLiftsTheControlsBelowIt)
{
    SeedLetters();
    const int below[] = {IDC_ALIAS_ALIAS_LABEL, IDC_ALIAS_ALIAS_EDIT,    IDC_URL_URL_LABEL,
                         IDC_URL_URL_EDIT,      IDC_ALIAS_DEFAULT_CHECK, IDC_ALIAS_EXPAND_CHECK};
    ExpectRanOn(CORVANE_PAGE_ALIAS, Show(CORVANE_PAGE_ALIAS, [&](driver::Sheet& sheet) {
        Tap(sheet, 4);
        const RECT list = Rect(sheet, IDC_URL_LIST);
        std::vector<RECT> before;
        for (int id : below) before.push_back(Rect(sheet, id));

        // Raised: the list loses the panel's 80 pixels at its bottom, the controls below move up.
        sheet.Focus(IDC_URL_URL_EDIT);
        EXPECT_EQ(Rect(sheet, IDC_URL_LIST).top, list.top);
        EXPECT_EQ(Rect(sheet, IDC_URL_LIST).bottom, list.bottom - 80);
        for (size_t i = 0; i < 6; ++i) {
            const RECT raised = Rect(sheet, below[i]);
            EXPECT_EQ(raised.top, before[i].top - 80) << below[i];
            EXPECT_EQ(raised.bottom, before[i].bottom - 80) << below[i];
            EXPECT_EQ(raised.left, before[i].left) << below[i];
        }

        // Lowered: everything back where it was.
        sheet.Focus(IDC_URL_LIST);
        EXPECT_EQ(Rect(sheet, IDC_URL_LIST).top, list.top);
        EXPECT_EQ(Rect(sheet, IDC_URL_LIST).bottom, list.bottom);
        for (size_t i = 0; i < 6; ++i) {
            EXPECT_EQ(Rect(sheet, below[i]).top, before[i].top) << below[i];
            EXPECT_EQ(Rect(sheet, below[i]).bottom, before[i].bottom) << below[i];
        }
    }));
}

TEST_F(AliasPageTest, ThousandsOfRowsLoadAndSaveWhole)
{
    std::vector<std::pair<std::wstring, std::wstring>> entries;
    for (int i = 0; i < 4000; ++i) entries.push_back({L"  a" + std::to_wstring(i), L"u" + std::to_wstring(i)});
    Seed(L"Alias", entries);
    ExpectOk(Show(CORVANE_PAGE_ALIAS, [&](driver::Sheet& sheet) {
        const int rows = ListView_GetItemCount(List(sheet));
        EXPECT_EQ(rows, 4000);
        EXPECT_EQ(Row(sheet, rows - 1), L"  |a3999|u3999");
        Tap(sheet, 3999);
        sheet.Click(IDC_URL_UP);
        sheet.Ok();
    }));
    std::vector<std::wstring> stored = Stored(L"Alias");
    ASSERT_EQ(stored.size(), 4000u);
    EXPECT_EQ(stored[3998], L"  a3999|u3999");
    EXPECT_EQ(stored[3999], L"  a3998|u3998");
}

}  // namespace
