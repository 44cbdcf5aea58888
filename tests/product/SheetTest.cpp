// The options sheet of the built OPTION.dll: its look, its pages and the result it reports.
#include <gtest/gtest.h>
#include <windows.h>
#include <commctrl.h>

#include <climits>

#include "resource.h"
#include "support/Fixtures.h"

namespace {

const std::vector<std::wstring> kTabLabels = {L"Buttons", L"PIE", L"URL Alias", L"URL Service", L"Screen",
                                              L"Menu",    L"Tab 1", L"Tab 2",   L"View",        L"About"};

// The layer's navigation bar: the title above the page, as the device's shell shows it.
const int kNavigationBarId = 0x3F00;

class OptionsSheetTest : public SheetTest {};

TEST_F(OptionsSheetTest, OpensOnTheStartPageWithTenTabsAndTheTitle)
{
    ExpectRanOn(CORVANE_PAGE_TAB_APPEARANCE, Show(CORVANE_PAGE_TAB_APPEARANCE, [&](driver::Sheet& sheet) {
        EXPECT_EQ(sheet.TabLabels(), kTabLabels);
        EXPECT_EQ(driver::WindowText(sheet.Window()), L"Corvane Option");
        EXPECT_EQ(sheet.PageIndex(), CORVANE_PAGE_TAB_APPEARANCE);
        RECT rc = {};
        GetWindowRect(sheet.Window(), &rc);
        EXPECT_EQ(rc.left, 0);
        EXPECT_EQ(rc.top, 0);
        EXPECT_EQ(rc.right, 240);
        EXPECT_EQ(rc.bottom, 294) << "full screen above the menu bar";
        // The navigation bar at the top shows the title too.
        HWND bar = GetDlgItem(sheet.Window(), kNavigationBarId);
        ASSERT_NE(bar, nullptr);
        EXPECT_EQ(driver::WindowText(bar), L"Corvane Option");
        EXPECT_TRUE(GetWindowLongW(sheet.Tabs(), GWL_STYLE) & TCS_BOTTOM) << "tabs go along the bottom";
        EXPECT_TRUE(IsWindowVisible(GetDlgItem(sheet.Window(), IDOK)));
        EXPECT_TRUE(IsWindowVisible(GetDlgItem(sheet.Window(), IDCANCEL)));
    }));
}

TEST_F(OptionsSheetTest, ResultReportsTheLastActivePageAndHowTheSheetClosed)
{
    int result = Show(CORVANE_PAGE_BUTTONS, [](driver::Sheet& sheet) {
        sheet.Select(CORVANE_PAGE_SCREEN);
        sheet.Select(CORVANE_PAGE_ALIAS);
        sheet.Ok();
    });
    EXPECT_EQ(CORVANE_LAST_PAGE(result), CORVANE_PAGE_ALIAS);
    EXPECT_EQ(CORVANE_SHEET_RESULT(result), CORVANE_SHEET_OK);
    EXPECT_EQ(result, ShowResult(CORVANE_PAGE_ALIAS, CORVANE_SHEET_OK)) << "and nothing else in the result";

    result = Show(CORVANE_PAGE_ABOUT, [](driver::Sheet& sheet) { sheet.Cancel(); });
    EXPECT_EQ(CORVANE_LAST_PAGE(result), CORVANE_PAGE_ABOUT);
    EXPECT_EQ(CORVANE_SHEET_RESULT(result), CORVANE_SHEET_CANCEL);
    EXPECT_EQ(result, ShowResult(CORVANE_PAGE_ABOUT, CORVANE_SHEET_CANCEL)) << "and nothing else in the result";
}

TEST_F(OptionsSheetTest, EveryPageRecordsItsIndexWhenActivated)
{
    ExpectRanOn(CORVANE_PAGE_SERVICE, Show(CORVANE_PAGE_BUTTONS, [&](driver::Sheet& sheet) {
        for (int i = 0; i < CORVANE_PAGE_COUNT; ++i) {
            sheet.Select(i);
            EXPECT_EQ(sheet.PageIndex(), i);
        }
        sheet.Select(CORVANE_PAGE_SERVICE);
        sheet.Cancel();
    }));
}

// Enumeration callbacks are WINAPI: on x86 a lambda would have the wrong calling convention.
BOOL CALLBACK CountMenuBar(HWND window, LPARAM count)
{
    if (driver::ClassOf(window) == L"menu_worker") {
        RECT rc;
        GetWindowRect(window, &rc);
        if (rc.top == 294 && rc.bottom == 320) ++*reinterpret_cast<int*>(count);
    }
    return TRUE;
}

TEST_F(OptionsSheetTest, PagesFillTheSheetAboveTheTabsAndEachAddsAMenuBar)
{
    int menuBars = 0;
    Show(CORVANE_PAGE_MENU, [&](driver::Sheet& sheet) {
        RECT page = {}, tabs = {};
        GetWindowRect(sheet.Page(), &page);
        GetWindowRect(sheet.Tabs(), &tabs);
        EXPECT_GE(page.top, 26) << "below the navigation bar";
        EXPECT_LE(page.bottom, tabs.bottom);
        EXPECT_LE(page.right, 240);
        sheet.Select(CORVANE_PAGE_ABOUT);
        EnumThreadWindows(GetCurrentThreadId(), CountMenuBar, reinterpret_cast<LPARAM>(&menuBars));
    });
    EXPECT_EQ(menuBars, 2) << "each page shown gives the sheet its own empty menu bar";
}

TEST_F(OptionsSheetTest, StartPageOutsideTheSheetOpensTheFirstPage)
{
    int result = Show(CORVANE_PAGE_COUNT + 2, [&](driver::Sheet& sheet) {
        EXPECT_EQ(sheet.PageIndex(), CORVANE_PAGE_BUTTONS);
    });
    ExpectRanOn(CORVANE_PAGE_BUTTONS, result);

    // Closed without switching, by OK or by Cancel, the first page is the one reported.
    for (int start : {-1, static_cast<int>(CORVANE_PAGE_COUNT), 0x10000, 0x10000 + CORVANE_PAGE_SERVICE, INT_MIN}) {
        for (bool ok : {true, false}) {
            result = Show(start, [&](driver::Sheet& sheet) {
                EXPECT_EQ(sheet.PageIndex(), CORVANE_PAGE_BUTTONS) << start;
                if (ok) sheet.Ok();
            });
            EXPECT_EQ(result, ShowResult(CORVANE_PAGE_BUTTONS, ok ? CORVANE_SHEET_OK : CORVANE_SHEET_CANCEL)) << start;
        }
    }
}

// The result carries the index the page recorded when it became active, whatever page the
// sheet opened on.
TEST_F(OptionsSheetTest, ResultCarriesTheIndexEachPageRecords)
{
    for (int page = 0; page < CORVANE_PAGE_COUNT; ++page) {
        const int start = (page + 3) % CORVANE_PAGE_COUNT;
        const int result = Show(start, [&](driver::Sheet& sheet) { sheet.Select(page); });
        EXPECT_EQ(result, ShowResult(page, CORVANE_SHEET_CANCEL)) << "page " << page;
    }
}

// The host's thread hears of every change of the input panel, as on the device.
const WPARAM kSetSipInfo = 224;  // SPI_SETSIPINFO

class InputPanelWatcher {
public:
    InputPanelWatcher()
    {
        WNDCLASSW wc = {};
        wc.lpfnWndProc = Proc;
        wc.hInstance = GetModuleHandleW(NULL);
        wc.lpszClassName = L"CorvaneInputPanelWatcher";
        RegisterClassW(&wc);
        window = CreateWindowExW(0, wc.lpszClassName, L"", WS_POPUP, 0, 0, 1, 1, NULL, NULL, wc.hInstance, NULL);
        changes = 0;
    }
    ~InputPanelWatcher() { DestroyWindow(window); }
    InputPanelWatcher(const InputPanelWatcher&) = delete;
    InputPanelWatcher& operator=(const InputPanelWatcher&) = delete;
    static int changes;

private:
    static LRESULT CALLBACK Proc(HWND window, UINT message, WPARAM wParam, LPARAM lParam)
    {
        if (message == WM_SETTINGCHANGE && wParam == kSetSipInfo) ++changes;
        return DefWindowProcW(window, message, wParam, lParam);
    }
    HWND window;
};
int InputPanelWatcher::changes = 0;

// The panel a page raised goes down with the sheet, as the focus leaves the edit box; that
// ShowOptions lowers a panel the host left raised is seen at class level, where the test can
// raise it.
TEST_F(OptionsSheetTest, InputPanelRaisedByAPageIsLoweredWhenTheSheetCloses)
{
    InputPanelWatcher watcher;
    int raised = -1, afterFirst = -1, atSecond = -1;
    Show(CORVANE_PAGE_ALIAS, [&](driver::Sheet& sheet) {
        sheet.Click(IDC_URL_ADD);
        sheet.Focus(IDC_URL_URL_EDIT);
        raised = InputPanelWatcher::changes;
    });
    afterFirst = InputPanelWatcher::changes;
    Show(CORVANE_PAGE_MENU, [&](driver::Sheet&) { atSecond = InputPanelWatcher::changes; });
    EXPECT_EQ(raised, 1) << "raised by the edit box";
    ASSERT_EQ(afterFirst, 2) << "lowered once as the first sheet went";
    EXPECT_EQ(atSecond, 2) << "the second sheet opens with the panel down";
}

}  // namespace
