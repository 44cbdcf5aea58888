// Turning the device while the sheet is open: the screen's width and height swap, the sheet,
// its page, the menu bar and the input panel follow the new screen, and nothing the user typed
// or chose is lost; open pop-ups stay on the screen.
#include <gtest/gtest.h>

#include "include/corvane_options.h"

#include <string>

#include "UrlPageSupport.h"
#include "support/Device.h"
#include "support/RealInput.h"
#include "support/ScreenOracle.h"

namespace {

using namespace urlpage;

class TurnTest : public UrlPageTest {
protected:
    void TearDown() override
    {
        // A test that failed half-turned leaves the device as the next test expects it.
        const device::Profile& profile = device::Running();
        if (device::Screen().right != profile.width) device::Turn();
        UrlPageTest::TearDown();
    }
};

std::string Describe(const RECT& rc)
{
    return "(" + std::to_string(rc.left) + "," + std::to_string(rc.top) + ")-(" + std::to_string(rc.right) + "," +
           std::to_string(rc.bottom) + ")";
}

bool OnScreen(const RECT& rc)
{
    const RECT screen = device::Screen();
    return rc.left >= 0 && rc.top >= 0 && rc.right <= screen.right && rc.bottom <= screen.bottom;
}

::testing::AssertionResult Placed(const char* what, HWND window, const RECT& expected)
{
    RECT rc = {};
    if (!window || !GetWindowRect(window, &rc)) return ::testing::AssertionFailure() << what << " has no window";
    if (!EqualRect(&rc, &expected))
        return ::testing::AssertionFailure() << what << " lies at " << Describe(rc) << ", not at " << Describe(expected);
    return ::testing::AssertionSuccess();
}

BOOL CALLBACK FindMenuBar(HWND window, LPARAM param)
{
    if (driver::ClassOf(window) == L"menu_worker" && IsWindowVisible(window)) {
        *reinterpret_cast<HWND*>(param) = window;
        return FALSE;
    }
    return TRUE;
}

// Turns the device and checks that the screen swapped and the layer's windows span it: the
// sheet over all but the menu bar, its tabs and page across the width, the menu bar along the
// bottom edge.
void TurnAndCheck(driver::Sheet& sheet, const char* step)
{
    SCOPED_TRACE(step);
    const RECT before = device::Screen();
    ASSERT_TRUE(device::Turn());
    const RECT screen = device::Screen();
    ASSERT_EQ(screen.right, before.bottom) << "width and height swap";
    ASSERT_EQ(screen.bottom, before.right);
    const device::Profile& profile = device::Running();
    EXPECT_TRUE(Placed("the sheet", sheet.Window(), {0, 0, screen.right, screen.bottom - profile.menuBar}));
    EXPECT_TRUE(Placed("the tab control", sheet.Tabs(),
                       {0, profile.titleBar, screen.right, screen.bottom - profile.menuBar}));
    RECT page = {};
    GetWindowRect(sheet.Page(), &page);
    EXPECT_EQ(page.left, 0);
    EXPECT_EQ(page.right, screen.right) << "the page spans the screen's width";
    EXPECT_EQ(page.top, profile.titleBar);
    HWND bar = NULL;
    EnumThreadWindows(GetCurrentThreadId(), FindMenuBar, reinterpret_cast<LPARAM>(&bar));
    EXPECT_TRUE(Placed("the menu bar", bar, device::MenuBar()));
    RECT ok = {};
    GetWindowRect(GetDlgItem(sheet.Window(), IDOK), &ok);
    EXPECT_TRUE(OnScreen(ok) && ok.bottom <= profile.titleBar) << "OK lies at " << Describe(ok);
}

// The sheet's owner, a top-level window of the thread like the host's, counts the shell's
// notices of a turn.
const WPARAM kSettingChangeReset = 0x3002;  // SETTINGCHANGE_RESET: the screen turned
WNDPROC ownerProc = NULL;
int resets = 0;

LRESULT CALLBACK CountingOwnerProc(HWND window, UINT message, WPARAM wParam, LPARAM lParam)
{
    if (message == WM_SETTINGCHANGE && wParam == kSettingChangeReset) ++resets;
    return CallWindowProcW(ownerProc, window, message, wParam, lParam);
}

TEST_F(TurnTest, ATurnWithThePanelUpKeepsTheEditAndTheSheetFollowsTheScreen)
{
    Seed(L"Alias", {{L"D a", L"http://a/"}, {L"  b", L"http://b/"}, {L" Ec", L"http://c/"}});
    Show(CORVANE_PAGE_ALIAS, [&](driver::Sheet& sheet) {
        Tap(sheet, 1);
        sheet.TapControl(IDC_ALIAS_ALIAS_EDIT);
        HWND edit = sheet.Item(IDC_ALIAS_ALIAS_EDIT);
        ASSERT_EQ(GetFocus(), edit);
        HWND owner = GetWindow(sheet.Window(), GW_OWNER);
        ASSERT_NE(owner, nullptr);
        resets = 0;
        ownerProc = reinterpret_cast<WNDPROC>(
            SetWindowLongPtrW(owner, GWLP_WNDPROC, reinterpret_cast<LONG_PTR>(CountingOwnerProc)));
        ASSERT_TRUE(screen::ShowsInputPanel()) << "a tap on the alias raises the panel";
        sheet.PressKeys(L"\bxy");
        SendMessageW(edit, EM_SETSEL, 1, 1);  // the caret between "x" and "y"
        EXPECT_SCREEN_WHOLE("before the turn");
        const std::wstring texts[] = {L"xzy", L"xzwy"};
        const wchar_t* typed[] = {L"z", L"w"};
        const char* steps[] = {"turned", "turned back"};
        for (int turn = 0; turn < 2; ++turn) {
            const auto caret = EditSelection(sheet, IDC_ALIAS_ALIAS_EDIT);
            const std::wstring text = sheet.Text(IDC_ALIAS_ALIAS_EDIT);
            const int resetsBefore = resets;
            const bool square = device::Screen().right == device::Screen().bottom;
            TurnAndCheck(sheet, steps[turn]);
            EXPECT_EQ(resets, resetsBefore + (square ? 0 : 1)) << steps[turn] << ": the top-level windows hear of a turn once";
            EXPECT_TRUE(screen::ShowsInputPanel()) << steps[turn] << ": the panel stays up at its new place";
            EXPECT_EQ(GetFocus(), edit) << steps[turn];
            EXPECT_EQ(sheet.Text(IDC_ALIAS_ALIAS_EDIT), text) << steps[turn];
            EXPECT_EQ(EditSelection(sheet, IDC_ALIAS_ALIAS_EDIT), caret) << steps[turn] << ": the caret stays";
            EXPECT_EQ(Selected(sheet), std::vector<int>{1}) << steps[turn] << ": the row stays chosen";
            EXPECT_EQ(Cell(sheet, 1, 1), text) << steps[turn] << ": the row holds what was typed";
            EXPECT_SCREEN_WHOLE(steps[turn]);
            // Typed on the turned screen, at the caret.
            sheet.PressKeys(typed[turn]);
            EXPECT_EQ(sheet.Text(IDC_ALIAS_ALIAS_EDIT), texts[turn]);
            EXPECT_SCREEN_WHOLE("typed after the turn");
        }
        EXPECT_EQ(device::Screen().right, device::Running().width) << "turned back as the device started";
        SetWindowLongPtrW(owner, GWLP_WNDPROC, reinterpret_cast<LONG_PTR>(ownerProc));
        sheet.Ok();
    });
    EXPECT_EQ(Stored(L"Alias"), (std::vector<std::wstring>{L"D a|http://a/", L"  xzwy|http://b/", L" Ec|http://c/"}));
}

TEST_F(TurnTest, AnOpenDropDownListAndAMessageBoxStayOnTheTurnedScreen)
{
    Seed(L"Alias", {{L"D a", L"http://a/"}, {L"  b", L"http://b/"}});
    Show(CORVANE_PAGE_ALIAS, [&](driver::Sheet& sheet) {
        HWND combo = sheet.Item(IDC_ALIAS_EXPAND_KEY_COMBO);
        const int chosen = sheet.ComboSelection(IDC_ALIAS_EXPAND_KEY_COMBO);
        sheet.TapControl(IDC_ALIAS_EXPAND_KEY_COMBO);
        COMBOBOXINFO info = {};
        info.cbSize = sizeof(info);
        ASSERT_TRUE(GetComboBoxInfo(combo, &info));
        ASSERT_TRUE(IsWindowVisible(info.hwndList)) << "a tap opens the list";
        for (const char* step : {"turned", "turned back"}) {
            TurnAndCheck(sheet, step);
            RECT list = {};
            GetWindowRect(info.hwndList, &list);
            EXPECT_TRUE(IsWindowVisible(info.hwndList)) << step << ": the list stays open";
            EXPECT_TRUE(OnScreen(list)) << step << ": the list lies at " << Describe(list);
            EXPECT_EQ(sheet.ComboSelection(IDC_ALIAS_EXPAND_KEY_COMBO), chosen) << step;
        }
        SendMessageW(combo, CB_SHOWDROPDOWN, FALSE, 0);
        realinput::Settle();

        // The confirmation of Default, turned under while it waits for an answer.
        static std::vector<RECT> boxRects;
        static std::vector<bool> turned;
        boxRects.clear();
        turned.clear();
        struct Turner {
            static void CALLBACK Tick(HWND, UINT, UINT_PTR timer, DWORD)
            {
                HWND box = NULL;
                EnumThreadWindows(GetCurrentThreadId(), FindBox, reinterpret_cast<LPARAM>(&box));
                if (!box) return;
                KillTimer(NULL, timer);
                for (int i = 0; i < 2; ++i) {
                    turned.push_back(device::Turn());
                    RECT rc = {};
                    GetWindowRect(box, &rc);
                    boxRects.push_back(rc);
                    turned.push_back(OnScreen(rc));
                }
                PostMessageW(box, WM_COMMAND, IDCANCEL, 0);
            }
            static BOOL CALLBACK FindBox(HWND window, LPARAM param)
            {
                if (IsWindowVisible(window) && GetDlgItem(window, 0xFFFF)) {
                    *reinterpret_cast<HWND*>(param) = window;
                    return FALSE;
                }
                return TRUE;
            }
        };
        SetTimer(NULL, 0, 20, Turner::Tick);
        sheet.Click(IDC_URL_DEFAULT);
        ASSERT_EQ(boxRects.size(), 2u) << "the confirmation was shown and turned under";
        EXPECT_EQ(turned, (std::vector<bool>{true, true, true, true})) << "each turn made, the box on the screen after it: "
                                                                         << Describe(boxRects[0]) << " "
                                                                         << Describe(boxRects[1]);
        EXPECT_SCREEN_WHOLE("after the confirmation");
        sheet.Cancel();
    });
    EXPECT_EQ(Stored(L"Alias").size(), 2u) << "Default was cancelled";
}

// The screen's size is asked once per sheet: a sheet opened after a turn made while none was
// open fills the turned screen, and its panel and taps land where the turned screen has them.
TEST_F(TurnTest, ASheetOpenedAfterATurnWithNoneOpenFillsTheTurnedScreen)
{
    Seed(L"Alias", {{L"D a", L"http://a/"}, {L"  b", L"http://b/"}});
    Show(CORVANE_PAGE_ALIAS, [&](driver::Sheet& sheet) { sheet.Cancel(); });
    for (const char* step : {"turned", "turned back"}) {
        SCOPED_TRACE(step);
        ASSERT_TRUE(device::Turn());
        Show(CORVANE_PAGE_ALIAS, [&](driver::Sheet& sheet) {
            const RECT screen = device::Screen();
            const device::Profile& profile = device::Running();
            EXPECT_TRUE(Placed("the sheet", sheet.Window(), {0, 0, screen.right, screen.bottom - profile.menuBar}));
            HWND bar = NULL;
            EnumThreadWindows(GetCurrentThreadId(), FindMenuBar, reinterpret_cast<LPARAM>(&bar));
            EXPECT_TRUE(Placed("the menu bar", bar, device::MenuBar()));
            EXPECT_SCREEN_WHOLE("opened");
            Tap(sheet, 1);
            sheet.TapControl(IDC_ALIAS_ALIAS_EDIT);
            EXPECT_TRUE(screen::ShowsInputPanel()) << "a tap on the alias raises the panel";
            sheet.PressKeys(L"x");
            EXPECT_SCREEN_WHOLE("typed");
            sheet.Ok();
        });
    }
    EXPECT_EQ(Stored(L"Alias"), (std::vector<std::wstring>{L"D a|http://a/", L"  bxx|http://b/"}));
}

}  // namespace
