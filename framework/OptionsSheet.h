// The modal, full-screen Pocket PC property sheet that holds the option pages.
#pragma once

#include <string>
#include <vector>

#include "framework/PropertyPage.h"

class OptionsSheet {
public:
    OptionsSheet(UINT captionId, UINT iconId, HWND parent, int startPage);
    virtual ~OptionsSheet();

    // Shows the sheet modally; returns what PropertySheetW returned.
    virtual INT_PTR Run();
    // Called once the sheet window exists.
    virtual BOOL OnInitialized();

    // The sheet refers to its pages; it does not own them. A page's place in the sheet is the
    // order it was added in.
    void AddPage(PropertyPage* page);
    void SetTitle(LPCWSTR text) { title = text ? text : L""; }

    HWND Window() const { return hwnd; }
    const PROPSHEETHEADERW& Header() const { return header; }
    const std::vector<PropertyPage*>& Pages() const { return pages; }
    const std::wstring& Title() const { return title; }

    static int CALLBACK PropSheetProc(HWND window, UINT message, LPARAM lParam);
    // The sheet whose Run is in progress on this thread; the callback has no user data.
    static OptionsSheet* currentSheet;

    OptionsSheet(const OptionsSheet&) = delete;
    OptionsSheet& operator=(const OptionsSheet&) = delete;

protected:
    HWND hwnd;
    std::vector<PropertyPage*> pages;
    PROPSHEETHEADERW header;
    std::wstring title;
};
