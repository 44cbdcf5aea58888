#include "framework/PropertyPage.h"

#include "framework/Dpi.h"
#include "host/HostContext.h"

namespace {

// Posted to the page after a message that may come with a move of the focus into it, and
// handled once the move is complete.
const UINT kFocusMoved = WM_APP + 1;
// While the stylus is down on a control that took the focus, the page keeps still (scrolled,
// the control would move away from under it, and the lift would miss it: a check box would not
// toggle); this timer looks again until the stylus is lifted.
const UINT_PTR kStylusUpTimer = 1;
const UINT kStylusUpCheckMs = 20;
// The space kept below the lowest control, as the templates keep above the highest.
const int kBottomMargin = 3;
// One step of the scroll bar's arrows: a line of text.
const int kScrollLine = 13;

// A drop-down list opens under its combo box, or above it where there is no room below. A list
// too long for either side (the Buttons page's assignments on a 480-pixel landscape screen)
// would otherwise lie over its own box; it is shortened, in whole items, to the larger side.
void FitDropDown(HWND combo)
{
    RECT box = {}, dropped = {};
    GetWindowRect(combo, &box);
    SendMessageW(combo, CB_GETDROPPEDCONTROLRECT, 0, reinterpret_cast<LPARAM>(&dropped));
    const int count = static_cast<int>(SendMessageW(combo, CB_GETCOUNT, 0, 0));
    const int item = static_cast<int>(SendMessageW(combo, CB_GETITEMHEIGHT, 0, 0));
    if (count <= 0 || item <= 0) return;
    const int boxHeight = box.bottom - box.top;
    // The list's borders, top and bottom, beside its items.
    const int borders = 2 * GetSystemMetrics(SM_CYBORDER);
    int list = dropped.bottom - dropped.top - boxHeight;
    if (list > count * item + borders) list = count * item + borders;
    const int below = GetSystemMetrics(SM_CYSCREEN) - box.bottom, above = box.top;
    if (list <= below || list <= above) return;
    const int room = below > above ? below : above;
    const int items = (room - borders) / item;
    if (items < 1) return;
    SetWindowPos(combo, NULL, 0, 0, box.right - box.left, boxHeight + items * item + borders,
                 SWP_NOMOVE | SWP_NOZORDER | SWP_NOACTIVATE);
}

}  // namespace

PropertyPage::PropertyPage(UINT templateId, UINT titleId)
    : Dialog(templateId, NULL),
      psp(),
      sheetIndex(-1),
      scrollPosition(0),
      updatingScroll(false),
      focusCheckPosted(false),
      showingTop(false),
      focusSeen(NULL)
{
    fullScreen = 0;
    psp.dwSize = sizeof(psp);
    psp.dwFlags = titleId ? PSP_USETITLE : 0;
    psp.hInstance = hostContext.instance;
    psp.pszTemplate = MAKEINTRESOURCEW(templateId & 0xFFFF);
    psp.hIcon = NULL;
    psp.pszTitle = titleId ? MAKEINTRESOURCEW(titleId & 0xFFFF) : NULL;
    psp.pfnDlgProc = StaticPageProc;
    psp.lParam = reinterpret_cast<LPARAM>(this);
    psp.pfnCallback = NULL;
    psp.pcRefParent = NULL;
}

PropertyPage::~PropertyPage()
{
}

INT_PTR PropertyPage::DialogProc(UINT message, WPARAM wParam, LPARAM lParam)
{
    switch (message) {
    case WM_SIZE:
        // The page lays itself out as the template did, the scroll bar's room taken back.
        TakeBackScrollBarRoom();
        OnSize(LOWORD(lParam), HIWORD(lParam));
        // Showing or hiding the scroll bar resizes the page too, from inside UpdateScrolling.
        if (!updatingScroll) UpdateScrolling();
        return FALSE;
    case WM_VSCROLL:
        // Up-down controls and vertical trackbars report to their parent with it as well.
        if (lParam) break;
        OnVScroll(LOWORD(wParam));
        return TRUE;
    case kFocusMoved:
        focusCheckPosted = false;
        FocusMoved();
        return TRUE;
    case WM_TIMER:
        if (wParam != kStylusUpTimer) break;
        KillTimer(hwnd, kStylusUpTimer);
        FocusMoved();
        return TRUE;
    case WM_COMMAND:
        // Before the list opens.
        if (HIWORD(wParam) == CBN_DROPDOWN && lParam) FitDropDown(reinterpret_cast<HWND>(lParam));
        break;
    }

    // The URL pages move and size their controls for the panel from the layout they made.
    if (message == WM_SETTINGCHANGE) TakeBackScrollBarRoom();
    const INT_PTR result = Dialog::DialogProc(message, wParam, lParam);
    switch (message) {
    case WM_INITDIALOG:
        // Once the page set its controls' texts and fonts.
        layout::ClipOverlappingControls(hwnd, Children());
        layout::FitLabelsToTheirText(hwnd, Children());
        showingTop = true;
        UpdateScrolling();
        break;
    case WM_SETTINGCHANGE:
        // After the page's own layout: the URL pages make room for the panel first.
        UpdateScrolling();
        break;
    case WM_COMMAND:
    case WM_NOTIFY:
    case WM_HSCROLL:
    case WM_VSCROLL:
    case WM_CTLCOLORSTATIC:
    case WM_CTLCOLOREDIT:
    case WM_CTLCOLORBTN:
    case WM_CTLCOLORLISTBOX:
        // A control that takes the focus, by a tap, a key or a program, reports it or redraws
        // itself with its focus shown, asking the page for its colours.
        if (!focusCheckPosted && hwnd) focusCheckPosted = PostMessageW(hwnd, kFocusMoved, 0, 0) != FALSE;
        break;
    }
    return result;
}

BOOL PropertyPage::OnInitDialog(WPARAM wParam, LPARAM lParam)
{
    if (!Dialog::OnInitDialog(wParam, lParam)) return FALSE;
    // The empty menu bar belongs to the sheet, the page's parent.
    CreateMenuBar(GetParent(hwnd));
    return TRUE;
}

BOOL PropertyPage::OnNotify(WPARAM wParam, LPARAM lParam, LRESULT* result)
{
    const NMHDR* header = reinterpret_cast<const NMHDR*>(lParam);
    if (header) {
        if (header->code == static_cast<UINT>(PSN_APPLY)) OnApply();
        if (header->code == static_cast<UINT>(PSN_SETACTIVE)) {
            showingTop = true;
            OnSetActive();
        }
    }
    // Not handled as far as the message result goes: PSN_APPLY is answered with
    // PSNRET_NOERROR and PSN_SETACTIVE accepts the activation.
    return Dialog::OnNotify(wParam, lParam, result);
}

BOOL PropertyPage::OnApply()
{
    OnOK();
    return TRUE;
}

BOOL PropertyPage::OnSetActive()
{
    if (sheetIndex >= 0) hostContext.activePage = sheetIndex;
    return TRUE;
}

void PropertyPage::OnSize(int, int)
{
}

int PropertyPage::ViewHeight() const
{
    RECT client;
    GetClientRect(hwnd, &client);
    int height = client.bottom;
    SIPINFO sip = {};
    sip.cbSize = sizeof(sip);
    if (SipGetInfo(&sip)) {
        POINT top = {0, 0};
        MapWindowPoints(hwnd, NULL, &top, 1);
        if (sip.rcVisibleDesktop.bottom - top.y < height) height = sip.rcVisibleDesktop.bottom - top.y;
    }
    return height > 0 ? height : 0;
}

int PropertyPage::ContentHeight() const
{
    int bottom = 0;
    for (HWND child : Children()) {
        if (!(GetWindowLongW(child, GWL_STYLE) & WS_VISIBLE)) continue;
        RECT rc;
        GetWindowRect(child, &rc);
        MapWindowPoints(NULL, hwnd, reinterpret_cast<POINT*>(&rc), 2);
        if (rc.bottom > bottom) bottom = rc.bottom;
    }
    return bottom + scrollPosition + dpi::ScaleY(kBottomMargin);
}

int PropertyPage::MaxScrollPosition() const
{
    const int hidden = ContentHeight() - ViewHeight();
    return hidden > 0 ? hidden : 0;
}

void PropertyPage::UpdateScrolling()
{
    if (!hwnd || updatingScroll) return;
    TakeBackScrollBarRoom();
    const int view = ViewHeight();
    const int content = ContentHeight();
    const bool needed = content > view;
    // A page that fits and never scrolled is left exactly as the sheet shows it.
    if (!needed && scrollPosition == 0 && !(GetWindowLongW(hwnd, GWL_STYLE) & WS_VSCROLL)) return;

    updatingScroll = true;
    if (scrollPosition > content - view) ScrollTo(needed ? content - view : 0);
    SCROLLINFO info = {};
    info.cbSize = sizeof(info);
    info.fMask = SIF_RANGE | SIF_PAGE | SIF_POS;
    info.nMin = 0;
    // A range the page covers hides the bar.
    info.nMax = needed ? content - 1 : 0;
    info.nPage = needed ? static_cast<UINT>(view) : 0;
    info.nPos = scrollPosition;
    SetScrollInfo(hwnd, SB_VERT, &info, TRUE);
    if (needed) {
        GiveWayToScrollBar();
        // A label that made room by breaking its text into more lines may reach further down.
        const int laidOut = ContentHeight();
        if (laidOut != content) {
            info.fMask = SIF_RANGE;
            info.nMax = laidOut - 1;
            SetScrollInfo(hwnd, SB_VERT, &info, TRUE);
        }
    }
    updatingScroll = false;

    HWND focus = GetFocus();
    if (!showingTop && focus && IsChild(hwnd, focus)) ScrollIntoView(focus);
}

void PropertyPage::GiveWayToScrollBar()
{
    RECT client;
    GetClientRect(hwnd, &client);
    scrollBarRoom = layout::GiveWayLeftOf(hwnd, Children(), client.right);
}

void PropertyPage::TakeBackScrollBarRoom()
{
    layout::TakeBack(hwnd, scrollBarRoom);
}

void PropertyPage::ScrollTo(int position)
{
    const int moved = scrollPosition - position;
    if (!moved) return;
    scrollPosition = position;
    // A page that is not shown (another page is, and the panel fell or the screen turned
    // meanwhile) is not scrolled by the system, which scrolls only what is drawn: its
    // controls are moved one by one instead, so that they keep their place in the page.
    if (ScrollWindowEx(hwnd, 0, moved, NULL, NULL, NULL, NULL, SW_SCROLLCHILDREN | SW_INVALIDATE | SW_ERASE) == ERROR) {
        for (HWND child : Children()) {
            RECT rc;
            GetWindowRect(child, &rc);
            MapWindowPoints(NULL, hwnd, reinterpret_cast<POINT*>(&rc), 2);
            SetWindowPos(child, NULL, rc.left, rc.top + moved, 0, 0,
                         SWP_NOSIZE | SWP_NOZORDER | SWP_NOACTIVATE | SWP_NOCOPYBITS);
        }
    }
    // The children carried along keep the pixels they had, which the scroll moved only where
    // they were on the screen: each is drawn again where it lands.
    RedrawWindow(hwnd, NULL, NULL, RDW_ERASE | RDW_INVALIDATE | RDW_ALLCHILDREN);
    SCROLLINFO info = {};
    info.cbSize = sizeof(info);
    info.fMask = SIF_POS;
    info.nPos = scrollPosition;
    SetScrollInfo(hwnd, SB_VERT, &info, TRUE);
}

void PropertyPage::OnVScroll(int request)
{
    const int last = MaxScrollPosition();
    int position = scrollPosition;
    switch (request) {
    case SB_LINEUP:
        position -= dpi::ScaleY(kScrollLine);
        break;
    case SB_LINEDOWN:
        position += dpi::ScaleY(kScrollLine);
        break;
    case SB_PAGEUP:
        position -= ViewHeight();
        break;
    case SB_PAGEDOWN:
        position += ViewHeight();
        break;
    case SB_THUMBTRACK:
    case SB_THUMBPOSITION: {
        SCROLLINFO info = {};
        info.cbSize = sizeof(info);
        info.fMask = SIF_TRACKPOS;
        if (!GetScrollInfo(hwnd, SB_VERT, &info)) return;
        position = info.nTrackPos;
        break;
    }
    case SB_TOP:
        position = 0;
        break;
    case SB_BOTTOM:
        position = last;
        break;
    default:
        return;
    }
    if (position > last) position = last;
    if (position < 0) position = 0;
    ScrollTo(position);
}

void PropertyPage::ScrollIntoView(HWND control)
{
    // The page's own child: a combo box's edit is shown with its box.
    while (control && GetParent(control) != hwnd) control = GetParent(control);
    if (!control || !hwnd) return;
    RECT rc;
    GetWindowRect(control, &rc);
    MapWindowPoints(NULL, hwnd, reinterpret_cast<POINT*>(&rc), 2);
    const int view = ViewHeight();
    int position = scrollPosition;
    if (rc.bottom + dpi::ScaleY(kBottomMargin) > view) position += rc.bottom + dpi::ScaleY(kBottomMargin) - view;
    if (rc.top < position - scrollPosition) position = scrollPosition + rc.top;
    const int last = MaxScrollPosition();
    if (position > last) position = last;
    if (position < 0) position = 0;
    ScrollTo(position);
}

void PropertyPage::FocusMoved()
{
    if (GetKeyState(VK_LBUTTON) < 0) {
        SetTimer(hwnd, kStylusUpTimer, kStylusUpCheckMs, NULL);
        return;
    }
    const bool opening = showingTop;
    showingTop = false;
    // A page that opens as the sheet switches to it is measured again once the switch is
    // complete: the switch lowers the panel, which only pages with a SIPPREF control hear of.
    if (opening) UpdateScrolling();
    HWND focus = GetFocus();
    if (focus == focusSeen) return;
    focusSeen = focus;
    if (!focus || !hwnd || !IsChild(hwnd, focus)) return;
    // A page that opens stays as it is shown (the first time from its top) while some of the
    // control the sheet or the page itself focused is in view.
    if (opening) {
        HWND control = focus;
        while (control && GetParent(control) != hwnd) control = GetParent(control);
        RECT rc;
        if (!control || !GetWindowRect(control, &rc)) return;
        MapWindowPoints(NULL, hwnd, reinterpret_cast<POINT*>(&rc), 2);
        if (rc.bottom > 0 && rc.top < ViewHeight()) return;
    }
    ScrollIntoView(focus);
}

INT_PTR CALLBACK PropertyPage::StaticPageProc(HWND window, UINT message, WPARAM wParam, LPARAM lParam)
{
    Dialog* dialog = NULL;
    if (message == WM_INITDIALOG) {
        const PROPSHEETPAGEW* record = reinterpret_cast<const PROPSHEETPAGEW*>(lParam);
        dialog = record ? reinterpret_cast<PropertyPage*>(record->lParam) : NULL;
        if (dialog) Bind(window, dialog);
    } else {
        dialog = BoundTo(window);
    }
    return Dispatch(dialog, window, message, wParam, lParam);
}
