// The "Buttons" page through the real sheet and registry, with prepared shell button keys.
#include <gtest/gtest.h>
#include <windows.h>
#include <commctrl.h>

#include <algorithm>

#include "include/corvane_options.h"
#include "resource.h"
#include "support/Fixtures.h"

namespace {

using testreg::kShellKeys;

const DWORD kAbsent = 0xFFFFFFFF;
const wchar_t kNotepad[] = L"C:\\windows\\notepad.exe";

// The assignment combo's indices of a few functions.
const int kChoiceNoChange = 0;
const int kChoiceNone = 1;
const int kChoicePieBack = 2;
const int kChoiceNewBlankTab = 15;
const int kChoiceCloseTab = 18;
const int kChoicePreviousTab = 19;
const int kChoiceNextTab = 20;
const int kChoiceToggleFullScreen = 21;

struct Row {
    std::wstring name;
    std::wstring assignment;
    int image;
    bool operator==(const Row& other) const
    {
        return name == other.name && assignment == other.assignment && image == other.image;
    }
};

std::ostream& operator<<(std::ostream& out, const Row& row)
{
    return out << "{" << testing::PrintToString(row.name) << ", " << testing::PrintToString(row.assignment) << ", "
               << row.image << "}";
}

std::vector<Row> Rows(const driver::Sheet& sheet)
{
    HWND list = sheet.Item(IDC_BUTTONS_LIST);
    std::vector<Row> rows;
    int count = static_cast<int>(SendMessageW(list, LVM_GETITEMCOUNT, 0, 0));
    for (int i = 0; i < count; ++i) {
        LVITEMW item = {};
        item.mask = LVIF_IMAGE;
        item.iItem = i;
        SendMessageW(list, LVM_GETITEMW, 0, reinterpret_cast<LPARAM>(&item));
        rows.push_back({driver::ListItemText(list, i, 0), driver::ListItemText(list, i, 1), item.iImage});
    }
    return rows;
}

std::vector<std::wstring> Assignments(const driver::Sheet& sheet)
{
    std::vector<std::wstring> texts;
    for (const Row& row : Rows(sheet)) texts.push_back(row.assignment);
    return texts;
}

// The interval trackbar's answer to a query without arguments (position, range).
int IntervalTrackbar(const driver::Sheet& sheet, UINT message)
{
    return static_cast<int>(SendMessageW(sheet.Item(IDC_BUTTONS_INTERVAL_TRACKBAR), message, 0, 0));
}

HIMAGELIST Images(const driver::Sheet& sheet)
{
    return reinterpret_cast<HIMAGELIST>(SendMessageW(sheet.Item(IDC_BUTTONS_LIST), LVM_GETIMAGELIST, LVSIL_SMALL, 0));
}

// The pixels of one image drawn on white, to tell the pictures apart.
std::vector<COLORREF> Picture(HIMAGELIST images, int index)
{
    int cx = 0, cy = 0;
    ImageList_GetIconSize(images, &cx, &cy);
    HDC screen = GetDC(NULL);
    HDC dc = CreateCompatibleDC(screen);
    HBITMAP bitmap = CreateCompatibleBitmap(screen, cx, cy);
    HGDIOBJ old = SelectObject(dc, bitmap);
    RECT all = {0, 0, cx, cy};
    FillRect(dc, &all, static_cast<HBRUSH>(GetStockObject(WHITE_BRUSH)));
    ImageList_Draw(images, index, dc, 0, 0, ILD_NORMAL);
    std::vector<COLORREF> pixels;
    for (int y = 0; y < cy; ++y)
        for (int x = 0; x < cx; ++x) pixels.push_back(GetPixel(dc, x, y));
    SelectObject(dc, old);
    DeleteObject(bitmap);
    DeleteDC(dc);
    ReleaseDC(NULL, screen);
    return pixels;
}

// What a tap on a row does: selects and focuses it and moves the list's selection mark.
void TapRow(driver::Sheet& sheet, int index)
{
    HWND list = sheet.Item(IDC_BUTTONS_LIST);
    SendMessageW(list, LVM_ENSUREVISIBLE, index, FALSE);  // a user scrolls to a row before tapping it
    RECT rc = {};
    rc.left = LVIR_LABEL;
    ASSERT_TRUE(SendMessageW(list, LVM_GETITEMRECT, index, reinterpret_cast<LPARAM>(&rc)));
    LPARAM point = MAKELPARAM((rc.left + rc.right) / 2, (rc.top + rc.bottom) / 2);
    SendMessageW(list, WM_LBUTTONDOWN, MK_LBUTTON, point);
    SendMessageW(list, WM_LBUTTONUP, 0, point);
    ASSERT_EQ(SendMessageW(list, LVM_GETSELECTIONMARK, 0, 0), index);
}

class ButtonsPageTest : public SheetTest {
protected:
    void SetUp() override
    {
        SheetTest::SetUp();
        testreg::DeleteTree(HKEY_LOCAL_MACHINE, kShellKeys);
    }

    // A shell button key; null texts and kAbsent flags are left out.
    void AddShellButton(const std::wstring& key, const wchar_t* name, const wchar_t* icon = nullptr,
                        const wchar_t* program = nullptr, DWORD flags = kAbsent) const
    {
        const std::wstring path = std::wstring(kShellKeys) + L"\\" + key;
        RegCloseKey(CreateKey(path));
        if (name) testreg::WriteString(HKEY_LOCAL_MACHINE, path, L"Name", name);
        if (icon) testreg::WriteString(HKEY_LOCAL_MACHINE, path, L"Icon", icon);
        if (program) testreg::WriteString(HKEY_LOCAL_MACHINE, path, nullptr, program);
        if (flags != kAbsent) testreg::WriteDword(HKEY_LOCAL_MACHINE, path, L"Flags", flags);
    }

    static HKEY CreateKey(const std::wstring& path)
    {
        HKEY key = NULL;
        RegCreateKeyExW(HKEY_LOCAL_MACHINE, path.c_str(), 0, NULL, 0, KEY_ALL_ACCESS, NULL, &key, NULL);
        return key;
    }

    void StoreAssignment(const std::wstring& key, DWORD value) const
    {
        testreg::WriteDword(HKEY_CURRENT_USER, SectionPath(L"Keys\\" + key), nullptr, value);
    }

    DWORD Assignment(const std::wstring& key) const
    {
        DWORD value = 0xDEADBEEF;
        EXPECT_TRUE(testreg::ReadDword(HKEY_CURRENT_USER, SectionPath(L"Keys\\" + key), nullptr, &value))
            << "no assignment stored for " << testing::PrintToString(key);
        return value;
    }

    // The image index each button gets: the position of its key in the shell's enumeration.
    static int EnumerationIndex(const std::wstring& key)
    {
        const std::vector<std::wstring> names = testreg::SubkeyNames(HKEY_LOCAL_MACHINE, kShellKeys);
        auto found = std::find(names.begin(), names.end(), key);
        return found == names.end() ? -1 : static_cast<int>(found - names.begin());
    }

    testreg::SavedKey shellKeys{HKEY_LOCAL_MACHINE, kShellKeys};
};

TEST_F(ButtonsPageTest, NoShellButtonsLeaveTheListEmptyAndSaveOnlyTheTwoNumbers)
{
    RegCloseKey(CreateKey(kShellKeys));
    ExpectOk(Show(CORVANE_PAGE_BUTTONS, [&](driver::Sheet& sheet) {
        EXPECT_EQ(SendMessageW(sheet.Item(IDC_BUTTONS_LIST), LVM_GETITEMCOUNT, 0, 0), 0);
        EXPECT_EQ(ImageList_GetImageCount(Images(sheet)), 0);
        EXPECT_EQ(sheet.ComboTexts(IDC_BUTTONS_ASSIGNMENT_COMBO),
                  (std::vector<std::wstring>{
                      L"<No Change>",
                      L"<None>",
                      L"[PIE] Back",
                      L"[PIE] Forward",
                      L"[PIE] Stop/Refresh",
                      L"[PIE] Home",
                      L"[PIE] Favorites",
                      L"[PIE] Change Layout",
                      L"[PIE] Show/Hide Images",
                      L"[PIE] Show/Hide Address Bar",
                      L"[PIE] History",
                      L"[PIE] Properties",
                      L"[Corvane] Menu",
                      L"[Corvane] Toggle Standard/Pocket View",
                      L"[Corvane] New tab",
                      L"[Corvane] New blank tab",
                      L"[Corvane] New current tab",
                      L"[Corvane] New home tab",
                      L"[Corvane] Close tab",
                      L"[Corvane] Previous tab",
                      L"[Corvane] Next tab",
                      L"[Corvane] Toggle fullscreen",
                      L"[Corvane] Cursor to Address Bar",
                      L"[Corvane] Beginning of page",
                      L"[Corvane] End of page",
                      L"[Corvane] Press TAB key",
                      L"[Corvane] Press SHIFT-TAB key",
                      L"[Corvane] Toggle D-Pad scroll mode",
                      L"[Corvane] Toggle Jog Dial scroll mode",
                  }));
        std::vector<LRESULT> codes;
        for (int i = 0; i < sheet.ComboCount(IDC_BUTTONS_ASSIGNMENT_COMBO); ++i)
            codes.push_back(sheet.ComboData(IDC_BUTTONS_ASSIGNMENT_COMBO, i));
        EXPECT_EQ(codes, (std::vector<LRESULT>{0x00, 0x01, 0x20, 0x21, 0x22, 0x23, 0x24, 0x25, 0x26, 0x27,
                                               0x28, 0x29, 0x40, 0x43, 0x44, 0x45, 0x46, 0x47, 0x48, 0x49,
                                               0x4A, 0x4B, 0x4C, 0x41, 0x42, 0x4D, 0x4E, 0x4F, 0x50}));
        EXPECT_EQ(sheet.ComboSelection(IDC_BUTTONS_SCROLL_AMOUNT_COMBO), 19) << "20 by default";
        EXPECT_EQ(IntervalTrackbar(sheet, TBM_GETPOS), 400);
        EXPECT_EQ(IntervalTrackbar(sheet, TBM_GETRANGEMIN), 200);
        EXPECT_EQ(IntervalTrackbar(sheet, TBM_GETRANGEMAX), 1000);
        EXPECT_TRUE(sheet.Visible(IDC_BUTTONS_INTERVAL_TRACKBAR) && sheet.Visible(IDC_BUTTONS_INTERVAL_LABEL));
        const std::vector<std::wstring> amounts = sheet.ComboTexts(IDC_BUTTONS_SCROLL_AMOUNT_COMBO);
        ASSERT_EQ(amounts.size(), 100u);
        EXPECT_EQ(amounts.front(), L"1");
        EXPECT_EQ(amounts.back(), L"100");
        sheet.Ok();
    }));

    std::vector<std::wstring> names = testreg::ValueNames(HKEY_CURRENT_USER, SettingsPath());
    std::sort(names.begin(), names.end());
    EXPECT_EQ(names, (std::vector<std::wstring>{L"HotKeyInterval", L"ScrollLineAmount"}));
    EXPECT_EQ(Dword(L"ScrollLineAmount"), 20u);
    EXPECT_EQ(Dword(L"HotKeyInterval"), 400u);
    EXPECT_FALSE(testreg::KeyExists(HKEY_CURRENT_USER, SectionPath(L"Keys")));
}

TEST_F(ButtonsPageTest, ListsEachButtonWithItsIconNameAndShellTextInSortedOrder)
{
    AddShellButton(L"40C1", L"Record", (std::wstring(kNotepad) + L",0").c_str(), L"\\Windows\\voice.exe");
    AddShellButton(L"40C2", L"calendar", nullptr, nullptr, 1);
    AddShellButton(L"40C3", L"Apps", L"C:\\nowhere\\missing.exe,1", nullptr, 3);
    AddShellButton(L"40C4", L"Zoom", kNotepad, L"launcher");
    AddShellButton(L"40C5", L"Mail", nullptr, L"\\Program Files\\mail.app\\inbox", 5);
    AddShellButton(L"40C7", L"Side", nullptr, nullptr, 12);
    AddShellButton(L"40C8", L"Jog", nullptr, nullptr, 13);
    AddShellButton(L"40C9", nullptr);
    auto image = [](const wchar_t* key) { return EnumerationIndex(key); };
    ExpectRanOn(CORVANE_PAGE_BUTTONS, Show(CORVANE_PAGE_BUTTONS, [&](driver::Sheet& sheet) {
        // Sorted without regard to case; a button without a name sorts first.
        EXPECT_EQ(Rows(sheet), (std::vector<Row>{
                                   {L"", L"", image(L"40C9")},
                                   {L" (Hold)", L"", image(L"40C9")},
                                   {L"Apps", L"", image(L"40C3")},
                                   {L"Apps (Hold)", L"", image(L"40C3")},
                                   {L"calendar", L"<Start Menu>", image(L"40C2")},
                                   {L"calendar (Hold)", L"<Start Menu>", image(L"40C2")},
                                   {L"Jog", L"", image(L"40C8")},
                                   {L"Jog (Hold)", L"", image(L"40C8")},
                                   {L"Mail", L"inbox", image(L"40C5")},
                                   {L"Mail (Hold)", L"inbox", image(L"40C5")},
                                   {L"Record", L"voice", image(L"40C1")},
                                   {L"Record (Hold)", L"voice", image(L"40C1")},
                                   {L"Side", L"<Rotate Screen>", image(L"40C7")},
                                   {L"Side (Hold)", L"<Rotate Screen>", image(L"40C7")},
                                   {L"Zoom", L"launcher", image(L"40C4")},
                                   {L"Zoom (Hold)", L"launcher", image(L"40C4")},
                               }));
        HIMAGELIST images = Images(sheet);
        const int imageCount = ImageList_GetImageCount(images);
        ASSERT_EQ(imageCount, 8) << "one image per button";
        std::vector<std::vector<COLORREF>> pictures;
        for (int i = 0; i < imageCount; ++i) pictures.push_back(Picture(images, i));
        ASSERT_EQ(pictures.size(), 8u);
        // An icon file with or without an index gives its first icon; a missing file, or none,
        // gives the page's own button picture.
        EXPECT_EQ(pictures[image(L"40C1")], pictures[image(L"40C4")]);
        EXPECT_EQ(pictures[image(L"40C2")], pictures[image(L"40C3")]);
        EXPECT_EQ(pictures[image(L"40C2")], pictures[image(L"40C9")]);
        EXPECT_NE(pictures[image(L"40C1")], pictures[image(L"40C2")]);
    }));
}

TEST_F(ButtonsPageTest, StoredAssignmentsAreShownAndAnUntouchedSaveKeepsThem)
{
    AddShellButton(L"40C1", L"A first", nullptr, L"\\Windows\\alpha.exe");
    AddShellButton(L"40C2", L"B", nullptr, L"\\Windows\\beta.exe");
    AddShellButton(L"40C3", L"C", nullptr, L"\\Windows\\gamma.exe");
    AddShellButton(L"40C4", L"D", nullptr, L"\\Windows\\delta.exe");
    StoreAssignment(L"40C1", 0x99);        // a short-press code the page does not know
    StoreAssignment(L"40C2", 0x00450020);  // [PIE] Back, and New blank tab when held
    StoreAssignment(L"40C3", 0x48);        // Close tab, the press-and-hold left to the shell
    ExpectOk(Show(CORVANE_PAGE_BUTTONS, [](driver::Sheet& sheet) {
        EXPECT_EQ(Assignments(sheet),
                  (std::vector<std::wstring>{L"<No Change>", L"alpha", L"[PIE] Back", L"[Corvane] New blank tab",
                                             L"[Corvane] Close tab", L"gamma", L"delta", L"delta"}));
        EXPECT_EQ(sheet.ComboSelection(IDC_BUTTONS_ASSIGNMENT_COMBO), kChoiceNoChange) << "the first row";
        TapRow(sheet, 3);
        EXPECT_EQ(sheet.ComboSelection(IDC_BUTTONS_ASSIGNMENT_COMBO), kChoiceNewBlankTab) << "B held";
        TapRow(sheet, 0);
        EXPECT_EQ(sheet.ComboSelection(IDC_BUTTONS_ASSIGNMENT_COMBO), kChoiceNoChange) << "an unknown code";
        sheet.Ok();
    }));
    // Opening the page and pressing OK changes no button.
    EXPECT_EQ(Assignment(L"40C1"), 0x99u);
    EXPECT_EQ(Assignment(L"40C2"), 0x00450020u);
    EXPECT_EQ(Assignment(L"40C3"), 0x48u);
    EXPECT_EQ(Assignment(L"40C4"), 0u) << "every row is written on every save";

    // The first row's twin keeps "<No Change>" too.
    StoreAssignment(L"40C1", 0x4A);
    ExpectOk(Show(CORVANE_PAGE_BUTTONS, [](driver::Sheet& sheet) {
        const std::vector<std::wstring> shown = Assignments(sheet);
        ASSERT_GE(shown.size(), 2u);
        EXPECT_EQ(shown[0], L"[Corvane] Next tab");
        EXPECT_EQ(shown[1], L"alpha");
        EXPECT_EQ(sheet.ComboSelection(IDC_BUTTONS_ASSIGNMENT_COMBO), kChoiceNextTab);
        sheet.Ok();
    }));
    EXPECT_EQ(Assignment(L"40C1"), 0x4Au);
}

TEST_F(ButtonsPageTest, ChoosingForOneRowTakesOverItsTwinAndNoChangeGivesItBack)
{
    AddShellButton(L"40C1", L"Record", nullptr, L"\\Windows\\voice.exe");
    AddShellButton(L"40C2", L"Zoom", nullptr, nullptr, 4);
    ExpectOk(Show(CORVANE_PAGE_BUTTONS, [](driver::Sheet& sheet) {
        // The first row is selected when the page opens.
        sheet.ChooseCombo(IDC_BUTTONS_ASSIGNMENT_COMBO, kChoiceCloseTab);
        EXPECT_EQ(Assignments(sheet),
                  (std::vector<std::wstring>{L"[Corvane] Close tab", L"<None>", L"<Today>", L"<Today>"}));
        sheet.ChooseCombo(IDC_BUTTONS_ASSIGNMENT_COMBO, kChoiceNoChange);
        EXPECT_EQ(Assignments(sheet), (std::vector<std::wstring>{L"voice", L"voice", L"<Today>", L"<Today>"}));
        sheet.ChooseCombo(IDC_BUTTONS_ASSIGNMENT_COMBO, kChoiceCloseTab);
        TapRow(sheet, 1);
        EXPECT_EQ(sheet.ComboSelection(IDC_BUTTONS_ASSIGNMENT_COMBO), kChoiceNone) << "the twin taken over";
        // Both rows taken over already: the short row keeps its function.
        sheet.ChooseCombo(IDC_BUTTONS_ASSIGNMENT_COMBO, kChoiceToggleFullScreen);
        EXPECT_EQ(Assignments(sheet), (std::vector<std::wstring>{L"[Corvane] Close tab", L"[Corvane] Toggle fullscreen",
                                                                 L"<Today>", L"<Today>"}));
        // The press-and-hold row chosen first takes over the short row.
        TapRow(sheet, 3);
        sheet.ChooseCombo(IDC_BUTTONS_ASSIGNMENT_COMBO, kChoicePreviousTab);
        EXPECT_EQ(Assignments(sheet), (std::vector<std::wstring>{L"[Corvane] Close tab", L"[Corvane] Toggle fullscreen",
                                                                 L"<None>", L"[Corvane] Previous tab"}));
        sheet.Ok();
    }));
    // Short-press code in the low half, press-and-hold code in the high half.
    EXPECT_EQ(Assignment(L"40C1"), 0x004B0048u);
    EXPECT_EQ(Assignment(L"40C2"), 0x00490001u);
}

TEST_F(ButtonsPageTest, WithoutPressAndHoldOnlyShortRowsAreListedAndTheIntervalIsKept)
{
    AddShellButton(L"40C1", L"Record", nullptr, L"\\Windows\\voice.exe");
    AddShellButton(L"40C2", L"Zoom");
    StoreAssignment(L"40C1", 0x00450020);
    WriteDword(L"HotKeyInterval", 700);
    driver::HostArgs args = Args(CORVANE_PAGE_BUTTONS);
    args.holdUnsupported = 1;
    ExpectOk(Show(args, [](driver::Sheet& sheet) {
        EXPECT_FALSE(sheet.Visible(IDC_BUTTONS_INTERVAL_LABEL));
        EXPECT_FALSE(sheet.Visible(IDC_BUTTONS_INTERVAL_TRACKBAR));
        TapRow(sheet, 1);
        sheet.ChooseCombo(IDC_BUTTONS_ASSIGNMENT_COMBO, kChoiceCloseTab);
        const std::vector<Row> rows = Rows(sheet);
        ASSERT_EQ(rows.size(), 2u);
        EXPECT_EQ(rows[0].name, L"Record");
        EXPECT_EQ(rows[0].assignment, L"[PIE] Back");
        EXPECT_EQ(rows[1].name, L"Zoom");
        EXPECT_EQ(rows[1].assignment, L"[Corvane] Close tab");
        sheet.Ok();
    }));
    EXPECT_EQ(Dword(L"HotKeyInterval"), 700u) << "the hidden interval is written back as stored";
    // A button with only a short-press row stores its code in the low half and keeps the
    // press-and-hold half this host does not offer.
    EXPECT_EQ(Assignment(L"40C1"), 0x00450020u);
    EXPECT_EQ(Assignment(L"40C2"), 0x48u);
}

TEST_F(ButtonsPageTest, ShellKey40C6HidesPressAndHoldRowsButNotTheInterval)
{
    AddShellButton(L"40C1", L"Record");
    AddShellButton(L"40C6", L"Hold reserved");
    WriteDword(L"HotKeyInterval", 600);
    ExpectOk(Show(CORVANE_PAGE_BUTTONS, [](driver::Sheet& sheet) {
        EXPECT_TRUE(sheet.Visible(IDC_BUTTONS_INTERVAL_TRACKBAR) && sheet.Visible(IDC_BUTTONS_INTERVAL_LABEL));
        EXPECT_EQ(IntervalTrackbar(sheet, TBM_GETPOS), 600);
        const std::vector<Row> rows = Rows(sheet);
        ASSERT_EQ(rows.size(), 2u);
        EXPECT_EQ(rows[0].name, L"Hold reserved");
        EXPECT_EQ(rows[1].name, L"Record");
        sheet.Ok();
    }));
    EXPECT_EQ(Dword(L"HotKeyInterval"), 600u);
}

TEST_F(ButtonsPageTest, ScrollAmountAndIntervalOutsideTheirRanges)
{
    WriteDword(L"ScrollLineAmount", 0);
    WriteDword(L"HotKeyInterval", 1500);
    ExpectOk(Show(CORVANE_PAGE_BUTTONS, [](driver::Sheet& sheet) {
        EXPECT_EQ(sheet.ComboSelection(IDC_BUTTONS_SCROLL_AMOUNT_COMBO), -1);
        EXPECT_EQ(IntervalTrackbar(sheet, TBM_GETPOS), 1000);
        sheet.Ok();
    }));
    EXPECT_EQ(Dword(L"ScrollLineAmount"), 0u) << "no choice stores 0";
    EXPECT_EQ(Dword(L"HotKeyInterval"), 1000u);

    WriteDword(L"ScrollLineAmount", 100);
    WriteDword(L"HotKeyInterval", 50);
    ExpectOk(Show(CORVANE_PAGE_BUTTONS, [](driver::Sheet& sheet) {
        EXPECT_EQ(sheet.ComboSelection(IDC_BUTTONS_SCROLL_AMOUNT_COMBO), 99);
        EXPECT_EQ(IntervalTrackbar(sheet, TBM_GETPOS), 200);
        sheet.ChooseCombo(IDC_BUTTONS_SCROLL_AMOUNT_COMBO, 4);
        sheet.Ok();
    }));
    EXPECT_EQ(Dword(L"ScrollLineAmount"), 5u);
    EXPECT_EQ(Dword(L"HotKeyInterval"), 200u);
}

TEST_F(ButtonsPageTest, CancelStoresNothingAndCreatesNoKey)
{
    AddShellButton(L"40C1", L"Record", nullptr, L"\\Windows\\voice.exe");
    ExpectCancelledOn(CORVANE_PAGE_BUTTONS, Show(CORVANE_PAGE_BUTTONS, [](driver::Sheet& sheet) {
        TapRow(sheet, 0);
        sheet.ChooseCombo(IDC_BUTTONS_ASSIGNMENT_COMBO, kChoicePieBack);
        sheet.Cancel();
    }));
    EXPECT_FALSE(testreg::KeyExists(HKEY_CURRENT_USER, SettingsPath())) << "the page only opens the settings key";
}

}  // namespace

namespace {

// A new choice on a short-press row replaces the whole low half: an old 0x199 must not turn
// "[PIE] Back" into 0x120, a code of no function, on a host or device without press-and-hold
// rows to write after it. The press-and-hold half stays as it was.
TEST_F(ButtonsPageTest, ShortPressChoiceIsStoredWholeWhateverTheOldCode)
{
    AddShellButton(L"40C1", L"Record");
    AddShellButton(L"40C2", L"Zoom");
    StoreAssignment(L"40C1", 0x199);
    StoreAssignment(L"40C2", 0x00470199);
    driver::HostArgs args = Args(CORVANE_PAGE_BUTTONS);
    args.holdUnsupported = 1;
    ExpectOk(Show(args, [](driver::Sheet& sheet) {
        for (int row : {0, 1}) {
            TapRow(sheet, row);
            sheet.ChooseCombo(IDC_BUTTONS_ASSIGNMENT_COMBO, kChoicePieBack);
        }
        sheet.Ok();
    }));
    EXPECT_EQ(Assignment(L"40C1"), 0x20u);
    EXPECT_EQ(Assignment(L"40C2"), 0x00470020u);

    // The shell reserving press-and-hold ("40C6") writes no press-and-hold row either.
    AddShellButton(L"40C6", L"Hold reserved");
    StoreAssignment(L"40C1", 0x1FF);
    ExpectOk(Show(CORVANE_PAGE_BUTTONS, [](driver::Sheet& sheet) {
        TapRow(sheet, 1);
        EXPECT_EQ(Rows(sheet)[1].name, L"Record");
        sheet.ChooseCombo(IDC_BUTTONS_ASSIGNMENT_COMBO, kChoiceCloseTab);
        sheet.Ok();
    }));
    EXPECT_EQ(Assignment(L"40C1"), 0x48u);
}

// The list sends notifications that carry a bare NMHDR (focus, clicks); the page must read no
// further than the record it was given. Here the record ends where the readable memory does.
TEST_F(ButtonsPageTest, NotificationsWithABareHeaderAreReadNoFurtherThanTheHeader)
{
    AddShellButton(L"40C1", L"Record");
    SYSTEM_INFO system = {};
    GetSystemInfo(&system);
    BYTE* pages = static_cast<BYTE*>(VirtualAlloc(NULL, system.dwPageSize * 2, MEM_COMMIT, PAGE_READWRITE));
    ASSERT_NE(pages, nullptr);
    DWORD old = 0;
    ASSERT_TRUE(VirtualProtect(pages + system.dwPageSize, system.dwPageSize, PAGE_NOACCESS, &old));
    NMHDR* header = reinterpret_cast<NMHDR*>(pages + system.dwPageSize - sizeof(NMHDR));
    ExpectOk(Show(CORVANE_PAGE_BUTTONS, [&](driver::Sheet& sheet) {
        header->hwndFrom = sheet.Item(IDC_BUTTONS_LIST);
        header->idFrom = IDC_BUTTONS_LIST;
        for (UINT code : {static_cast<UINT>(NM_SETFOCUS), static_cast<UINT>(NM_KILLFOCUS),
                          static_cast<UINT>(NM_RETURN), static_cast<UINT>(NM_RELEASEDCAPTURE)}) {
            header->code = code;
            SendMessageW(sheet.Page(), WM_NOTIFY, IDC_BUTTONS_LIST, reinterpret_cast<LPARAM>(header));
        }
        EXPECT_EQ(sheet.ComboSelection(IDC_BUTTONS_ASSIGNMENT_COMBO), kChoiceNoChange)
            << "the page still works after the notifications";
        sheet.Ok();
    }));
    VirtualFree(pages, 0, MEM_RELEASE);
}

}  // namespace
