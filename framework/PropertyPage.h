// A page of the options sheet: its PROPSHEETPAGE record, the sheet's menu bar, the routing of
// the sheet's apply and activation notifications, and the vertical scrolling of a page that
// is taller than the space it has (a landscape or square screen, the raised input panel),
// which keeps the control with the focus in view.
#pragma once

#include <vector>

#include "framework/Dialog.h"
#include "framework/ScrollBarRoom.h"

class PropertyPage : public Dialog {
public:
    PropertyPage(UINT templateId, UINT titleId);
    ~PropertyPage() override;

    INT_PTR DialogProc(UINT message, WPARAM wParam, LPARAM lParam) override;
    BOOL OnInitDialog(WPARAM wParam, LPARAM lParam) override;
    BOOL OnNotify(WPARAM wParam, LPARAM lParam, LRESULT* result) override;
    virtual BOOL OnApply();
    // Stores the page's place in the sheet as the page the user is on, which ShowOptions
    // reports; a page that overrides it calls it too.
    virtual BOOL OnSetActive();

    // The page's place in its sheet, given as the sheet adds it.
    void SetSheetIndex(int index) { sheetIndex = index; }

    // The record the sheet copies; its lParam is this object.
    const PROPSHEETPAGEW& Record() const { return psp; }

    static INT_PTR CALLBACK StaticPageProc(HWND window, UINT message, WPARAM wParam, LPARAM lParam);

    // How far the page is scrolled down, in pixels.
    int ScrollPosition() const { return scrollPosition; }
    // Scrolls the page so that the control, or the page's child that holds it, is wholly in
    // the part of the page the raised input panel leaves visible (its top, when it is taller).
    void ScrollIntoView(HWND control);

protected:
    // The page's own response to a new size of its window; the scrolling follows it.
    virtual void OnSize(int width, int height);
    // Measures the controls against the space the page has and sets the scroll bar, keeping
    // the focused control in view; runs after the page's size, the panel or the page's own
    // layout changed.
    void UpdateScrolling();

    PROPSHEETPAGEW psp;

private:
    // The height of the page that the raised panel leaves visible.
    int ViewHeight() const;
    // How far down the visible controls reach, measured from the top of the unscrolled page.
    int ContentHeight() const;
    int MaxScrollPosition() const;
    void ScrollTo(int position);
    void OnVScroll(int request);
    void FocusMoved();
    // Makes the controls give way to the scroll bar while it is shown, and takes that back.
    void GiveWayToScrollBar();
    void TakeBackScrollBarRoom();

    int sheetIndex;
    int scrollPosition;
    bool updatingScroll;
    bool focusCheckPosted;
    // From the page's creation or activation to the first look at the focus after it.
    bool showingTop;
    HWND focusSeen;
    // What the controls did to make room for the scroll bar, undone before the page lays
    // itself out again.
    std::vector<layout::GivenWay> scrollBarRoom;
};
