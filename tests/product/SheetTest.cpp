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

class OptionsSheetTest : public SheetTest {};

std::wstring Caption(HWND window)
{
    wchar_t text[256] = L"";
    GetWindowTextW(window, text, 256);
    return text;
}

TEST_F(OptionsSheetTest, OpensOnTheStartPageWithTenTabsAndTheTitle)
{
    std::vector<std::wstring> labels;
    std::wstring title;
    int page = -1;
    RECT rc = {};
    Show(6, [&](driver::Sheet& sheet) {
        labels = sheet.TabLabels();
        title = Caption(sheet.Window());
        page = sheet.PageIndex();
        GetWindowRect(sheet.Window(), &rc);
        // The navigation bar at the top shows the title too.
        HWND bar = GetDlgItem(sheet.Window(), 0x3F00);
        ASSERT_NE(bar, nullptr);
        EXPECT_EQ(Caption(bar), L"Corvane Option");
        EXPECT_TRUE(GetWindowLongW(sheet.Tabs(), GWL_STYLE) & TCS_BOTTOM) << "tabs go along the bottom";
        EXPECT_TRUE(IsWindowVisible(GetDlgItem(sheet.Window(), IDOK)));
        EXPECT_TRUE(IsWindowVisible(GetDlgItem(sheet.Window(), IDCANCEL)));
    });
    EXPECT_EQ(labels, kTabLabels);
    EXPECT_EQ(title, L"Corvane Option");
    EXPECT_EQ(page, 6);
    EXPECT_EQ(rc.left, 0);
    EXPECT_EQ(rc.top, 0);
    EXPECT_EQ(rc.right, 240);
    EXPECT_EQ(rc.bottom, 294) << "full screen above the menu bar";
}

TEST_F(OptionsSheetTest, ResultReportsTheLastActivePageAndHowTheSheetClosed)
{
    int result = Show(0, [](driver::Sheet& sheet) {
        sheet.Select(4);
        sheet.Select(2);
        sheet.Ok();
    });
    EXPECT_EQ(result, (2 << 16) | 1);

    result = Show(9, [](driver::Sheet& sheet) { sheet.Cancel(); });
    EXPECT_EQ(result, 9 << 16);
}

TEST_F(OptionsSheetTest, EveryPageRecordsItsIndexWhenActivated)
{
    std::vector<int> seen;
    Show(0, [&](driver::Sheet& sheet) {
        for (int i = 0; i < 10; ++i) {
            sheet.Select(i);
            seen.push_back(sheet.PageIndex());
        }
        sheet.Select(3);
        sheet.Cancel();
    });
    EXPECT_EQ(seen, (std::vector<int>{0, 1, 2, 3, 4, 5, 6, 7, 8, 9}));
}

// Enumeration callbacks are WINAPI: on x86 a lambda would have the wrong calling convention.
BOOL CALLBACK CountMenuBar(HWND window, LPARAM count)
{
    wchar_t name[32] = L"";
    GetClassNameW(window, name, 32);
    if (lstrcmpW(name, L"menu_worker") == 0) {
        RECT rc;
        GetWindowRect(window, &rc);
        if (rc.top == 294 && rc.bottom == 320) ++*reinterpret_cast<int*>(count);
    }
    return TRUE;
}

TEST_F(OptionsSheetTest, PagesFillTheSheetAboveTheTabsAndEachAddsAMenuBar)
{
    int menuBars = 0;
    Show(5, [&](driver::Sheet& sheet) {
        RECT page = {}, tabs = {};
        GetWindowRect(sheet.Page(), &page);
        GetWindowRect(sheet.Tabs(), &tabs);
        EXPECT_GE(page.top, 26) << "below the navigation bar";
        EXPECT_LE(page.bottom, tabs.bottom);
        EXPECT_LE(page.right, 240);
        sheet.Select(9);
        EnumThreadWindows(GetCurrentThreadId(), CountMenuBar, reinterpret_cast<LPARAM>(&menuBars));
    });
    EXPECT_EQ(menuBars, 2) << "each page shown gives the sheet its own empty menu bar";
}

TEST_F(OptionsSheetTest, StartPageOutsideTheSheetOpensTheFirstPage)
{
    int page = -1;
    int result = Show(12, [&](driver::Sheet& sheet) { page = sheet.PageIndex(); });
    EXPECT_EQ(page, 0);
    EXPECT_EQ(result >> 16, 0);

    // Closed without switching, by OK or by Cancel, the first page is the one reported.
    for (int start : {-1, 10, 0x10000, 0x10003, INT_MIN}) {
        for (bool ok : {true, false}) {
            result = Show(start, [&](driver::Sheet& sheet) {
                page = sheet.PageIndex();
                if (ok) sheet.Ok();
            });
            EXPECT_EQ(page, 0) << start;
            EXPECT_EQ(result, ok ? 1 : 0) << start;
        }
    }
}

// The result carries the index the page recorded when it became active, whatever page the
// sheet opened on.
TEST_F(OptionsSheetTest, ResultCarriesTheIndexEachPageRecords)
{
    for (int page = 0; page < 10; ++page) {
        const int result = Show((page + 3) % 10, [&](driver::Sheet& sheet) { sheet.Select(page); });
        EXPECT_EQ(result, page << 16) << "page " << page;
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
    Show(2, [&](driver::Sheet& sheet) {
        sheet.Click(IDC_URL_ADD);
        sheet.Focus(IDC_URL_URL_EDIT);
        raised = InputPanelWatcher::changes;
    });
    afterFirst = InputPanelWatcher::changes;
    Show(5, [&](driver::Sheet&) { atSecond = InputPanelWatcher::changes; });
    EXPECT_EQ(raised, 1) << "raised by the edit box";
    ASSERT_EQ(afterFirst, 2) << "lowered once as the first sheet went";
    EXPECT_EQ(atSecond, 2) << "the second sheet opens with the panel down";
}

}  // namespace
