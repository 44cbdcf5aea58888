#include "framework/Dialog.h"

#include "framework/Controls.h"
#include "framework/Dpi.h"
#include "host/HostContext.h"
#include "resource.h"

namespace {

bool IsBitmapStatic(HWND child)
{
    wchar_t className[16] = L"";
    GetClassNameW(child, className, 16);
    return lstrcmpiW(className, L"Static") == 0 && (GetWindowLongW(child, GWL_STYLE) & SS_TYPEMASK) == SS_BITMAP;
}

}  // namespace

Dialog::Dialog(UINT templateId, HWND parent)
    : hwnd(NULL), parent(parent), menuBar(NULL), templateId(templateId & 0xFFFF), fullScreen(1)
{
}

Dialog::~Dialog()
{
}

HWND Dialog::Create()
{
    HRSRC resource = FindResourceW(hostContext.instance, MAKEINTRESOURCEW(templateId), RT_DIALOG);
    if (!resource) return NULL;
    HGLOBAL loaded = LoadResource(hostContext.instance, resource);
    const DLGTEMPLATE* dialogTemplate = loaded ? static_cast<const DLGTEMPLATE*>(LockResource(loaded)) : NULL;
    if (!dialogTemplate) return NULL;
    return CreateDialogIndirectParamW(hostContext.instance, dialogTemplate, parent, StaticDialogProc,
                                      reinterpret_cast<LPARAM>(this));
}

INT_PTR Dialog::DialogProc(UINT message, WPARAM wParam, LPARAM lParam)
{
    switch (message) {
    case WM_INITDIALOG:
        return OnInitDialog(wParam, lParam);
    case WM_COMMAND:
        return OnCommand(wParam, lParam) ? TRUE : FALSE;
    case WM_NOTIFY: {
        LRESULT result = 0;
        if (!OnNotify(wParam, lParam, &result)) return FALSE;
        SetWindowLongPtrW(hwnd, DWLP_MSGRESULT, result);
        return TRUE;
    }
    case WM_SETTINGCHANGE:
        return OnSettingChange(wParam, lParam);
    case WM_CTLCOLORSTATIC:
        return reinterpret_cast<INT_PTR>(OnCtlColorStatic(reinterpret_cast<HDC>(wParam), reinterpret_cast<HWND>(lParam)));
    case WM_DESTROY:
        ReleaseStaticBitmaps();
        return FALSE;
    }
    return FALSE;
}

void Dialog::ReleaseStaticBitmaps()
{
    // A static control that loaded its bitmap from the template does not release it on every
    // platform. Taking the bitmap back makes it ours everywhere, so it is deleted exactly once.
    for (HWND child : Children()) {
        if (!IsBitmapStatic(child)) continue;
        gdi::Bitmap taken(reinterpret_cast<HBITMAP>(SendMessageW(child, STM_SETIMAGE, IMAGE_BITMAP, 0)));
    }
}

void Dialog::FitRules()
{
    // A bitmap static takes the size of its bitmap, which is drawn for 96 dpi: elsewhere the
    // rule is drawn anew at the screen's scale, across the same share of the page's width.
    // At 96 dpi the bitmap already is at the screen's scale.
    if (dpi::LogPixelsX() == 96 && dpi::LogPixelsY() == 96) return;
    for (HWND child : Children()) {
        if (!IsBitmapStatic(child)) continue;
        BITMAP shown = {};
        HGDIOBJ bitmap = reinterpret_cast<HGDIOBJ>(SendMessageW(child, STM_GETIMAGE, IMAGE_BITMAP, 0));
        if (!bitmap || !GetObjectW(bitmap, sizeof(shown), &shown)) continue;
        const int width = dpi::ScaleX(shown.bmWidth);
        const int height = dpi::ScaleY(shown.bmHeight);
        if (width == shown.bmWidth && height == shown.bmHeight) continue;
        HBITMAP rule = controls::LoadPicture(IDB_SEPARATOR, 0, width, height);
        if (!rule) continue;
        // The static hands back the bitmap it showed, which is then ours to delete.
        gdi::Bitmap replaced(reinterpret_cast<HBITMAP>(SendMessageW(child, STM_SETIMAGE, IMAGE_BITMAP,
                                                                    reinterpret_cast<LPARAM>(rule))));
    }
}

const std::vector<HWND>& Dialog::Children() const
{
    if (children.empty() && hwnd) {
        for (HWND child = GetWindow(hwnd, GW_CHILD); child; child = GetWindow(child, GW_HWNDNEXT)) children.push_back(child);
    }
    return children;
}

HWND Dialog::Control(int id) const
{
    for (HWND child : Children()) {
        if (GetDlgCtrlID(child) == id) return child;
    }
    return NULL;
}

BOOL Dialog::OnInitDialog(WPARAM, LPARAM)
{
    headerFont.Reset(controls::CreatePageFont(hwnd, controls::PageFontStyle::Header));
    FitRules();
    if (fullScreen) {
        SHINITDLGINFO info = {};
        info.dwMask = SHIDIM_FLAGS;
        info.hDlg = hwnd;
        info.dwFlags = SHIDIF_DONEBUTTON | SHIDIF_SIZEDLGFULLSCREEN;
        SHInitDialog(&info);
        CreateMenuBar(hwnd);
    }
    return TRUE;
}

BOOL Dialog::OnCommand(WPARAM wParam, LPARAM)
{
    switch (LOWORD(wParam)) {
    case IDOK:
        OnOK();
        return TRUE;
    case IDCANCEL:
        OnCancel();
        return TRUE;
    }
    return FALSE;
}

BOOL Dialog::OnNotify(WPARAM, LPARAM, LRESULT*)
{
    return FALSE;
}

BOOL Dialog::OnSettingChange(WPARAM, LPARAM)
{
    return TRUE;
}

HBRUSH Dialog::OnCtlColorStatic(HDC, HWND)
{
    return GetSysColorBrush(COLOR_STATIC);
}

void Dialog::OnOK()
{
    EndDialog(IDOK);
}

void Dialog::OnCancel()
{
    EndDialog(IDCANCEL);
}

void Dialog::EndDialog(INT_PTR result)
{
    ::EndDialog(hwnd, result);
}

void Dialog::CreateMenuBar(HWND owner)
{
    if (menuBar) return;
    SHMENUBARINFO info = {};
    info.cbSize = sizeof(info);
    info.hwndParent = owner;
    info.dwFlags = SHCMBF_EMPTYBAR;
    SHCreateMenuBar(&info);
    menuBar = info.hwndMB;
}

void Dialog::Bind(HWND window, Dialog* dialog)
{
    dialog->hwnd = window;
    SetWindowLongPtrW(window, GWLP_USERDATA, reinterpret_cast<LONG_PTR>(dialog));
}

Dialog* Dialog::BoundTo(HWND window)
{
    return reinterpret_cast<Dialog*>(GetWindowLongPtrW(window, GWLP_USERDATA));
}

INT_PTR CALLBACK Dialog::StaticDialogProc(HWND window, UINT message, WPARAM wParam, LPARAM lParam)
{
    Dialog* dialog = NULL;
    if (message == WM_INITDIALOG) {
        dialog = reinterpret_cast<Dialog*>(lParam);
        if (dialog) Bind(window, dialog);
    } else {
        dialog = BoundTo(window);
    }
    return Dispatch(dialog, window, message, wParam, lParam);
}

INT_PTR Dialog::Dispatch(Dialog* dialog, HWND window, UINT message, WPARAM wParam, LPARAM lParam)
{
    if (!dialog) return FALSE;
    INT_PTR result = dialog->DialogProc(message, wParam, lParam);
    // The window is gone: the object must not be reached through it any more.
    if (message == WM_NCDESTROY) {
        SetWindowLongPtrW(window, GWLP_USERDATA, 0);
        dialog->hwnd = NULL;
        dialog->children.clear();
    }
    return result;
}
