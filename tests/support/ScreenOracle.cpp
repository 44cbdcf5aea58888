#include "support/ScreenOracle.h"

#include <cstdio>
#include <cstdlib>

#include "support/Device.h"
#include "support/RealInput.h"

namespace screen {
namespace {

BOOL CALLBACK CollectVisible(HWND window, LPARAM param)
{
    if (IsWindowVisible(window)) reinterpret_cast<std::vector<HWND>*>(param)->push_back(window);
    return TRUE;
}

// Every window of this thread drawn again from scratch: frames, backgrounds, children.
void RepaintEverything()
{
    std::vector<HWND> windows;
    EnumThreadWindows(GetCurrentThreadId(), CollectVisible, reinterpret_cast<LPARAM>(&windows));
    for (HWND window : windows)
        RedrawWindow(window, NULL, NULL, RDW_ERASE | RDW_INVALIDATE | RDW_FRAME | RDW_ALLCHILDREN | RDW_UPDATENOW);
}

// The caret's rectangle on the screen, grown by a pixel; empty when there is none.
RECT CaretRect()
{
    RECT rc = {};
    GUITHREADINFO info = {};
    info.cbSize = sizeof(info);
    if (!GetGUIThreadInfo(GetCurrentThreadId(), &info) || !info.hwndCaret) return rc;
    rc = info.rcCaret;
    MapWindowPoints(info.hwndCaret, NULL, reinterpret_cast<POINT*>(&rc), 2);
    InflateRect(&rc, 1, 1);
    return rc;
}

// Waits while a window that follows the mouse has not yet been told that the cursor left it:
// the system tells it on its next check, a few hundred milliseconds on, and it redraws then.
void AwaitMouseLeave()
{
    const DWORD start = GetTickCount();
    while (GetTickCount() - start < 1500) {
        TRACKMOUSEEVENT tracking = {};
        tracking.cbSize = sizeof(tracking);
        tracking.dwFlags = TME_QUERY;
        if (!TrackMouseEvent(&tracking) || !tracking.hwndTrack || !(tracking.dwFlags & TME_LEAVE)) return;
        POINT cursor;
        GetCursorPos(&cursor);
        HWND under = WindowFromPoint(cursor);
        if (tracking.dwFlags & TME_NONCLIENT) {
            // A frame's part, such as a page's scroll bar, follows the cursor until it leaves
            // the frame, for the window's client area or its children too.
            if (under == tracking.hwndTrack &&
                SendMessageW(under, WM_NCHITTEST, 0, MAKELPARAM(cursor.x, cursor.y)) != HTCLIENT)
                return;
        } else if (under == tracking.hwndTrack || IsChild(tracking.hwndTrack, under)) {
            return;
        }
        MsgWaitForMultipleObjects(0, NULL, FALSE, 10, QS_ALLINPUT);
        realinput::Settle();
    }
}

std::wstring Widen(const std::string& text)
{
    return std::wstring(text.begin(), text.end());
}

std::wstring FileStem(const char* step)
{
    const ::testing::TestInfo* test = ::testing::UnitTest::GetInstance()->current_test_info();
    std::string stem = test ? std::string(test->test_suite_name()) + "." + test->name() + "-" : "";
    stem += step;
    for (char& c : stem)
        if (!isalnum(static_cast<unsigned char>(c)) && c != '.' && c != '-') c = '_';
    return Widen(stem);
}

}  // namespace

Shot Capture()
{
    return Capture(device::Screen());
}

Shot Capture(const RECT& area)
{
    // What the screen shows once the input and the paints it caused are handled.
    realinput::Settle();
    AwaitMouseLeave();
    const int kWidth = area.right - area.left, kHeight = area.bottom - area.top;
    Shot shot;
    if (kWidth <= 0 || kHeight <= 0) return shot;
    shot.width = kWidth;
    shot.height = kHeight;
    shot.pixels.assign(static_cast<size_t>(kWidth) * kHeight, 0);
    HDC screen = GetDC(NULL);
    HDC memory = CreateCompatibleDC(screen);
    BITMAPINFO info = {};
    info.bmiHeader.biSize = sizeof(info.bmiHeader);
    info.bmiHeader.biWidth = kWidth;
    info.bmiHeader.biHeight = -kHeight;  // top-down
    info.bmiHeader.biPlanes = 1;
    info.bmiHeader.biBitCount = 32;
    info.bmiHeader.biCompression = BI_RGB;
    void* bits = NULL;
    HBITMAP bitmap = CreateDIBSection(screen, &info, DIB_RGB_COLORS, &bits, NULL, 0);
    if (bitmap) {
        HGDIOBJ old = SelectObject(memory, bitmap);
        BitBlt(memory, 0, 0, kWidth, kHeight, screen, area.left, area.top, SRCCOPY);
        GdiFlush();
        const uint32_t* source = static_cast<const uint32_t*>(bits);
        for (size_t i = 0; i < shot.pixels.size(); ++i) shot.pixels[i] = source[i] & 0xFFFFFF;
        SelectObject(memory, old);
        DeleteObject(bitmap);
    }
    DeleteDC(memory);
    ReleaseDC(NULL, screen);
    return shot;
}

bool Save(const Shot& shot, const std::wstring& path)
{
    const DWORD stride = ((shot.width * 3 + 3) / 4) * 4;
    const DWORD imageSize = stride * shot.height;
    BITMAPFILEHEADER file = {};
    BITMAPINFOHEADER header = {};
    header.biSize = sizeof(header);
    header.biWidth = shot.width;
    header.biHeight = shot.height;
    header.biPlanes = 1;
    header.biBitCount = 24;
    header.biCompression = BI_RGB;
    file.bfType = 0x4D42;
    file.bfOffBits = sizeof(file) + sizeof(header);
    file.bfSize = file.bfOffBits + imageSize;
    std::vector<unsigned char> rows(imageSize, 0);
    for (int y = 0; y < shot.height; ++y) {
        unsigned char* row = &rows[static_cast<size_t>(shot.height - 1 - y) * stride];
        for (int x = 0; x < shot.width; ++x) {
            uint32_t pixel = shot.pixels[static_cast<size_t>(y) * shot.width + x];
            row[x * 3] = pixel & 0xFF;
            row[x * 3 + 1] = (pixel >> 8) & 0xFF;
            row[x * 3 + 2] = (pixel >> 16) & 0xFF;
        }
    }
    FILE* out = _wfopen(path.c_str(), L"wb");
    if (!out) return false;
    bool saved = fwrite(&file, sizeof(file), 1, out) == 1 && fwrite(&header, sizeof(header), 1, out) == 1 &&
                 fwrite(rows.data(), rows.size(), 1, out) == 1;
    fclose(out);
    return saved;
}

::testing::AssertionResult ShowsFullRepaint(const char* step)
{
    realinput::NoteStep(std::string("screen oracle: ") + step);
    const Shot shown = Capture();
    RECT caretBefore = CaretRect();
    RepaintEverything();
    const Shot repainted = Capture();
    RECT caretAfter = CaretRect();

    const int kWidth = shown.width, kHeight = shown.height;
    if (repainted.width != kWidth || repainted.height != kHeight)
        return ::testing::AssertionFailure() << step << ": the screen changed its size while it was repainted";
    int differing = 0;
    RECT bounds = {kWidth, kHeight, -1, -1};
    for (int y = 0; y < kHeight; ++y) {
        for (int x = 0; x < kWidth; ++x) {
            POINT point = {x, y};
            if (PtInRect(&caretBefore, point) || PtInRect(&caretAfter, point)) continue;
            size_t i = static_cast<size_t>(y) * kWidth + x;
            if (shown.pixels[i] == repainted.pixels[i]) continue;
            ++differing;
            if (x < bounds.left) bounds.left = x;
            if (y < bounds.top) bounds.top = y;
            if (x > bounds.right) bounds.right = x;
            if (y > bounds.bottom) bounds.bottom = y;
        }
    }
    if (differing == 0) return ::testing::AssertionSuccess();

    ::testing::AssertionResult failure = ::testing::AssertionFailure();
    failure << step << ": the screen differs from a full repaint in " << differing << " pixels within x "
            << bounds.left << ".." << bounds.right << ", y " << bounds.top << ".." << bounds.bottom;
    const char* folder = std::getenv("CORVANE_ORACLE_DIR");
    if (folder && *folder) {
        std::wstring stem = Widen(folder) + L"\\" + FileStem(step);
        Save(shown, stem + L"-shown.bmp");
        Save(repainted, stem + L"-repainted.bmp");
        failure << " (saved as " << std::string(stem.begin(), stem.end()) << "-shown/-repainted.bmp)";
    }
    return failure;
}

// The raised input panel is on the screen: its window is shown above the menu bar, and the
// screen's strip there shows exactly what the panel draws of itself (into a bitmap, as a
// window prints its client area), key for key.
::testing::AssertionResult ShowsInputPanel()
{
    HWND panel = FindWindowW(L"SipWndClass", NULL);
    if (!panel || !IsWindowVisible(panel)) return ::testing::AssertionFailure() << "the panel's window is not shown";
    RECT rc = {};
    GetWindowRect(panel, &rc);
    const RECT expected = device::InputPanel();
    if (!EqualRect(&rc, &expected))
        return ::testing::AssertionFailure() << "the panel lies at (" << rc.left << "," << rc.top << ")-(" << rc.right
                                             << "," << rc.bottom << "), not above the menu bar";
    const screen::Shot shown = screen::Capture(rc);
    const int width = rc.right - rc.left, height = rc.bottom - rc.top;
    BITMAPINFO info = {};
    info.bmiHeader.biSize = sizeof(info.bmiHeader);
    info.bmiHeader.biWidth = width;
    info.bmiHeader.biHeight = -height;
    info.bmiHeader.biPlanes = 1;
    info.bmiHeader.biBitCount = 32;
    void* bits = nullptr;
    HDC dc = CreateCompatibleDC(NULL);
    HBITMAP canvas = CreateDIBSection(dc, &info, DIB_RGB_COLORS, &bits, NULL, 0);
    HGDIOBJ old = SelectObject(dc, canvas);
    SendMessageW(panel, WM_PRINTCLIENT, reinterpret_cast<WPARAM>(dc), PRF_CLIENT | PRF_ERASEBKGND);
    GdiFlush();
    int differing = 0, blank = 0;
    const DWORD* drawn = static_cast<const DWORD*>(bits);
    for (size_t i = 0; i < shown.pixels.size(); ++i) {
        if ((drawn[i] & 0xFFFFFF) != shown.pixels[i]) ++differing;
        if ((drawn[i] & 0xFFFFFF) == 0) ++blank;
    }
    SelectObject(dc, old);
    DeleteObject(canvas);
    DeleteDC(dc);
    if (blank == width * height) return ::testing::AssertionFailure() << "the panel draws nothing when asked to print itself";
    if (differing) return ::testing::AssertionFailure() << differing << " of the panel's " << width * height
                                                         << " pixels on the screen differ from what it draws";
    return ::testing::AssertionSuccess();
}

}  // namespace screen
