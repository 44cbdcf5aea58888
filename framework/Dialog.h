// Binds a dialog window to an object and turns its messages into virtual calls.
#pragma once

#include <vector>

#include "framework/Gdi.h"
#include "pocketpc/PocketPC.h"

class Dialog {
public:
    Dialog(UINT templateId, HWND parent);
    virtual ~Dialog();

    // Modeless creation from the component's template; returns the window or null.
    virtual HWND Create();
    virtual INT_PTR DialogProc(UINT message, WPARAM wParam, LPARAM lParam);
    virtual BOOL OnInitDialog(WPARAM wParam, LPARAM lParam);
    virtual BOOL OnCommand(WPARAM wParam, LPARAM lParam);
    virtual BOOL OnNotify(WPARAM wParam, LPARAM lParam, LRESULT* result);
    virtual BOOL OnSettingChange(WPARAM wParam, LPARAM lParam);
    virtual HBRUSH OnCtlColorStatic(HDC dc, HWND control);
    virtual void OnOK();
    virtual void OnCancel();
    virtual void EndDialog(INT_PTR result);

    // Gives the owner window one empty Pocket PC menu bar; later calls do nothing.
    void CreateMenuBar(HWND owner);

    static INT_PTR CALLBACK StaticDialogProc(HWND window, UINT message, WPARAM wParam, LPARAM lParam);

    HWND Window() const { return hwnd; }
    HWND MenuBar() const { return menuBar; }
    HFONT HeaderFont() const { return headerFont.Get(); }
    UINT TemplateId() const { return templateId; }

    Dialog(const Dialog&) = delete;
    Dialog& operator=(const Dialog&) = delete;

protected:
    // Binds object and window on WM_INITDIALOG; both static procedures use it.
    static void Bind(HWND window, Dialog* dialog);
    static Dialog* BoundTo(HWND window);
    static INT_PTR Dispatch(Dialog* dialog, HWND window, UINT message, WPARAM wParam, LPARAM lParam);
    void ReleaseStaticBitmaps();
    // The dialog's controls in their order, as its template made them: asked of the system
    // once, as each step from one control to the next is a trip to the window server, and
    // the component's dialogs neither make nor destroy controls of their own.
    const std::vector<HWND>& Children() const;
    // The control with the id, found among those: GetDlgItem walks the controls anew through
    // the window server at every call, which rows read and written cell by cell add up.
    HWND Control(int id) const;
    // Gives every rule of the template the device's size.
    void FitRules();

    HWND hwnd;
    HWND parent;
    HWND menuBar;
    gdi::Font headerFont;
    UINT templateId;
    BOOL fullScreen;

private:
    mutable std::vector<HWND> children;
};
