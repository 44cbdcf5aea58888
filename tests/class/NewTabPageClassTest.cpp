// The "Tab 2" page's sound buttons and glyphs, on a page window of its own. What would play is
// seen through the page's one call to the platform's player; the list and the stored values
// are tested through the sheet (tests/product/NewTabPageTest.cpp).
#include <gtest/gtest.h>

#include "host/HostContext.h"
#include "pages/window/NewTabPage.h"

#include <mmsystem.h>
#include "resource.h"
#include "support/SheetDriver.h"

namespace {

struct SoundCall {
    bool resource;
    UINT_PTR resourceId;
    std::wstring path;
    HMODULE module;
    DWORD flags;
};

class RecordingNewTabPage : public NewTabPage {
public:
    BOOL PlaySoundRequest(LPCWSTR sound, HMODULE module, DWORD flags) override
    {
        SoundCall call = {(flags & SND_RESOURCE) != 0, 0, L"", module, flags};
        if (call.resource)
            call.resourceId = reinterpret_cast<UINT_PTR>(sound);
        else if (sound)
            call.path = sound;
        else
            call.path = L"<null>";
        calls.push_back(call);
        return TRUE;
    }
    const Glyph& PlayGlyph() const { return playGlyph; }
    const Glyph& StopGlyph() const { return stopGlyph; }

    std::vector<SoundCall> calls;
};

HWND CreatePageWindow(NewTabPage& page)
{
    return CreateDialogParamW(hostContext.instance, MAKEINTRESOURCEW(IDD_NEW_TAB), driver::HostWindow(),
                              PropertyPage::StaticPageProc, reinterpret_cast<LPARAM>(&page.Record()));
}

void Select(HWND page, const wchar_t* text)
{
    HWND combo = GetDlgItem(page, IDC_NEW_TAB_SOUND_COMBO);
    LRESULT index = text ? SendMessageW(combo, CB_FINDSTRINGEXACT, static_cast<WPARAM>(-1), reinterpret_cast<LPARAM>(text))
                         : -1;
    if (text) {
        ASSERT_GE(index, 0) << "no sound listed as this";
    }
    SendMessageW(combo, CB_SETCURSEL, index, 0);
}

TEST(NewTabPageClassTest, PlayStartsTheChosenSoundAndStopEndsAnySound)
{
    const wchar_t placed[] = L"C:\\windows\\chimeclasstest.wav";
    HANDLE file = CreateFileW(placed, GENERIC_WRITE, 0, NULL, CREATE_ALWAYS, FILE_ATTRIBUTE_NORMAL, NULL);
    ASSERT_NE(file, INVALID_HANDLE_VALUE);
    CloseHandle(file);

    RecordingNewTabPage page;
    HWND window = CreatePageWindow(page);
    ASSERT_NE(window, nullptr);
    HWND play = GetDlgItem(window, IDC_NEW_TAB_PLAY);
    HWND stop = GetDlgItem(window, IDC_NEW_TAB_STOP);

    Select(window, L"CorvaneEvent");
    SendMessageW(play, BM_CLICK, 0, 0);
    Select(window, L"Chimeclasstest");
    SendMessageW(play, BM_CLICK, 0, 0);
    Select(window, NULL);
    SendMessageW(play, BM_CLICK, 0, 0);
    SendMessageW(stop, BM_CLICK, 0, 0);
    DestroyWindow(window);
    DeleteFileW(placed);

    ASSERT_EQ(page.calls.size(), 4u);
    // The built-in sound from the library's WAVE resource; silent rather than a default sound.
    EXPECT_TRUE(page.calls[0].resource);
    EXPECT_EQ(page.calls[0].resourceId, static_cast<UINT_PTR>(IDR_EVENT_SOUND));
    EXPECT_EQ(page.calls[0].module, hostContext.instance);
    EXPECT_EQ(page.calls[0].flags, 0x40007u);
    // A file by its listed name in the device's \Windows\ folder.
    EXPECT_FALSE(page.calls[1].resource);
    EXPECT_EQ(page.calls[1].path, L"\\Windows\\Chimeclasstest.wav");
    EXPECT_EQ(page.calls[1].module, nullptr);
    EXPECT_EQ(page.calls[1].flags, 0x20003u);
    // No choice at all plays the built-in sound.
    EXPECT_TRUE(page.calls[2].resource);
    EXPECT_EQ(page.calls[2].resourceId, static_cast<UINT_PTR>(IDR_EVENT_SOUND));
    // Stop: no sound, no module, asynchronous, which ends whatever plays.
    EXPECT_EQ(page.calls[3].path, L"<null>");
    EXPECT_EQ(page.calls[3].module, nullptr);
    EXPECT_EQ(page.calls[3].flags, static_cast<DWORD>(SND_ASYNC));
}

// A 24-bit picture of one owner-drawn button as the page draws it into a memory device context.
class ButtonPicture {
public:
    ButtonPicture()
    {
        BITMAPINFO info = {};
        info.bmiHeader.biSize = sizeof(info.bmiHeader);
        info.bmiHeader.biWidth = kSize;
        info.bmiHeader.biHeight = -kSize;
        info.bmiHeader.biPlanes = 1;
        info.bmiHeader.biBitCount = 32;
        dc = CreateCompatibleDC(NULL);
        bitmap = CreateDIBSection(dc, &info, DIB_RGB_COLORS, reinterpret_cast<void**>(&bits), NULL, 0);
        previous = SelectObject(dc, bitmap);
        Fill(RGB(0, 255, 0));
    }
    ~ButtonPicture()
    {
        SelectObject(dc, previous);
        DeleteObject(bitmap);
        DeleteDC(dc);
    }
    void Fill(COLORREF colour)
    {
        for (int i = 0; i < kSize * kSize; ++i) bits[i] = (GetRValue(colour) << 16) | (GetGValue(colour) << 8) | GetBValue(colour);
    }
    // Sends the page WM_DRAWITEM for a 20 x 19 button, as the button itself does.
    LRESULT Draw(HWND page, UINT id, UINT state)
    {
        DRAWITEMSTRUCT item = {};
        item.CtlType = ODT_BUTTON;
        item.CtlID = id;
        item.itemAction = ODA_DRAWENTIRE;
        item.itemState = state;
        item.hwndItem = GetDlgItem(page, id);
        item.hDC = dc;
        item.rcItem = {0, 0, 20, 19};
        return SendMessageW(page, WM_DRAWITEM, id, reinterpret_cast<LPARAM>(&item));
    }
    COLORREF Pixel(int x, int y) const
    {
        DWORD value = bits[y * kSize + x];
        return RGB((value >> 16) & 0xFF, (value >> 8) & 0xFF, value & 0xFF);
    }

    static const int kSize = 24;

private:
    HDC dc;
    HBITMAP bitmap;
    HGDIOBJ previous;
    DWORD* bits = nullptr;
};

TEST(NewTabPageClassTest, GlyphsAreDrawnAtThreeThreeAndInvertedWhileHeld)
{
    RecordingNewTabPage* page = new RecordingNewTabPage;
    EXPECT_EQ(page->PlayGlyph().width, 13);
    EXPECT_EQ(page->PlayGlyph().height, 13);
    EXPECT_EQ(page->StopGlyph().width, 13);
    EXPECT_EQ(page->StopGlyph().height, 13);
    HBITMAP playBitmap = page->PlayGlyph().bitmap.Get();
    HBITMAP stopBitmap = page->StopGlyph().bitmap.Get();
    HWND window = CreatePageWindow(*page);
    ASSERT_NE(window, nullptr);

    ButtonPicture picture;
    picture.Draw(window, IDC_NEW_TAB_PLAY, 0);
    // The triangle's vertical edge is glyph column 5 and its tip glyph (9, 6).
    EXPECT_EQ(picture.Pixel(3 + 5, 3 + 6), RGB(0, 0, 0));
    EXPECT_EQ(picture.Pixel(3 + 9, 3 + 6), RGB(0, 0, 0));
    EXPECT_EQ(picture.Pixel(3 + 4, 3 + 6), RGB(255, 255, 255));
    EXPECT_EQ(picture.Pixel(3 + 10, 3 + 6), RGB(255, 255, 255));
    EXPECT_EQ(picture.Pixel(3 + 5, 3 + 1), RGB(255, 255, 255));
    picture.Draw(window, IDC_NEW_TAB_PLAY, ODS_SELECTED);
    EXPECT_EQ(picture.Pixel(3 + 5, 3 + 6), RGB(255, 255, 255));
    EXPECT_EQ(picture.Pixel(3 + 4, 3 + 6), RGB(0, 0, 0));

    picture.Draw(window, IDC_NEW_TAB_STOP, 0);
    EXPECT_EQ(picture.Pixel(3 + 3, 3 + 3), RGB(0, 0, 0));
    EXPECT_EQ(picture.Pixel(3 + 9, 3 + 9), RGB(0, 0, 0));
    EXPECT_EQ(picture.Pixel(3 + 2, 3 + 3), RGB(255, 255, 255));
    EXPECT_EQ(picture.Pixel(3 + 10, 3 + 9), RGB(255, 255, 255));

    // Other owner-drawn items are none of this page's business.
    picture.Fill(RGB(0, 255, 0));
    picture.Draw(window, IDC_NEW_TAB_SOUND_COMBO, 0);
    for (int y = 0; y < ButtonPicture::kSize; ++y)
        for (int x = 0; x < ButtonPicture::kSize; ++x) ASSERT_EQ(picture.Pixel(x, y), RGB(0, 255, 0)) << x << "," << y;

    DestroyWindow(window);
    EXPECT_EQ(GetObjectType(playBitmap), static_cast<DWORD>(OBJ_BITMAP));
    delete page;
    EXPECT_EQ(GetObjectType(playBitmap), 0u) << "the page owns its glyphs";
    EXPECT_EQ(GetObjectType(stopBitmap), 0u);
}

}  // namespace
