#include "support/SheetDriver.h"

#include <commctrl.h>
#include <prsht.h>

#include <algorithm>
#include <cstdio>

#include "support/RealInput.h"

namespace driver {
namespace {

struct RunState {
    HWND host;
    std::function<void(Sheet&)> script;
    bool started = false;
    UINT_PTR findTimer = 0;
    int answer = 0;
    UINT_PTR boxTimer = 0;
    std::vector<MessageBoxSeen> boxes;
    std::function<void(HWND)> inspectBox;
};

RunState* state = nullptr;

struct Finder {
    HWND owner;
    HWND found;
};

BOOL CALLBACK FindSheet(HWND window, LPARAM param)
{
    Finder* finder = reinterpret_cast<Finder*>(param);
    if (ClassOf(window) == L"#32770" && GetWindow(window, GW_OWNER) == finder->owner && IsWindowVisible(window) &&
        GetDlgItem(window, 0x3020)) {
        finder->found = window;
        return FALSE;
    }
    return TRUE;
}

// A message box is a dialog with the static 0xFFFF that holds its text.
BOOL CALLBACK FindMessageBox(HWND window, LPARAM param)
{
    if (ClassOf(window) == L"#32770" && IsWindowVisible(window) && GetDlgItem(window, 0xFFFF)) {
        *reinterpret_cast<HWND*>(param) = window;
        return FALSE;
    }
    return TRUE;
}

BOOL CALLBACK CollectButton(HWND child, LPARAM param)
{
    if (ClassOf(child) == L"Button" && IsWindowVisible(child))
        reinterpret_cast<std::vector<int>*>(param)->push_back(GetDlgCtrlID(child));
    return TRUE;
}

void CALLBACK AnswerMessageBox(HWND, UINT, UINT_PTR, DWORD)
{
    if (!state) return;
    HWND box = NULL;
    EnumThreadWindows(GetCurrentThreadId(), FindMessageBox, reinterpret_cast<LPARAM>(&box));
    if (!box) return;
    MessageBoxSeen seen;
    seen.caption = WindowText(box);
    seen.text = WindowText(GetDlgItem(box, 0xFFFF));
    EnumChildWindows(box, CollectButton, reinterpret_cast<LPARAM>(&seen.buttons));
    GetWindowRect(box, &seen.rect);
    state->boxes.push_back(seen);
    if (state->inspectBox) state->inspectBox(box);
    PostMessageW(box, WM_COMMAND, MAKEWPARAM(state->answer, BN_CLICKED),
                 reinterpret_cast<LPARAM>(GetDlgItem(box, state->answer)));
}

void CALLBACK StartScript(HWND, UINT, UINT_PTR, DWORD)
{
    if (!state || state->started) return;
    Finder finder = {state->host, NULL};
    EnumThreadWindows(GetCurrentThreadId(), FindSheet, reinterpret_cast<LPARAM>(&finder));
    if (!finder.found) return;
    state->started = true;
    KillTimer(NULL, state->findTimer);
    Sheet sheet(finder.found);
    state->script(sheet);
    if (!sheet.Closed() && IsWindow(finder.found)) sheet.Cancel();
}

}  // namespace

HWND Sheet::Page() const
{
    return reinterpret_cast<HWND>(SendMessageW(window, PSM_GETCURRENTPAGEHWND, 0, 0));
}

int Sheet::PageIndex() const
{
    return static_cast<int>(SendMessageW(window, PSM_HWNDTOINDEX, reinterpret_cast<WPARAM>(Page()), 0));
}

HWND Sheet::PageWindow(int index) const
{
    return reinterpret_cast<HWND>(SendMessageW(window, PSM_INDEXTOHWND, index, 0));
}

HWND Sheet::Tabs() const
{
    return reinterpret_cast<HWND>(SendMessageW(window, PSM_GETTABCONTROL, 0, 0));
}

std::vector<std::wstring> Sheet::TabLabels() const
{
    std::vector<std::wstring> labels;
    HWND tabs = Tabs();
    int count = static_cast<int>(SendMessageW(tabs, TCM_GETITEMCOUNT, 0, 0));
    for (int i = 0; i < count; ++i) labels.push_back(TabText(tabs, i));
    return labels;
}

void Sheet::Select(int index)
{
    // What a tap on a tab does: the tab control asks, changes, and tells the sheet.
    HWND tabs = Tabs();
    NMHDR header = {tabs, static_cast<UINT_PTR>(GetDlgCtrlID(tabs)), static_cast<UINT>(TCN_SELCHANGING)};
    if (SendMessageW(window, WM_NOTIFY, header.idFrom, reinterpret_cast<LPARAM>(&header))) return;
    SendMessageW(tabs, TCM_SETCURSEL, index, 0);
    header.code = static_cast<UINT>(TCN_SELCHANGE);
    SendMessageW(window, WM_NOTIFY, header.idFrom, reinterpret_cast<LPARAM>(&header));
}

HWND Sheet::Item(int id) const
{
    return GetDlgItem(Page(), id);
}

void Sheet::ChooseCombo(int id, int index)
{
    HWND combo = Item(id);
    SendMessageW(combo, CB_SETCURSEL, index, 0);
    SendMessageW(Page(), WM_COMMAND, MAKEWPARAM(id, CBN_SELCHANGE), reinterpret_cast<LPARAM>(combo));
}

int Sheet::ComboSelection(int id) const
{
    return static_cast<int>(SendMessageW(Item(id), CB_GETCURSEL, 0, 0));
}

int Sheet::ComboCount(int id) const
{
    return static_cast<int>(SendMessageW(Item(id), CB_GETCOUNT, 0, 0));
}

std::wstring Sheet::ComboText(int id, int index) const
{
    return ComboItemText(Item(id), index);
}

std::vector<std::wstring> Sheet::ComboTexts(int id) const
{
    std::vector<std::wstring> texts;
    for (int i = 0; i < ComboCount(id); ++i) texts.push_back(ComboText(id, i));
    return texts;
}

LRESULT Sheet::ComboData(int id, int index) const
{
    return SendMessageW(Item(id), CB_GETITEMDATA, index, 0);
}

void Sheet::Click(int id)
{
    SendMessageW(Item(id), BM_CLICK, 0, 0);
}

bool Sheet::Checked(int id) const
{
    return SendMessageW(Item(id), BM_GETCHECK, 0, 0) == BST_CHECKED;
}

bool Sheet::Enabled(int id) const
{
    return IsWindowEnabled(Item(id)) != FALSE;
}

bool Sheet::Visible(int id) const
{
    return (GetWindowLongW(Item(id), GWL_STYLE) & WS_VISIBLE) != 0;
}

void Sheet::Focus(int id)
{
    SetFocus(Item(id));
}

void Sheet::Type(int id, const std::wstring& text)
{
    HWND edit = Item(id);
    SetFocus(edit);
    for (wchar_t c : text) SendMessageW(edit, WM_CHAR, c, 1);
}

void Sheet::SetText(int id, const std::wstring& text)
{
    SetWindowTextW(Item(id), text.c_str());
}

std::wstring Sheet::Text(int id) const
{
    return WindowText(Item(id));
}

void Sheet::TapAt(int x, int y)
{
    realinput::TapAt(x, y);
}

namespace {

// The part of a page a person sees: its client area on the screen, above the raised panel.
RECT VisiblePart(HWND page)
{
    RECT rc = {};
    GetClientRect(page, &rc);
    MapWindowPoints(page, NULL, reinterpret_cast<POINT*>(&rc), 2);
    RECT screen = {0, 0, GetSystemMetrics(SM_CXSCREEN), GetSystemMetrics(SM_CYSCREEN)};
    IntersectRect(&rc, &rc, &screen);
    HWND panel = FindWindowW(L"SipWndClass", NULL);
    RECT panelRect = {};
    if (panel && IsWindowVisible(panel) && GetWindowRect(panel, &panelRect) && panelRect.top < rc.bottom)
        rc.bottom = panelRect.top;
    return rc;
}

// Scrolls the page, as a person would with its scroll bar, until the point of the control (in
// its client coordinates) is in the part that can be seen; does nothing on a page without a
// scroll bar.
void ScrollIntoView(HWND page, HWND control, POINT inControl)
{
    for (int attempt = 0; attempt < 40; ++attempt) {
        const RECT visible = VisiblePart(page);
        POINT point = inControl;
        ClientToScreen(control, &point);
        if (point.y >= visible.top && point.y < visible.bottom) return;
        SCROLLBARINFO bar = {};
        bar.cbSize = sizeof(bar);
        if (!(GetWindowLongW(page, GWL_STYLE) & WS_VSCROLL) || !GetScrollBarInfo(page, OBJID_VSCROLL, &bar)) return;
        const RECT& r = bar.rcScrollBar;
        // The arrows are as tall as the system's scroll bars are wide, or share a bar shorter
        // than two of them (Wine reports the thumb's height as dxyLineButton, not the arrow's).
        const int arrow = std::min<int>(GetSystemMetrics(SM_CYVSCROLL), (r.bottom - r.top) / 2);
        // Up: the arrow at the bar's top. Down: the bar's shaft just below the thumb (a page),
        // or its arrow, whichever can be seen. Taps wander a little, as a person's do, so that
        // two in a row are not a double-click.
        int y = r.top + arrow / 2;
        if (point.y >= visible.bottom) {
            y = r.top + bar.xyThumbBottom + 2;
            if (y >= visible.bottom || y >= r.bottom - arrow) y = r.bottom - arrow / 2;
            if (y >= visible.bottom) return;  // the bar's lower end lies under the panel
        }
        const int x = (r.left + r.right) / 2 + ((attempt % 2) ? 2 : -2);
        realinput::TapAt(x, y);
    }
}

}  // namespace

void Sheet::TapControl(int id)
{
    HWND control = Item(id);
    if (control) {
        RECT rc = {};
        GetWindowRect(control, &rc);
        POINT middle = {(rc.left + rc.right) / 2, (rc.top + rc.bottom) / 2};
        ScreenToClient(control, &middle);
        ScrollIntoView(Page(), control, middle);
    }
    realinput::TapWindow(control);
}

void Sheet::TapControlAt(int id, int x, int y)
{
    HWND control = Item(id);
    POINT point = {x, y};
    if (control) ScrollIntoView(Page(), control, point);
    ClientToScreen(control, &point);
    realinput::TapAt(point.x, point.y);
}

namespace {

// The arrows a tab control shows when its tabs do not fit; null when they all fit.
HWND TabScroller(HWND tabs)
{
    for (HWND child = GetWindow(tabs, GW_CHILD); child; child = GetWindow(child, GW_HWNDNEXT)) {
        if (ClassOf(child) == L"msctls_updown32" && IsWindowVisible(child)) return child;
    }
    return NULL;
}

}  // namespace

POINT Sheet::TabPoint(int index) const
{
    // The item rectangle gives the tab's columns; its rows are found by hit-testing, as a
    // tab control moved to the bottom after its creation still reports them at the top.
    HWND tabs = Tabs();
    POINT found = {-1, -1};
    RECT item = {}, client = {};
    // The answer tells whether the tab is in sight; the rectangle is given either way.
    SendMessageW(tabs, TCM_GETITEMRECT, index, reinterpret_cast<LPARAM>(&item));
    if (IsRectEmpty(&item)) return found;
    GetClientRect(tabs, &client);
    // Only the part not under the scroll arrows can be tapped.
    if (HWND scroller = TabScroller(tabs)) {
        RECT arrows = {};
        GetWindowRect(scroller, &arrows);
        MapWindowPoints(NULL, tabs, reinterpret_cast<POINT*>(&arrows), 2);
        client.right = arrows.left;
    }
    item.left = item.left > client.left ? item.left : client.left;
    item.right = item.right < client.right ? item.right : client.right;
    if (item.right - item.left < 4) return found;
    TCHITTESTINFO hit = {};
    hit.pt.x = (item.left + item.right) / 2;
    int top = -1, bottom = -1;
    for (int y = client.bottom - 1; y >= client.top; --y) {
        hit.pt.y = y;
        if (SendMessageW(tabs, TCM_HITTEST, 0, reinterpret_cast<LPARAM>(&hit)) == index) {
            if (bottom < 0) bottom = y;
            top = y;
        } else if (bottom >= 0) {
            break;
        }
    }
    if (bottom < 0) return found;
    found.x = hit.pt.x;
    found.y = (top + bottom) / 2;
    ClientToScreen(tabs, &found);
    return found;
}

namespace {

// Whether a tap at the point reaches the window or one of its children, and not a window
// over it (the raised input panel covers the tabs, as on the device).
bool Reaches(POINT point, HWND window)
{
    HWND hit = WindowFromPoint(point);
    return hit && (hit == window || IsChild(window, hit));
}

}  // namespace

bool Sheet::TapTab(int index)
{
    // A tab that is scrolled out of sight is brought in with the arrows first, as a person would.
    HWND tabs = Tabs();
    for (int attempt = 0; attempt < 20; ++attempt) {
        POINT point = TabPoint(index);
        if (point.x >= 0) {
            if (!Reaches(point, tabs)) return false;
            realinput::TapAt(point.x, point.y);
            return PageIndex() == index;
        }
        HWND scroller = TabScroller(tabs);
        RECT item = {}, arrows = {};
        if (!scroller || index < 0 || index >= SendMessageW(tabs, TCM_GETITEMCOUNT, 0, 0)) return false;
        // A tab scrolled out on the left has an empty rectangle at the left edge.
        SendMessageW(tabs, TCM_GETITEMRECT, index, reinterpret_cast<LPARAM>(&item));
        const bool onTheLeft = item.right <= 0 || IsRectEmpty(&item);
        GetWindowRect(scroller, &arrows);
        // Taps at one spot in quick succession make a double-click, which the arrows ignore;
        // a person's taps wander a little, and so do these, past the double-click distance.
        const int quarter = (arrows.right - arrows.left) / 4;
        const int wander = (attempt % 2) ? GetSystemMetrics(SM_CXDOUBLECLK) + 2 : 0;
        POINT arrow = {onTheLeft ? arrows.left + quarter - wander : arrows.right - quarter - wander,
                       (arrows.top + arrows.bottom) / 2};
        if (!Reaches(arrow, scroller)) return false;
        realinput::TapAt(arrow.x, arrow.y);
    }
    return false;
}

void Sheet::PressKeys(const std::wstring& text)
{
    realinput::PressKeys(text);
}

void Sheet::AnswerMessageBoxes(int button)
{
    state->answer = button;
    if (!state->boxTimer) state->boxTimer = SetTimer(NULL, 0, 20, AnswerMessageBox);
}

void Sheet::InspectMessageBoxes(const std::function<void(HWND box)>& inspect)
{
    state->inspectBox = inspect;
}

const std::vector<MessageBoxSeen>& Sheet::MessageBoxes() const
{
    return state->boxes;
}

void Sheet::Ok()
{
    closed = true;
    SendMessageW(window, PSM_PRESSBUTTON, PSBTN_OK, 0);
    WakeModalLoop();
}

void Sheet::Cancel()
{
    closed = true;
    SendMessageW(window, PSM_PRESSBUTTON, PSBTN_CANCEL, 0);
    WakeModalLoop();
}

void Sheet::WakeModalLoop()
{
    // The sheet's loop notices that it ended only when its next message arrives; after a
    // real tap more input follows at once, here nothing would.
    PostMessageW(window, WM_NULL, 0, 0);
}

HWND HostWindow()
{
    static HWND host = NULL;
    if (!host || !IsWindow(host)) {
        host = CreateWindowExW(0, L"STATIC", L"Corvane test host", WS_OVERLAPPED | WS_VISIBLE, 300, 0, 200, 100, NULL, NULL,
                               GetModuleHandleW(NULL), NULL);
    }
    return host;
}

INT_PTR RunSheet(HWND owner, const std::function<INT_PTR()>& open, const std::function<void(Sheet&)>& script,
                 DWORD timeoutMs)
{
    Watchdog watchdog(timeoutMs, "the property sheet did not close");
    RunState run;
    run.host = owner;
    run.script = script;
    RunState* outer = state;
    state = &run;
    run.findTimer = SetTimer(NULL, 0, 10, StartScript);
    INT_PTR result = open();
    KillTimer(NULL, run.findTimer);
    if (run.boxTimer) KillTimer(NULL, run.boxTimer);
    state = outer;
    return result;
}

int Run(ShowOptionsFn showOptions, const HostArgs& args, const std::function<void(Sheet&)>& script, DWORD timeoutMs)
{
    HWND host = HostWindow();
    return static_cast<int>(RunSheet(
        host,
        [&]() {
            int reserved = 0;
            return static_cast<INT_PTR>(showOptions(host, args.holdUnsupported, args.platformLevel, 0, &reserved,
                                                    args.vendor, args.product, args.version, args.startPage));
        },
        script, timeoutMs));
}

Watchdog::Watchdog(DWORD timeoutMs, const char* what)
    : done(CreateEventW(NULL, TRUE, FALSE, NULL)), thread(NULL), timeoutMs(timeoutMs), what(what)
{
    thread = CreateThread(NULL, 0, Watch, this, 0, NULL);
}

Watchdog::~Watchdog()
{
    SetEvent(done);
    WaitForSingleObject(thread, INFINITE);
    CloseHandle(thread);
    CloseHandle(done);
}

DWORD WINAPI Watchdog::Watch(void* self)
{
    Watchdog* watchdog = static_cast<Watchdog*>(self);
    if (WaitForSingleObject(watchdog->done, watchdog->timeoutMs) == WAIT_TIMEOUT) {
        std::fprintf(stderr, "\nWATCHDOG: %s within %lu ms; the test fails. Its last steps, up to %lu ms:\n%s",
                     watchdog->what.c_str(), static_cast<unsigned long>(watchdog->timeoutMs),
                     static_cast<unsigned long>(GetTickCount()), realinput::RecentSteps().c_str());
        std::fflush(stderr);
        TerminateProcess(GetCurrentProcess(), 3);
    }
    return 0;
}

}  // namespace driver
