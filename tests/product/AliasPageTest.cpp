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
    std::vector<std::wstring> columns, rows, keys, rowsAfterTaps;
    std::vector<int> selected;
    std::wstring aliasEdit = L"?", urlEdit = L"?", aliasEdit0, urlEdit1, aliasEdit2;
    bool checks[4] = {true, true, false, false};
    int key = -2;
    DWORD limits[2] = {};
    Show(kAliasPage, [&](driver::Sheet& sheet) {
        columns = Columns(sheet);
        rows = Rows(sheet);
        selected = Selected(sheet);
        aliasEdit = sheet.Text(IDC_ALIAS_ALIAS_EDIT);
        urlEdit = sheet.Text(IDC_URL_URL_EDIT);
        checks[0] = sheet.Checked(IDC_ALIAS_DEFAULT_CHECK);
        checks[1] = sheet.Checked(IDC_ALIAS_EXPAND_CHECK);
        keys = sheet.ComboTexts(IDC_ALIAS_EXPAND_KEY_COMBO);
        key = sheet.ComboSelection(IDC_ALIAS_EXPAND_KEY_COMBO);
        limits[0] = EditLimit(sheet, IDC_ALIAS_ALIAS_EDIT);
        limits[1] = EditLimit(sheet, IDC_URL_URL_EDIT);

        Tap(sheet, 1);
        urlEdit1 = sheet.Text(IDC_URL_URL_EDIT);
        Tap(sheet, 0);
        aliasEdit0 = sheet.Text(IDC_ALIAS_ALIAS_EDIT);
        checks[2] = sheet.Checked(IDC_ALIAS_DEFAULT_CHECK);
        checks[3] = sheet.Checked(IDC_ALIAS_EXPAND_CHECK);
        rowsAfterTaps = Rows(sheet);
        // A selection made by message reports the new row before the old one's deselection.
        ListView_SetItemState(List(sheet), 2, LVIS_SELECTED | LVIS_FOCUSED, LVIS_SELECTED | LVIS_FOCUSED);
        aliasEdit2 = sheet.Text(IDC_ALIAS_ALIAS_EDIT);
        sheet.Ok();
    });
    EXPECT_EQ(columns, (std::vector<std::wstring>{L"Flag 35", L"Alias 35", L"URL 130"}));
    EXPECT_EQ(rows, (std::vector<std::wstring>{L"DE|c|http://www.%s.com/", L"  |Gm|u1", L"  |x|"}));
    EXPECT_TRUE(selected.empty());
    EXPECT_EQ(aliasEdit + urlEdit, L"");
    EXPECT_FALSE(checks[0] || checks[1]);
    EXPECT_EQ(keys, (std::vector<std::wstring>{L"  ` (Back Quote)", L"  \\ (Back Slash)", L"  [ (Left Bracket)",
                                               L"  ] (Right Bracket)", L"  ; (Semi Colon)", L"  * (Apostrophe)",
                                               L"  $ (Dollar)", L"  ! (Exclamation)", L"  , (Comma)",
                                               L"  CTLR + ENTER", L"  SHIFT + ENTER"}));
    EXPECT_EQ(key, 0) << "nothing stored selects the first key";
    EXPECT_EQ(limits[0], 2045u) << "two flag characters go in front of the alias";
    EXPECT_EQ(limits[1], 2047u);
    EXPECT_EQ(urlEdit1, L"u1");
    EXPECT_EQ(aliasEdit0, L"c");
    EXPECT_TRUE(checks[2] && checks[3]);
    EXPECT_EQ(aliasEdit2, L"x");
    EXPECT_EQ(rowsAfterTaps[1], L"  |gm|u1") << "an alias is lowered once its row becomes current";
    EXPECT_EQ(Stored(L"Alias"), (std::vector<std::wstring>{L"DEc|http://www.%s.com/", L"  gm|u1", L"  x|"}));
    EXPECT_EQ(ValueCount(L"Alias"), 6u);
    EXPECT_EQ(Dword(L"AliasExpandKey"), 0u);
}

TEST_F(AliasPageTest, AddRemoveUpAndDownMoveWholeRows)
{
    SeedLetters();
    std::vector<std::vector<std::wstring>> steps;
    std::vector<int> afterAdd, afterRemove;
    std::wstring addEdits, movedEdit;
    Show(kAliasPage, [&](driver::Sheet& sheet) {
        // Without a current row these do nothing.
        sheet.Click(IDC_URL_REMOVE);
        sheet.Click(IDC_URL_UP);
        sheet.Click(IDC_URL_DOWN);
        steps.push_back(Rows(sheet));

        Tap(sheet, 3);
        sheet.Click(IDC_URL_ADD);
        afterAdd = Selected(sheet);
        addEdits = sheet.Text(IDC_ALIAS_ALIAS_EDIT) + L"|" + sheet.Text(IDC_URL_URL_EDIT);
        steps.push_back(Rows(sheet));

        sheet.Click(IDC_URL_REMOVE);
        afterRemove = Selected(sheet);
        afterRemove.push_back(static_cast<int>(sheet.Text(IDC_ALIAS_ALIAS_EDIT).size()));
        sheet.Click(IDC_URL_REMOVE);
        steps.push_back(Rows(sheet));

        Tap(sheet, 0);
        sheet.Click(IDC_URL_UP);
        sheet.Click(IDC_URL_DOWN);
        movedEdit = sheet.Text(IDC_ALIAS_ALIAS_EDIT) + L"|" + sheet.Text(IDC_URL_URL_EDIT);
        Tap(sheet, 4);
        sheet.Click(IDC_URL_DOWN);
        sheet.Click(IDC_URL_UP);
        steps.push_back(Rows(sheet));
        steps.push_back({std::to_wstring(Selected(sheet).at(0))});

        TapBeside(sheet);
        sheet.Click(IDC_URL_ADD);
        sheet.Ok();
    });
    ASSERT_EQ(steps.size(), 5u);
    const std::vector<std::wstring> seeded = {L"D |a|ua", L"  |b|ub", L" E|c|uc", L"  |d|ud", L"  |e|ue"};
    EXPECT_EQ(steps[0], seeded);
    EXPECT_EQ(steps[1], (std::vector<std::wstring>{L"D |a|ua", L"  |b|ub", L" E|c|uc", L"  |alias|", L"  |d|ud",
                                                   L"  |e|ue"}))
        << "the new row goes before the current one; like every alias it is lower case";
    EXPECT_EQ(afterAdd, (std::vector<int>{3}));
    EXPECT_EQ(addEdits, L"alias|");
    EXPECT_EQ(afterRemove, (std::vector<int>{0})) << "no row selected and the edit box emptied";
    EXPECT_EQ(steps[2], seeded) << "a second Remove has no row to remove";
    EXPECT_EQ(movedEdit, L"a|ua") << "the edit boxes follow the moved row";
    EXPECT_EQ(steps[3], (std::vector<std::wstring>{L"  |b|ub", L"D |a|ua", L" E|c|uc", L"  |e|ue", L"  |d|ud"}));
    EXPECT_EQ(steps[4], (std::vector<std::wstring>{L"3"}));
    EXPECT_EQ(Stored(L"Alias"), (std::vector<std::wstring>{L"  b|ub", L"D a|ua", L" Ec|uc", L"  e|ue", L"  d|ud",
                                                           L"  alias|"}));
}

TEST_F(AliasPageTest, DefaultBoxKeepsOneDefaultAliasAndExpKeyTouchesOnlyItsRow)
{
    SeedLetters();
    std::vector<std::vector<std::wstring>> steps;
    bool boxWithoutRow = false;
    Show(kAliasPage, [&](driver::Sheet& sheet) {
        Tap(sheet, 2);
        sheet.Click(IDC_ALIAS_DEFAULT_CHECK);
        steps.push_back(Rows(sheet));
        Tap(sheet, 4);
        sheet.Click(IDC_ALIAS_EXPAND_CHECK);
        steps.push_back(Rows(sheet));
        Tap(sheet, 2);
        sheet.Click(IDC_ALIAS_DEFAULT_CHECK);
        sheet.Click(IDC_ALIAS_EXPAND_CHECK);
        steps.push_back(Rows(sheet));
        TapBeside(sheet);
        sheet.Click(IDC_ALIAS_DEFAULT_CHECK);
        boxWithoutRow = sheet.Checked(IDC_ALIAS_DEFAULT_CHECK);
        steps.push_back(Rows(sheet));
        sheet.Ok();
    });
    ASSERT_EQ(steps.size(), 4u);
    EXPECT_EQ(steps[0], (std::vector<std::wstring>{L"  |a|ua", L"  |b|ub", L"DE|c|uc", L"  |d|ud", L"  |e|ue"}));
    EXPECT_EQ(steps[1], (std::vector<std::wstring>{L"  |a|ua", L"  |b|ub", L"DE|c|uc", L"  |d|ud", L" E|e|ue"}));
    EXPECT_EQ(steps[2], (std::vector<std::wstring>{L"  |a|ua", L"  |b|ub", L"  |c|uc", L"  |d|ud", L" E|e|ue"}))
        << "unchecking gives no other row the flag";
    EXPECT_TRUE(boxWithoutRow) << "only the box's own check mark changes";
    EXPECT_EQ(steps[3], steps[2]);
    EXPECT_EQ(Stored(L"Alias"), (std::vector<std::wstring>{L"  a|ua", L"  b|ub", L"  c|uc", L"  d|ud", L" Ee|ue"}));
}

TEST_F(AliasPageTest, TypedAliasesAreLoweredWithTheCaretKeptAndUrlsStoredAsTyped)
{
    Seed(L"Alias", {{L"  hello", L""}});
    std::wstring alias, url, row;
    std::pair<DWORD, DWORD> caret;
    Show(kAliasPage, [&](driver::Sheet& sheet) {
        Tap(sheet, 0);
        HWND edit = sheet.Item(IDC_ALIAS_ALIAS_EDIT);
        SetFocus(edit);
        SendMessageW(edit, EM_SETSEL, 2, 2);
        for (wchar_t c : std::wstring(L"XY\u00c4")) SendMessageW(edit, WM_CHAR, c, 1);
        alias = sheet.Text(IDC_ALIAS_ALIAS_EDIT);
        caret = EditSelection(sheet, IDC_ALIAS_ALIAS_EDIT);
        sheet.Type(IDC_URL_URL_EDIT, L"HTTP://Example.COM/%s");
        url = sheet.Text(IDC_URL_URL_EDIT);
        row = Row(sheet, 0);
        sheet.Ok();
    });
    EXPECT_EQ(alias, L"hexy\u00e4llo") << "letters of every script are lowered";
    EXPECT_EQ(caret, std::make_pair(DWORD(5), DWORD(5)));
    EXPECT_EQ(url, L"HTTP://Example.COM/%s");
    EXPECT_EQ(row, L"  |hexy\u00e4llo|HTTP://Example.COM/%s");
    EXPECT_EQ(Stored(L"Alias"), (std::vector<std::wstring>{L"  hexy\u00e4llo|HTTP://Example.COM/%s"}));
}

TEST_F(AliasPageTest, EditBoxesLimitWhatIsTypedToWhatCanBeReadBack)
{
    std::wstring alias, url;
    Show(kAliasPage, [&](driver::Sheet& sheet) {
        sheet.Click(IDC_URL_ADD);
        SendMessageW(sheet.Item(IDC_ALIAS_ALIAS_EDIT), EM_SETSEL, 0, -1);
        sheet.Type(IDC_ALIAS_ALIAS_EDIT, std::wstring(2050, L'a'));
        sheet.Type(IDC_URL_URL_EDIT, std::wstring(2050, L'u'));
        alias = Cell(sheet, 0, 1);
        url = Cell(sheet, 0, 2);
        sheet.Ok();
    });
    EXPECT_EQ(alias.size(), 2045u);
    EXPECT_EQ(url.size(), 2047u);
    std::vector<std::wstring> stored = Stored(L"Alias");
    ASSERT_EQ(stored.size(), 1u);
    EXPECT_EQ(stored[0], L"  " + std::wstring(2045, L'a') + L"|" + std::wstring(2047, L'u'));
    std::vector<std::wstring> rows;
    Show(kAliasPage, [&](driver::Sheet& sheet) {
        rows = Rows(sheet);
        sheet.Ok();
    });
    EXPECT_EQ(rows, (std::vector<std::wstring>{L"  |" + std::wstring(2045, L'a') + L"|" + std::wstring(2047, L'u')}))
        << "the longest entry the boxes take loads again, whole";
    EXPECT_EQ(Stored(L"Alias"), stored) << "and is saved again whole";
}

TEST_F(AliasPageTest, RemovingTheFirstRowKeepsTheOthersInOrder)
{
    SeedLetters();
    std::vector<std::wstring> rows;
    Show(kAliasPage, [&](driver::Sheet& sheet) {
        Tap(sheet, 0);
        sheet.Click(IDC_URL_REMOVE);
        rows = Rows(sheet);
        sheet.Ok();
    });
    EXPECT_EQ(rows, (std::vector<std::wstring>{L"  |b|ub", L" E|c|uc", L"  |d|ud", L"  |e|ue"}));
    EXPECT_EQ(Stored(L"Alias"), (std::vector<std::wstring>{L"  b|ub", L" Ec|uc", L"  d|ud", L"  e|ue"}));
}

TEST_F(AliasPageTest, TappingAnEditBoxWithoutARowPointsToAdd)
{
    bool focusOnList[2] = {false, false};
    bool enteredWithRow = false;
    int bottomBefore = 0, bottomAfter = 0;
    size_t boxesWithRow = 0;
    std::vector<driver::MessageBoxSeen> boxes;
    Show(kAliasPage, [&](driver::Sheet& sheet) {
        sheet.AnswerMessageBoxes(IDOK);
        bottomBefore = Rect(sheet, IDC_URL_LIST).bottom;
        sheet.Focus(IDC_ALIAS_ALIAS_EDIT);
        focusOnList[0] = GetFocus() == List(sheet);
        sheet.Focus(IDC_URL_URL_EDIT);
        focusOnList[1] = GetFocus() == List(sheet);
        bottomAfter = Rect(sheet, IDC_URL_LIST).bottom;
        boxes = sheet.MessageBoxes();
        sheet.Click(IDC_URL_ADD);
        sheet.Focus(IDC_URL_URL_EDIT);
        enteredWithRow = GetFocus() == sheet.Item(IDC_URL_URL_EDIT);
        boxesWithRow = sheet.MessageBoxes().size();
    });
    ASSERT_EQ(boxes.size(), 2u);
    for (const driver::MessageBoxSeen& box : boxes) {
        EXPECT_EQ(box.text, L"Please tap [Add] button to add new item");
        EXPECT_EQ(box.caption, product);
        EXPECT_EQ(box.buttons, (std::vector<int>{IDOK}));
    }
    EXPECT_TRUE(focusOnList[0] && focusOnList[1]) << "the focus goes back to the list view";
    EXPECT_EQ(bottomAfter, bottomBefore) << "the input panel stays down";
    EXPECT_TRUE(enteredWithRow);
    EXPECT_EQ(boxesWithRow, 2u) << "with a current row the edit box is simply entered";
}

TEST_F(AliasPageTest, DefaultAsksFirstAndRestoresTheTwentyAliasesOnlyInThePage)
{
    Seed(L"Alias", {{L"  mine", L"u"}, {L"  more", L"v"}});
    std::vector<std::wstring> afterCancel, afterOk, storedMeanwhile;
    std::vector<driver::MessageBoxSeen> boxes;
    std::vector<int> selected = {-2};
    std::wstring edits = L"?";
    int key = -2;
    Show(kAliasPage, [&](driver::Sheet& sheet) {
        sheet.ChooseCombo(IDC_ALIAS_EXPAND_KEY_COMBO, 7);
        Tap(sheet, 1);
        sheet.AnswerMessageBoxes(IDCANCEL);
        sheet.Click(IDC_URL_DEFAULT);
        afterCancel = Rows(sheet);
        afterCancel.push_back(sheet.Text(IDC_ALIAS_ALIAS_EDIT));
        sheet.AnswerMessageBoxes(IDOK);
        sheet.Click(IDC_URL_DEFAULT);
        afterOk = Rows(sheet);
        selected = Selected(sheet);
        edits = sheet.Text(IDC_ALIAS_ALIAS_EDIT) + sheet.Text(IDC_URL_URL_EDIT);
        key = sheet.ComboSelection(IDC_ALIAS_EXPAND_KEY_COMBO);
        boxes = sheet.MessageBoxes();
        storedMeanwhile = Stored(L"Alias");
        sheet.Ok();
    });
    ASSERT_EQ(boxes.size(), 2u);
    EXPECT_EQ(boxes[0].text, L"Do you want to clear all aliases and restore defaults?");
    EXPECT_EQ(boxes[0].caption, product);
    EXPECT_EQ(boxes[0].buttons, (std::vector<int>{IDOK, IDCANCEL}));
    EXPECT_EQ(afterCancel, (std::vector<std::wstring>{L"  |mine|u", L"  |more|v", L"more"}));
    ASSERT_EQ(afterOk.size(), 20u);
    EXPECT_EQ(afterOk[0], L"DE|c|http://www.%s.com/");
    EXPECT_EQ(afterOk[13].substr(0, 6), L"  |ys|");
    EXPECT_TRUE(selected.empty());
    EXPECT_EQ(edits, L"");
    EXPECT_EQ(key, 7) << "the expand key is not part of the defaults";
    EXPECT_EQ(storedMeanwhile, (std::vector<std::wstring>{L"  mine|u", L"  more|v"})) << "nothing is stored before OK";
    EXPECT_EQ(ValueCount(L"Alias"), 40u);
    EXPECT_EQ(Stored(L"Alias")[0], L"DEc|http://www.%s.com/");
    EXPECT_EQ(Dword(L"AliasExpandKey"), 7u);
}

TEST_F(AliasPageTest, ExpandKeyOutOfRangeShowsNothingAndTheChoiceIsKeptWithoutASettingsKey)
{
    int shown[3] = {-2, -2, -2};
    Show(kAliasPage, [&](driver::Sheet& sheet) {
        sheet.ChooseCombo(IDC_ALIAS_EXPAND_KEY_COMBO, 4);
        sheet.Ok();
    });
    EXPECT_EQ(Dword(L"AliasExpandKey"), 4u) << "written even though no settings key existed before";

    WriteDword(L"AliasExpandKey", 20);
    Show(kAliasPage, [&](driver::Sheet& sheet) {
        shown[0] = sheet.ComboSelection(IDC_ALIAS_EXPAND_KEY_COMBO);
        sheet.Ok();
    });
    EXPECT_EQ(Dword(L"AliasExpandKey"), 4294967295u);

    WriteDword(L"AliasExpandKey", 10);
    Show(kAliasPage, [&](driver::Sheet& sheet) { shown[1] = sheet.ComboSelection(IDC_ALIAS_EXPAND_KEY_COMBO); });
    testreg::WriteString(HKEY_CURRENT_USER, SettingsPath(), L"AliasExpandKey", L"5");
    Show(kAliasPage, [&](driver::Sheet& sheet) { shown[2] = sheet.ComboSelection(IDC_ALIAS_EXPAND_KEY_COMBO); });
    EXPECT_EQ(shown[0], -1);
    EXPECT_EQ(shown[1], 10);
    EXPECT_EQ(shown[2], 0) << "a value of another type reads as absent";
}

TEST_F(AliasPageTest, CancelStoresNothingAndAnEmptyListKeepsItsSubkey)
{
    Show(kAliasPage, [&](driver::Sheet& sheet) {
        sheet.Click(IDC_URL_ADD);
        sheet.Cancel();
    });
    EXPECT_FALSE(testreg::KeyExists(HKEY_CURRENT_USER, SectionPath(L"Alias")));
    Show(kAliasPage, [&](driver::Sheet& sheet) { sheet.Ok(); });
    EXPECT_TRUE(testreg::KeyExists(HKEY_CURRENT_USER, SectionPath(L"Alias")));
    EXPECT_EQ(ValueCount(L"Alias"), 0u);
}

TEST_F(AliasPageTest, RaisedInputPanelShortensTheListAndLiftsTheControlsBelowIt)
{
    SeedLetters();
    const int below[] = {IDC_ALIAS_ALIAS_LABEL, IDC_ALIAS_ALIAS_EDIT,    IDC_URL_URL_LABEL,
                         IDC_URL_URL_EDIT,      IDC_ALIAS_DEFAULT_CHECK, IDC_ALIAS_EXPAND_CHECK};
    std::vector<RECT> before, raised, lowered;
    auto measure = [&](driver::Sheet& sheet, std::vector<RECT>& rects) {
        rects.push_back(Rect(sheet, IDC_URL_LIST));
        for (int id : below) rects.push_back(Rect(sheet, id));
    };
    Show(kAliasPage, [&](driver::Sheet& sheet) {
        Tap(sheet, 4);
        measure(sheet, before);
        sheet.Focus(IDC_URL_URL_EDIT);
        measure(sheet, raised);
        sheet.Focus(IDC_URL_LIST);
        measure(sheet, lowered);
    });
    ASSERT_EQ(raised.size(), 7u);
    EXPECT_EQ(raised[0].top, before[0].top);
    EXPECT_EQ(raised[0].bottom, before[0].bottom - 80);
    for (size_t i = 1; i < 7; ++i) {
        EXPECT_EQ(raised[i].top, before[i].top - 80) << below[i - 1];
        EXPECT_EQ(raised[i].bottom, before[i].bottom - 80) << below[i - 1];
        EXPECT_EQ(raised[i].left, before[i].left) << below[i - 1];
    }
    for (size_t i = 0; i < 7; ++i) {
        EXPECT_EQ(lowered[i].top, before[i].top) << i;
        EXPECT_EQ(lowered[i].bottom, before[i].bottom) << i;
    }
}

TEST_F(AliasPageTest, ThousandsOfRowsLoadAndSaveWhole)
{
    std::vector<std::pair<std::wstring, std::wstring>> entries;
    for (int i = 0; i < 4000; ++i) entries.push_back({L"  a" + std::to_wstring(i), L"u" + std::to_wstring(i)});
    Seed(L"Alias", entries);
    int rows = 0;
    std::wstring last;
    Show(kAliasPage, [&](driver::Sheet& sheet) {
        rows = ListView_GetItemCount(List(sheet));
        last = Row(sheet, rows - 1);
        Tap(sheet, 3999);
        sheet.Click(IDC_URL_UP);
        sheet.Ok();
    });
    EXPECT_EQ(rows, 4000);
    EXPECT_EQ(last, L"  |a3999|u3999");
    std::vector<std::wstring> stored = Stored(L"Alias");
    ASSERT_EQ(stored.size(), 4000u);
    EXPECT_EQ(stored[3998], L"  a3999|u3999");
    EXPECT_EQ(stored[3999], L"  a3998|u3998");
}

}  // namespace
