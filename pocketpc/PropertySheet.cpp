// The property sheet as CE's comctl32 shows it: full screen on the device, the title from the
// sheet's callback in a navigation bar at the top, the tabs along the bottom.
#ifndef _WIN32_WCE
#define POCKETPC_LAYER_IMPLEMENTATION
#include "pocketpc/Layer.h"

#include "framework/Gdi.h"

namespace pocketpc {
namespace {

// Ids of the desktop sheet's own controls.
const int kTabControlId = 0x3020;
const int kApplyButtonId = 0x3021;
const int kNavigationBarId = 0x3F00;

const COLORREF kNavigationBarColour = RGB(0, 51, 153);

// What one running PocketPropertySheet call needs inside the callback, which has no user data.
struct SheetLook {
    PFNPROPSHEETCALLBACK userCallback;
    bool tabsAtBottom;
    wchar_t title[MAX_PATH];
    gdi::Font titleFont;
    gdi::Brush barBrush;
    SheetLook* outer;  // the look of a sheet whose call is still in progress on this thread
};

SheetLook* activeLook = NULL;

LRESULT CALLBACK SheetSubclassProc(HWND sheet, UINT message, WPARAM wParam, LPARAM lParam)
{
    if (message == WM_CTLCOLORSTATIC && GetDlgCtrlID(reinterpret_cast<HWND>(lParam)) == kNavigationBarId) {
        const SheetLook* look = static_cast<const SheetLook*>(SubclassData(SheetSubclassProc, sheet));
        HDC dc = reinterpret_cast<HDC>(wParam);
        SetTextColor(dc, RGB(255, 255, 255));
        SetBkColor(dc, kNavigationBarColour);
        if (look) return reinterpret_cast<LRESULT>(look->barBrush.Get());
    }
    if (message == WM_NOTIFY) {
        const NMHDR* header = reinterpret_cast<const NMHDR*>(lParam);
        if (header && header->idFrom == kTabControlId && header->code == static_cast<UINT>(TCN_SELCHANGE)) {
            LRESULT result = CallReplaced(SheetSubclassProc, sheet, message, wParam, lParam);
            // A page switch lowers the input panel, as on the device.
            SetInputPanel(false);
            return result;
        }
    }
    // The device turned: the layer's windows follow once the turn is over.
    if (message == WM_DISPLAYCHANGE) ScreenChanged(sheet);
    if (message == FollowScreenMessage()) {
        FollowScreen();
        return 0;
    }
    return CallReplaced(SheetSubclassProc, sheet, message, wParam, lParam);
}

// The desktop tab control redraws a tab alone (a switch, a focus change) over the edge of its
// pane, where drawing it whole puts the pane's border: it is always drawn whole instead, with
// its scroll arrows, which otherwise keep showing a tap's highlight after the stylus left.
LRESULT CALLBACK ArrowsSubclassProc(HWND arrows, UINT message, WPARAM wParam, LPARAM lParam)
{
    LRESULT result = CallReplaced(ArrowsSubclassProc, arrows, message, wParam, lParam);
    if (message == WM_MOUSELEAVE) InvalidateRect(arrows, NULL, TRUE);
    return result;
}

LRESULT CALLBACK TabsSubclassProc(HWND tabs, UINT message, WPARAM wParam, LPARAM lParam)
{
    if (message == TCM_ADJUSTRECT && !wParam && lParam) {
        // The device's pages span the screen's width from just below the navigation bar,
        // with no pane border: the sheet places its pages where this answer says.
        RECT* rc = reinterpret_cast<RECT*>(lParam);
        const RECT whole = *rc;
        LRESULT result = CallReplaced(TabsSubclassProc, tabs, message, wParam, lParam);
        rc->left = whole.left;
        rc->right = whole.right;
        rc->top = whole.top;
        return result;
    }
    if (message == WM_PAINT && !wParam) {
        RedrawWindow(tabs, NULL, NULL, RDW_INVALIDATE | RDW_ERASE | RDW_ALLCHILDREN);
        // The arrows appear once the tabs do not fit; each is subclassed once.
        for (HWND child = GetWindow(tabs, GW_CHILD); child; child = GetWindow(child, GW_HWNDNEXT))
            Subclass(child, ArrowsSubclassProc, NULL);
    }
    return CallReplaced(TabsSubclassProc, tabs, message, wParam, lParam);
}

// The desktop's check boxes and radio buttons draw their focus rectangle by inverting it, and
// do it again when only their pushed state is redrawn (a tap's press and release), so after
// a tap the focused box shows no rectangle though drawing it whole shows one. While a sheet
// is up, each one created is followed: a change of its pushed state redraws it whole.
LRESULT CALLBACK BoxSubclassProc(HWND box, UINT message, WPARAM wParam, LPARAM lParam)
{
    LRESULT result = CallReplaced(BoxSubclassProc, box, message, wParam, lParam);
    if (message == BM_SETSTATE) InvalidateRect(box, NULL, FALSE);
    return result;
}

HHOOK creationHook = NULL;
int creationHookUsers = 0;

LRESULT CALLBACK CreationHook(int code, WPARAM wParam, LPARAM lParam)
{
    if (code == HCBT_CREATEWND) {
        const CBT_CREATEWNDW* creation = reinterpret_cast<const CBT_CREATEWNDW*>(lParam);
        HWND window = reinterpret_cast<HWND>(wParam);
        wchar_t name[16] = L"";
        GetClassNameW(window, name, 16);
        const LONG type = creation && creation->lpcs ? creation->lpcs->style & BS_TYPEMASK : -1;
        const bool box = type == BS_CHECKBOX || type == BS_AUTOCHECKBOX || type == BS_3STATE || type == BS_AUTO3STATE ||
                         type == BS_RADIOBUTTON || type == BS_AUTORADIOBUTTON;
        if (box && lstrcmpiW(name, L"Button") == 0) Subclass(window, BoxSubclassProc, NULL);
    }
    return CallNextHookEx(creationHook, code, wParam, lParam);
}

void FollowNewBoxes(bool on)
{
    if (on) {
        if (creationHookUsers++ == 0)
            creationHook = SetWindowsHookExW(WH_CBT, CreationHook, NULL, GetCurrentThreadId());
    } else if (creationHookUsers > 0 && --creationHookUsers == 0 && creationHook) {
        UnhookWindowsHookEx(creationHook);
        creationHook = NULL;
    }
}

HFONT CreateTitleFont(HWND sheet)
{
    LOGFONTW font = {};
    HFONT current = reinterpret_cast<HFONT>(SendMessageW(sheet, WM_GETFONT, 0, 0));
    if (!current || !GetObjectW(current, sizeof(font), &font)) return NULL;
    font.lfWeight = FW_BOLD;
    return CreateFontIndirectW(&font);
}

void MoveChild(HWND sheet, int id, int x, int y, int width, int height)
{
    HWND child = GetDlgItem(sheet, id);
    if (child) SetWindowPos(child, HWND_TOP, x, y, width, height, SWP_NOACTIVATE);
}

// OK and Cancel at the navigation bar's right end, in the middle of its height; on a bar
// lower than the buttons (18 pixels on some devices) they keep a pixel above and below.
void PlaceSheetButtons(HWND sheet, const Geometry& device)
{
    int height = Scale(20);
    if (height > device.titleBar - 2) height = device.titleBar - 2;
    const int top = (device.titleBar - height) / 2;
    MoveChild(sheet, IDOK, device.screenWidth - Scale(92), top, Scale(42), height);
    MoveChild(sheet, IDCANCEL, device.screenWidth - Scale(48), top, Scale(46), height);
}

// The sheet over the navigation bar and the visible desktop of the screen as it is now: the
// navigation bar, OK and Cancel along its top, the tab control below, and every page made so
// far where the sheet itself puts a page (its tab control's page area).
void PlaceSheet(HWND sheet, const Geometry& device)
{
    const int sheetHeight = device.screenHeight - device.menuBar;
    SetWindowPos(sheet, NULL, 0, 0, device.screenWidth, sheetHeight, SWP_NOZORDER | SWP_NOACTIVATE);
    HWND bar = GetDlgItem(sheet, kNavigationBarId);
    if (bar) SetWindowPos(bar, HWND_BOTTOM, 0, 0, device.screenWidth, device.titleBar, SWP_NOACTIVATE);
    PlaceSheetButtons(sheet, device);
    HWND tabs = GetDlgItem(sheet, kTabControlId);
    if (!tabs) return;
    SetWindowPos(tabs, NULL, 0, device.titleBar, device.screenWidth, sheetHeight - device.titleBar,
                 SWP_NOZORDER | SWP_NOACTIVATE | SWP_FRAMECHANGED);
    RECT area;
    GetClientRect(tabs, &area);
    SendMessageW(tabs, TCM_ADJUSTRECT, FALSE, reinterpret_cast<LPARAM>(&area));
    MapWindowPoints(tabs, sheet, reinterpret_cast<POINT*>(&area), 2);
    const int count = static_cast<int>(SendMessageW(tabs, TCM_GETITEMCOUNT, 0, 0));
    for (int i = 0; i < count; ++i) {
        HWND page = reinterpret_cast<HWND>(SendMessageW(sheet, PSM_INDEXTOHWND, i, 0));
        if (page)
            SetWindowPos(page, NULL, area.left, area.top, area.right - area.left, area.bottom - area.top,
                         SWP_NOZORDER | SWP_NOACTIVATE);
    }
}

void ApplyPocketLook(HWND sheet, SheetLook* look)
{
    const Geometry device = Device();
    SetWindowTextW(sheet, look->title);

    // A borderless window over the navigation bar and the visible desktop.
    LONG style = GetWindowLongW(sheet, GWL_STYLE);
    style &= ~(WS_CAPTION | WS_SYSMENU | WS_THICKFRAME | DS_MODALFRAME | WS_BORDER | WS_DLGFRAME);
    SetWindowLongW(sheet, GWL_STYLE, style);
    LONG exStyle = GetWindowLongW(sheet, GWL_EXSTYLE);
    exStyle &= ~(WS_EX_DLGMODALFRAME | WS_EX_WINDOWEDGE | WS_EX_CLIENTEDGE | WS_EX_STATICEDGE);
    SetWindowLongW(sheet, GWL_EXSTYLE, exStyle);
    const int sheetHeight = device.screenHeight - device.menuBar;
    SetWindowPos(sheet, NULL, 0, 0, device.screenWidth, sheetHeight,
                 SWP_NOZORDER | SWP_NOACTIVATE | SWP_FRAMECHANGED);

    // The navigation bar: the title on the left, OK and Cancel on the right.
    HWND bar = CreateWindowExW(0, L"STATIC", look->title,
                               WS_CHILD | WS_VISIBLE | WS_CLIPSIBLINGS | SS_LEFT | SS_CENTERIMAGE, 0, 0,
                               device.screenWidth, device.titleBar, sheet,
                               reinterpret_cast<HMENU>(static_cast<INT_PTR>(kNavigationBarId)),
                               LayerModule(), NULL);
    look->titleFont.Reset(CreateTitleFont(sheet));
    if (bar && look->titleFont) SendMessageW(bar, WM_SETFONT, reinterpret_cast<WPARAM>(look->titleFont.Get()), FALSE);
    if (bar) SetWindowPos(bar, HWND_BOTTOM, 0, 0, 0, 0, SWP_NOMOVE | SWP_NOSIZE | SWP_NOACTIVATE);
    PlaceSheetButtons(sheet, device);

    // The device's sheet has no Apply or Help button.
    HWND apply = GetDlgItem(sheet, kApplyButtonId);
    if (apply) ShowWindow(apply, SW_HIDE);
    HWND help = GetDlgItem(sheet, IDHELP);
    if (help) ShowWindow(help, SW_HIDE);

    // The tab control fills the rest; pages are placed inside it as they are shown.
    HWND tabs = GetDlgItem(sheet, kTabControlId);
    if (tabs) {
        if (look->tabsAtBottom) {
            LONG tabStyle = GetWindowLongW(tabs, GWL_STYLE);
            SetWindowLongW(tabs, GWL_STYLE, (tabStyle | TCS_BOTTOM) & ~TCS_MULTILINE);
        }
        SetWindowPos(tabs, NULL, 0, device.titleBar, device.screenWidth, sheetHeight - device.titleBar,
                     SWP_NOZORDER | SWP_NOACTIVATE | SWP_FRAMECHANGED);
        Subclass(tabs, TabsSubclassProc, NULL);
    }
    Subclass(sheet, SheetSubclassProc, look);
}

int CALLBACK LayerCallback(HWND sheet, UINT message, LPARAM lParam)
{
    SheetLook* look = activeLook;
    if (look && message == PSCB_INITIALIZED) ApplyPocketLook(sheet, look);
    if (look && look->userCallback) return look->userCallback(sheet, message, lParam);
    return 0;
}

}  // namespace

bool PlaceLayerSheet(HWND window)
{
    if (!SubclassData(SheetSubclassProc, window)) return false;
    PlaceSheet(window, Device());
    return true;
}

}  // namespace pocketpc

INT_PTR PocketPropertySheet(LPCPROPSHEETHEADERW header)
{
    using namespace pocketpc;
    if (!header || header->dwSize < PROPSHEETHEADERW_V1_SIZE) {
        SetLastError(ERROR_INVALID_PARAMETER);
        return -1;
    }
    PROPSHEETHEADERW desktop = {};
    CopyMemory(&desktop, header, header->dwSize < sizeof(desktop) ? header->dwSize : sizeof(desktop));

    ForgetScreenSize();
    SheetLook look = {};
    look.barBrush.Reset(CreateSolidBrush(kNavigationBarColour));
    if (desktop.dwFlags & PSH_USECALLBACK) look.userCallback = desktop.pfnCallback;
    if (look.userCallback) {
        look.tabsAtBottom = look.userCallback(NULL, PSCB_GETVERSION, 0) == COMCTL32_VERSION;
        look.userCallback(NULL, PSCB_GETTITLE, reinterpret_cast<LPARAM>(look.title));
        look.title[MAX_PATH - 1] = L'\0';
    }

    // The desktop reads PSH_MAXIMIZE as a wizard flag; full screen is the look above.
    desktop.dwFlags &= ~PSH_MAXIMIZE;
    desktop.dwFlags |= PSH_USECALLBACK;
    desktop.pfnCallback = LayerCallback;

    look.outer = activeLook;
    activeLook = &look;
    FollowNewBoxes(true);
    INT_PTR result = PropertySheetW(&desktop);
    FollowNewBoxes(false);
    activeLook = look.outer;
    // The panel goes down with the sheet; its window goes too when no sheet is left.
    SetInputPanel(false);
    if (!activeLook) {
        DestroyInputPanelWindow();
        ScreenFollowed();
    }
    return result;
}
#endif
