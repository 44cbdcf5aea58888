// Pages on the device the tests run on (CORVANE_DEVICE): every control of every page lies
// where the page's scroll bar can bring it, and a control that takes the focus from the
// keyboard is scrolled wholly into the part of the page the raised input panel leaves, with
// the screen showing what a full repaint draws. On qvga with the panel lowered every page fits.
#include <gtest/gtest.h>

#include "include/corvane_options.h"

#include <string>
#include <vector>

#include "UrlPageSupport.h"
#include "support/Device.h"
#include "support/RealInput.h"
#include "support/ScreenOracle.h"

namespace {

const int kPageCount = CORVANE_PAGE_COUNT;

HWND RaisedPanel()
{
    HWND panel = FindWindowW(L"SipWndClass", NULL);
    return panel && IsWindowVisible(panel) ? panel : NULL;
}

// The page's rows the user sees, in its client coordinates: down to its bottom or to the
// raised panel's top, whichever is higher.
int VisibleHeight(HWND page)
{
    RECT client = {};
    GetClientRect(page, &client);
    int height = client.bottom;
    if (HWND panel = RaisedPanel()) {
        RECT rc = {};
        GetWindowRect(panel, &rc);
        POINT top = {0, 0};
        ClientToScreen(page, &top);
        if (rc.top - top.y < height) height = rc.top - top.y;
    }
    return height;
}

// How far the page is scrolled and how far down it can be scrolled to (its extent): without
// a scroll bar, the part the user sees.
struct Scrolling {
    bool bar = false;
    int position = 0;
    int extent = 0;
};

Scrolling ScrollingOf(HWND page)
{
    Scrolling scrolling;
    scrolling.extent = VisibleHeight(page);
    SCROLLINFO info = {};
    info.cbSize = sizeof(info);
    info.fMask = SIF_ALL;
    if ((GetWindowLongW(page, GWL_STYLE) & WS_VSCROLL) && GetScrollInfo(page, SB_VERT, &info) &&
        info.nMax - info.nMin + 1 > static_cast<int>(info.nPage)) {
        scrolling.bar = true;
        scrolling.position = info.nPos;
        scrolling.extent = info.nMax + 1;
    }
    return scrolling;
}

RECT InPage(HWND page, HWND control)
{
    RECT rc = {};
    GetWindowRect(control, &rc);
    MapWindowPoints(NULL, page, reinterpret_cast<POINT*>(&rc), 2);
    return rc;
}

// The page's own child that holds the window (a combo box for its edit), or null.
HWND PageChild(HWND page, HWND window)
{
    while (window && GetParent(window) != page) window = GetParent(window);
    return window;
}

std::string Ascii(const std::wstring& text)
{
    std::string ascii;
    for (wchar_t c : text) ascii += c < 128 ? static_cast<char>(c) : '?';
    return ascii;
}

std::string Describe(HWND control)
{
    return Ascii(driver::ClassOf(control)) + " " + std::to_string(GetDlgCtrlID(control)) + " \"" +
           Ascii(driver::WindowText(control).substr(0, 30)) + "\"";
}

// Nothing lies above the page's top or below where its scroll bar reaches.
void ExpectEveryControlWithinReach(HWND page, const std::string& where)
{
    const Scrolling scrolling = ScrollingOf(page);
    for (HWND child = GetWindow(page, GW_CHILD); child; child = GetWindow(child, GW_HWNDNEXT)) {
        if (!(GetWindowLongW(child, GWL_STYLE) & WS_VISIBLE)) continue;
        const RECT rc = InPage(page, child);
        EXPECT_GE(rc.top + scrolling.position, 0) << where << ": " << Describe(child) << " above the page";
        EXPECT_LE(rc.bottom + scrolling.position, scrolling.extent)
            << where << ": " << Describe(child) << " below the reach of the scroll bar (extent "
            << scrolling.extent << ", scroll bar " << (scrolling.bar ? "shown" : "hidden") << ")";
    }
}

// While the page shows its scroll bar, no control reaches under it.
void ExpectNothingUnderTheBar(HWND page, const std::string& where)
{
    if (!ScrollingOf(page).bar) return;
    RECT client = {};
    GetClientRect(page, &client);
    for (HWND child = GetWindow(page, GW_CHILD); child; child = GetWindow(child, GW_HWNDNEXT)) {
        if (!(GetWindowLongW(child, GWL_STYLE) & WS_VISIBLE)) continue;
        const RECT rc = InPage(page, child);
        EXPECT_LE(rc.right, client.right) << where << ": " << Describe(child) << " reaches under the scroll bar";
        EXPECT_GE(rc.left, 0) << where << ": " << Describe(child) << " pushed off the page";
    }
}

// Every visible control's rectangle, in the page's client coordinates, unscrolled.
std::vector<RECT> Layout(HWND page)
{
    std::vector<RECT> layout;
    const int position = ScrollingOf(page).position;
    for (HWND child = GetWindow(page, GW_CHILD); child; child = GetWindow(child, GW_HWNDNEXT)) {
        RECT rc = InPage(page, child);
        OffsetRect(&rc, 0, position);
        layout.push_back(rc);
    }
    return layout;
}

// The focused control is wholly in the part of the page the user sees (its top, when it is
// taller than that).
void ExpectFocusInView(HWND page, HWND control, const std::string& where)
{
    const RECT rc = InPage(page, control);
    const int visible = VisibleHeight(page);
    EXPECT_GE(rc.top, 0) << where << ": " << Describe(control) << " scrolled out at the top";
    EXPECT_TRUE(rc.bottom <= visible || rc.top == 0)
        << where << ": " << Describe(control) << " ends at " << rc.bottom << ", below the visible " << visible
        << (RaisedPanel() ? " (panel raised)" : "");
}

class PageScrollingTest : public UrlPageTest {};

TEST_F(PageScrollingTest, EveryControlIsWithinReachAndScrolledIntoViewWhenItTakesTheFocus)
{
    Seed(L"Alias", {{L"D a", L"http://a/"}, {L"  b", L"http://b/"}, {L" Ec", L"http://c/"}});
    Seed(L"Service", {{L"  One", L"http://1/"}, {L"C Two", L"http://2/"}});
    const bool qvga = std::wstring(device::Running().name) == L"qvga";
    Show(CORVANE_PAGE_BUTTONS, [&](driver::Sheet& sheet) {
        sheet.AnswerMessageBoxes(IDOK);
        for (int index = 0; index < kPageCount; ++index) {
            // Switched as a tap on the tab does it, which lowers the panel.
            if (index) sheet.Select(index);
            realinput::Settle();
            ASSERT_EQ(sheet.PageIndex(), index);
            HWND page = sheet.Page();
            // A row to edit, so that the URL pages' edit boxes keep the focus.
            if (index == CORVANE_PAGE_ALIAS || index == CORVANE_PAGE_SERVICE) {
                urlpage::Tap(sheet, 0);
                realinput::Settle();
            }
            const std::string name = "page " + std::to_string(index);
            ExpectEveryControlWithinReach(page, name + " as it opens");
            ExpectNothingUnderTheBar(page, name + " as it opens");
            const bool barAtOpening = ScrollingOf(page).bar;
            const std::vector<RECT> opening = Layout(page);
            HWND openedWith = GetFocus();
            if (qvga) {
                EXPECT_FALSE(ScrollingOf(page).bar) << name << ": the page fits the qvga screen";
            }

            // Around the page's tab stops with the Tab key, an edit box raising the panel.
            HWND first = NULL;
            int reached = 0;
            for (int press = 0; press < 40; ++press) {
                realinput::PressKey(VK_TAB);
                HWND control = PageChild(page, GetFocus());
                if (!control) continue;  // the sheet's own buttons and tabs
                if (control == first) break;
                if (!first) first = control;
                ++reached;
                const std::string step = name + ", " + Describe(control) + " focused";
                ExpectFocusInView(page, control, step);
                ExpectEveryControlWithinReach(page, step);
                ExpectNothingUnderTheBar(page, step);
                EXPECT_SCREEN_WHOLE(step.c_str());
            }
            // Back where it started, the focus on the control it opened with (which lowers the
            // panel the cycle ended with on a URL page), the page shows the layout it opened
            // with, exactly, once the bar it showed for the panel is gone again.
            if (openedWith && IsChild(page, openedWith)) SetFocus(openedWith);
            realinput::Settle();
            EXPECT_EQ(RaisedPanel() != NULL, IsChild(page, openedWith) && driver::ClassOf(openedWith) == L"Edit")
                << name << ": the panel is up exactly while an edit box has the focus";
            if (!barAtOpening && !ScrollingOf(page).bar) {
                const std::vector<RECT> now = Layout(page);
                ASSERT_EQ(now.size(), opening.size()) << name;
                for (size_t i = 0; i < now.size(); ++i)
                    EXPECT_TRUE(EqualRect(&now[i], &opening[i]))
                        << name << ": control " << i << " at (" << now[i].left << "," << now[i].top << ")-(" << now[i].right
                        << "," << now[i].bottom << "), opened at (" << opening[i].left << "," << opening[i].top << ")-("
                        << opening[i].right << "," << opening[i].bottom << ")";
            }
            bool tabStops = false;
            for (HWND child = GetWindow(page, GW_CHILD); child; child = GetWindow(child, GW_HWNDNEXT))
                tabStops = tabStops || (IsWindowVisible(child) && IsWindowEnabled(child) &&
                                        (GetWindowLongW(child, GWL_STYLE) & WS_TABSTOP));
            EXPECT_EQ(reached > 0, tabStops) << name << ": " << reached << " controls took the focus";

            // Scrolled by its bar to either end, the page is drawn whole.
            if (ScrollingOf(page).bar) {
                SendMessageW(page, WM_VSCROLL, SB_TOP, 0);
                realinput::Settle();
                EXPECT_EQ(ScrollingOf(page).position, 0) << name;
                EXPECT_SCREEN_WHOLE((name + " scrolled to the top").c_str());
                SendMessageW(page, WM_VSCROLL, SB_BOTTOM, 0);
                realinput::Settle();
                const Scrolling bottom = ScrollingOf(page);
                EXPECT_EQ(bottom.position + VisibleHeight(page), bottom.extent) << name << " at the bottom";
                EXPECT_SCREEN_WHOLE((name + " scrolled to the bottom").c_str());
            }
        }
    });
}

}  // namespace
