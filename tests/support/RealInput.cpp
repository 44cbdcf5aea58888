#include "support/RealInput.h"

#include <commctrl.h>
#include <prsht.h>

#include <algorithm>
#include <cstdio>
#include <cstdlib>
#include <deque>
#include <vector>

#include "support/ControlText.h"

namespace realinput {
namespace {

bool IsDialogClass(HWND window)
{
    return driver::ClassOf(window) == L"#32770";
}

// What the modal loop of the window under the message does with it: a property sheet asks
// the sheet, a dialog (a message box) asks IsDialogMessage, anything else is translated and
// dispatched.
void Handle(MSG& message)
{
    HWND root = message.hwnd ? GetAncestor(message.hwnd, GA_ROOT) : NULL;
    if (root && IsDialogClass(root)) {
        if (GetDlgItem(root, 0x3020)) {
            if (SendMessageW(root, PSM_ISDIALOGMESSAGE, 0, reinterpret_cast<LPARAM>(&message))) return;
        } else if (IsDialogMessageW(root, &message)) {
            return;
        }
    }
    TranslateMessage(&message);
    DispatchMessageW(&message);
}

void Send(std::vector<INPUT>& inputs)
{
    SendInput(static_cast<UINT>(inputs.size()), inputs.data(), sizeof(INPUT));
    Settle();
}

INPUT Key(WORD virtualKey, bool up)
{
    INPUT input = {};
    input.type = INPUT_KEYBOARD;
    input.ki.wVk = virtualKey;
    input.ki.wScan = static_cast<WORD>(MapVirtualKeyW(virtualKey, MAPVK_VK_TO_VSC));
    input.ki.dwFlags = up ? KEYEVENTF_KEYUP : 0;
    return input;
}

void AddKeyPress(std::vector<INPUT>& inputs, WORD virtualKey, bool shift)
{
    if (shift) inputs.push_back(Key(VK_SHIFT, false));
    inputs.push_back(Key(virtualKey, false));
    inputs.push_back(Key(virtualKey, true));
    if (shift) inputs.push_back(Key(VK_SHIFT, true));
}

// A character as a keyboard packet, down and up: what an input method sends.
void AddCharacterPacket(std::vector<INPUT>& inputs, wchar_t c)
{
    INPUT input = {};
    input.type = INPUT_KEYBOARD;
    input.ki.wScan = c;
    input.ki.dwFlags = KEYEVENTF_UNICODE;
    inputs.push_back(input);
    input.ki.dwFlags |= KEYEVENTF_KEYUP;
    inputs.push_back(input);
}

// Read by the watchdog's thread.
SRWLOCK stepsLock = SRWLOCK_INIT;
std::deque<std::string>& Steps()
{
    static std::deque<std::string> steps;
    return steps;
}

std::string Hex(UINT value)
{
    char text[16];
    std::snprintf(text, sizeof(text), "0x%04x", value);
    return text;
}

}  // namespace

void NoteStep(const std::string& step)
{
    AcquireSRWLockExclusive(&stepsLock);
    std::deque<std::string>& steps = Steps();
    steps.push_back(std::to_string(GetTickCount()) + " ms: " + step);
    if (steps.size() > 12) steps.pop_front();
    ReleaseSRWLockExclusive(&stepsLock);
}

std::string RecentSteps()
{
    std::string text;
    AcquireSRWLockExclusive(&stepsLock);
    for (const std::string& step : Steps()) text += "  " + step + "\n";
    ReleaseSRWLockExclusive(&stepsLock);
    return text;
}

void Settle()
{
    // Input and what it posts arrive at once; a page's reaction may post more. Timers tick on
    // (the driver's own), so they do not count as activity.
    const DWORD quietMs = 30, longestMs = 3000;
    DWORD start = GetTickCount(), lastActivity = start;
    UINT lastMessage = 0;
    for (;;) {
        MSG message;
        bool handled = false;
        while (PeekMessageW(&message, NULL, 0, 0, PM_REMOVE)) {
            if (message.message == WM_QUIT) {
                PostQuitMessage(static_cast<int>(message.wParam));
                return;
            }
            if (message.message != WM_TIMER) {
                handled = true;
                lastMessage = message.message;
            }
            Handle(message);
        }
        DWORD now = GetTickCount();
        if (handled) lastActivity = now;
        if (now - lastActivity >= quietMs) return;
        if (now - start >= longestMs) {
            NoteStep("still busy after " + std::to_string(longestMs) + " ms (message " + Hex(lastMessage) + ")");
            return;
        }
        MsgWaitForMultipleObjects(0, NULL, FALSE, 5, QS_ALLINPUT);
    }
}

void TapAt(int x, int y)
{
    // Two taps at one spot in quick succession are a double-click, which many controls (tabs,
    // arrows) do not take as a second tap. Separate taps are kept apart in time.
    static DWORD lastTime = 0;
    static POINT last = {-100, -100};
    const DWORD sinceLast = GetTickCount() - lastTime;
    if (abs(x - last.x) <= GetSystemMetrics(SM_CXDOUBLECLK) / 2 &&
        abs(y - last.y) <= GetSystemMetrics(SM_CYDOUBLECLK) / 2 && sinceLast <= GetDoubleClickTime())
        Sleep(GetDoubleClickTime() - sinceLast + 20);
    // The stylus lands at the point: the cursor is put there first (which also moves the
    // display's pointer, so no stale pointer motion moves it off again), then it moves there,
    // goes down and comes up in one piece of input.
    NoteStep("tap at " + std::to_string(x) + "," + std::to_string(y));
    SetCursorPos(x, y);
    Settle();
    const int width = GetSystemMetrics(SM_CXSCREEN), height = GetSystemMetrics(SM_CYSCREEN);
    std::vector<INPUT> inputs(3);
    for (INPUT& input : inputs) input.type = INPUT_MOUSE;
    inputs[0].mi.dx = MulDiv(x, 65535, width > 1 ? width - 1 : 1);
    inputs[0].mi.dy = MulDiv(y, 65535, height > 1 ? height - 1 : 1);
    inputs[0].mi.dwFlags = MOUSEEVENTF_MOVE | MOUSEEVENTF_ABSOLUTE;
    inputs[1].mi.dwFlags = MOUSEEVENTF_LEFTDOWN;
    inputs[2].mi.dwFlags = MOUSEEVENTF_LEFTUP;
    Send(inputs);
    lastTime = GetTickCount();
    last.x = x;
    last.y = y;
}

void TapWindow(HWND window)
{
    RECT rc = {};
    GetWindowRect(window, &rc);
    // Only the part on the screen can be tapped.
    RECT screen = {0, 0, GetSystemMetrics(SM_CXSCREEN), GetSystemMetrics(SM_CYSCREEN)};
    IntersectRect(&rc, &rc, &screen);
    TapAt((rc.left + rc.right) / 2, (rc.top + rc.bottom) / 2);
}

void PressKey(WORD virtualKey)
{
    NoteStep("key " + Hex(virtualKey));
    std::vector<INPUT> inputs;
    AddKeyPress(inputs, virtualKey, false);
    Send(inputs);
}

void PressKeys(const std::wstring& text)
{
    NoteStep("keys for " + std::to_string(text.size()) + " characters");
    for (wchar_t c : text) {
        std::vector<INPUT> inputs;
        if (c == L'\b') {
            AddKeyPress(inputs, VK_BACK, false);
        } else if (c == L'\n' || c == L'\r') {
            AddKeyPress(inputs, VK_RETURN, false);
        } else if (c == L'\t') {
            AddKeyPress(inputs, VK_TAB, false);
        } else {
            SHORT scan = VkKeyScanW(c);
            if (scan == -1) {
                // No key of the layout makes it: the character comes as a keyboard packet.
                AddCharacterPacket(inputs, c);
            } else {
                AddKeyPress(inputs, LOBYTE(scan), (HIBYTE(scan) & 1) != 0);
            }
        }
        Send(inputs);
    }
}

void TypeAtOnce(const std::wstring& text)
{
    std::vector<INPUT> inputs;
    for (wchar_t c : text) AddCharacterPacket(inputs, c);
    // In slices, so the thread's input queue never overflows.
    for (size_t at = 0; at < inputs.size(); at += 400) {
        const size_t count = std::min<size_t>(400, inputs.size() - at);
        SendInput(static_cast<UINT>(count), &inputs[at], sizeof(INPUT));
        Settle();
    }
}

}  // namespace realinput
