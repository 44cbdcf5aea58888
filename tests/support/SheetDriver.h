// Drives the real options sheet as a user would, from a timer on the UI thread while the
// sheet's modal loop runs: switch pages, pick combo items, click, type, answer message
// boxes, then OK or Cancel. A watchdog fails the test instead of letting a modal loop hang.
#pragma once

#include <windows.h>

#include "include/corvane_options.h"
#include "support/ControlText.h"

#include <functional>
#include <string>
#include <vector>

namespace driver {

using ShowOptionsFn = CorvaneShowOptionsFn;

struct HostArgs {
    int holdUnsupported = 0;
    int platformLevel = 5;
    int startPage = 0;
    const wchar_t* vendor = L"CorvaneTests";
    const wchar_t* product = L"Product";
    const wchar_t* version = L"2.1";
};

struct MessageBoxSeen {
    std::wstring caption;
    std::wstring text;
    std::vector<int> buttons;  // the ids of its push buttons
    RECT rect = {};            // where it was on the screen
};

class Sheet {
public:
    explicit Sheet(HWND window) : window(window) {}

    HWND Window() const { return window; }
    HWND Page() const;                // the current page's window
    int PageIndex() const;            // the current page's index
    HWND PageWindow(int index) const; // a page's window; null when it was never shown
    HWND Tabs() const;
    std::vector<std::wstring> TabLabels() const;

    void Select(int index);           // taps the page's tab
    HWND Item(int id) const;          // a control of the current page
    void ChooseCombo(int id, int index);
    int ComboSelection(int id) const;
    int ComboCount(int id) const;
    std::wstring ComboText(int id, int index) const;
    std::vector<std::wstring> ComboTexts(int id) const;
    LRESULT ComboData(int id, int index) const;
    void Click(int id);
    bool Checked(int id) const;
    bool Enabled(int id) const;
    bool Visible(int id) const;
    void Focus(int id);
    // Types the text into an edit box key by key, replacing its selection.
    void Type(int id, const std::wstring& text);
    void SetText(int id, const std::wstring& text);
    std::wstring Text(int id) const;

    // Real input, as a person gives it (see RealInput.h): taps at screen points and key
    // presses, hit-tested and sent to the focus by the system itself.
    void TapAt(int x, int y);
    // A tap at the middle of a control of the current page, scrolled into view first with the
    // page's scroll bar where it is out of sight.
    void TapControl(int id);
    // A tap at a point of a control of the current page (in its client coordinates), scrolled
    // into view first as TapControl does.
    void TapControlAt(int id, int x, int y);
    // A tap on a page's tab; false when the tab cannot be reached (the raised input panel
    // covers the tabs) or the page did not change.
    bool TapTab(int index);
    void PressKeys(const std::wstring& text);
    POINT TabPoint(int index) const;  // the middle of a tab on the screen, found by hit-testing

    // Message boxes shown from now on are answered with the button and recorded.
    void AnswerMessageBoxes(int button);
    const std::vector<MessageBoxSeen>& MessageBoxes() const;
    // Each answered box is handed to inspect first, while it is still on the screen.
    void InspectMessageBoxes(const std::function<void(HWND box)>& inspect);

    void Ok();
    void Cancel();
    bool Closed() const { return closed; }

private:
    void WakeModalLoop();

    HWND window;
    bool closed = false;
};

// Calls ShowOptions like the host does and runs the script once the sheet is up. When the
// script leaves the sheet open it is cancelled. Returns ShowOptions' result.
int Run(ShowOptionsFn showOptions, const HostArgs& args, const std::function<void(Sheet&)>& script,
        DWORD timeoutMs = 60000);

// The general form: open() shows a modal property sheet owned by owner; the script runs once
// it is up. Returns what open() returned.
INT_PTR RunSheet(HWND owner, const std::function<INT_PTR()>& open, const std::function<void(Sheet&)>& script,
                 DWORD timeoutMs = 60000);

// A top-level window of this thread that can own the sheet, like the host's main window.
HWND HostWindow();

// Runs code with a watchdog: the process ends with a message when it takes too long.
class Watchdog {
public:
    Watchdog(DWORD timeoutMs, const char* what);
    ~Watchdog();
    Watchdog(const Watchdog&) = delete;
    Watchdog& operator=(const Watchdog&) = delete;

private:
    static DWORD WINAPI Watch(void* self);
    HANDLE done;
    HANDLE thread;
    DWORD timeoutMs;
    std::string what;
};

}  // namespace driver
