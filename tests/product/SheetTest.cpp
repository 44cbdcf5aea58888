// The options sheet of the built OPTION.dll: its look, its pages and the result it reports.
#include <gtest/gtest.h>
#include <windows.h>
#include <commctrl.h>

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
}

}  // namespace
