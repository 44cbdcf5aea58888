// What holds on every screen the device family has: run on each emulated device (see
// tests/CMakeLists.txt), not on the default one alone. Whatever gives an edit box of a URL page
// the focus, the box ends up wholly on the screen between the title bar and the raised input
// panel, and the screen shows what a full repaint draws; the shell's own texts (the title
// bar's buttons, the tabs, message boxes) fit where they are drawn.
#include <gtest/gtest.h>

#include "include/corvane_options.h"

#include "UrlPageSupport.h"
#include "support/RealInput.h"
#include "support/ScreenOracle.h"
#include "support/TextFit.h"

namespace {

using namespace urlpage;

class DeviceProfileTest : public UrlPageTest {};

// The raised input panel's rectangle on the screen; empty while it is lowered.
RECT RaisedPanel()
{
    RECT rc = {};
    HWND panel = FindWindowW(L"SipWndClass", NULL);
    if (panel && IsWindowVisible(panel)) GetWindowRect(panel, &rc);
    return rc;
}

// Why the focused control is not wholly in view, or "" when it is: inside the screen, below
// the sheet's title bar (the top of its tab control), above the raised panel, and not cut by
// the page or anything between it and the page.
std::string NotInView(driver::Sheet& sheet, HWND control)
{
    RECT rc = {};
    GetWindowRect(control, &rc);
    RECT tabs = {};
    GetWindowRect(sheet.Tabs(), &tabs);
    const RECT panel = RaisedPanel();
    std::string where = " [" + std::to_string(rc.left) + "," + std::to_string(rc.top) + "," +
                        std::to_string(rc.right) + "," + std::to_string(rc.bottom) + "]";
    if (rc.left < 0 || rc.right > GetSystemMetrics(SM_CXSCREEN)) return "off the screen's sides" + where;
    if (rc.top < tabs.top) return "under the title bar" + where;
    if (IsRectEmpty(&panel)) return "the panel is not raised" + where;
    if (rc.bottom > panel.top) return "under the raised panel (top " + std::to_string(panel.top) + ")" + where;
    for (HWND parent = GetParent(control); parent && parent != sheet.Window(); parent = GetParent(parent)) {
        RECT visible = {};
        GetClientRect(parent, &visible);
        MapWindowPoints(parent, NULL, reinterpret_cast<POINT*>(&visible), 2);
        RECT inside = {};
        IntersectRect(&inside, &visible, &rc);
        if (!EqualRect(&inside, &rc)) return "cut by the page" + where;
    }
    return "";
}

TEST_F(DeviceProfileTest, FocusedUrlEditBoxesLieAboveTheRaisedPanel)
{
    Seed(L"Alias", {{L"D a", L"http://a/"}, {L"  b", L"http://b/"}});
    Seed(L"Service", {{L"  One", L"http://1/"}, {L"C Two", L"http://2/"}});
    const struct {
        int page;
        int edits[2];
    } pages[] = {{CORVANE_PAGE_ALIAS, {IDC_ALIAS_ALIAS_EDIT, IDC_URL_URL_EDIT}},
                 {CORVANE_PAGE_SERVICE, {IDC_SERVICE_NAME_EDIT, IDC_URL_URL_EDIT}}};
    int checked = 0;
    Show(CORVANE_PAGE_BUTTONS, [&](driver::Sheet& sheet) {
        // An edit box focused with no row chosen gives a hint in a message box; a row is chosen
        // first, and a box that comes all the same is answered rather than left to hang.
        sheet.AnswerMessageBoxes(IDOK);
        for (const auto& page : pages) {
            sheet.Select(page.page);
            Tap(sheet, 1);
            for (int edit : page.edits) {
                // By a program's SetFocus, then by the Tab key from the list, as a person would.
                sheet.Focus(IDC_URL_LIST);
                realinput::Settle();
                sheet.Focus(edit);
                realinput::Settle();
                EXPECT_EQ(NotInView(sheet, sheet.Item(edit)), "") << "page " << page.page << ", edit " << edit;
                EXPECT_SCREEN_WHOLE("an edit box focused");
                ++checked;
            }
            sheet.Focus(IDC_URL_LIST);
            for (int press = 0; press < 12 && GetFocus() != sheet.Item(page.edits[0]); ++press) realinput::PressKey(VK_TAB);
            ASSERT_EQ(GetFocus(), sheet.Item(page.edits[0])) << "the Tab key reaches the page's first edit box";
            EXPECT_EQ(NotInView(sheet, GetFocus()), "") << "page " << page.page << ", by the Tab key";
            EXPECT_SCREEN_WHOLE("an edit box reached by the Tab key");
        }
        EXPECT_TRUE(sheet.MessageBoxes().empty()) << "with a row chosen no hint is given";
        sheet.Cancel();
    });
    EXPECT_EQ(checked, 4);
}

TEST_F(DeviceProfileTest, TheShellsTextsFitTheirPlaces)
{
    std::vector<std::wstring> cut;
    const auto note = [&](const std::wstring& where, const std::wstring& why) {
        if (!why.empty()) cut.push_back(where + L": " + why);
    };
    size_t boxes = 0;
    Show(CORVANE_PAGE_ALIAS, [&](driver::Sheet& sheet) {
        for (int id : {IDOK, IDCANCEL}) note(L"title bar", fit::Cut(GetDlgItem(sheet.Window(), id)));
        // Each tab is measured while it is in the bar: the bar scrolls to the current tab.
        const int tabs = static_cast<int>(SendMessageW(sheet.Tabs(), TCM_GETITEMCOUNT, 0, 0));
        for (int tab = 0; tab < tabs; ++tab) {
            sheet.Select(tab);
            note(L"tabs", fit::TabCut(sheet.Tabs(), tab));
        }
        sheet.Select(CORVANE_PAGE_ALIAS);
        // Two of the page's message boxes: the hint for an edit box with no row chosen, and the
        // question Default asks.
        sheet.InspectMessageBoxes([&](HWND box) {
            for (HWND child = GetWindow(box, GW_CHILD); child; child = GetWindow(child, GW_HWNDNEXT))
                note(L"message box", fit::Cut(child));
        });
        sheet.AnswerMessageBoxes(IDNO);
        sheet.Focus(IDC_ALIAS_ALIAS_EDIT);
        realinput::Settle();
        sheet.Click(IDC_URL_DEFAULT);
        realinput::Settle();
        boxes = sheet.MessageBoxes().size();
    });
    EXPECT_EQ(boxes, 2u) << "the hint and Default's question were shown";
    std::string report;
    for (const std::wstring& line : cut) report += std::string(line.begin(), line.end()) + "\n";
    EXPECT_TRUE(cut.empty()) << report;
}

}  // namespace
