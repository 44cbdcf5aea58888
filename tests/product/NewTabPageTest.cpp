// The "Tab 2" page through the real sheet, the registry and the device's \Windows\ folder,
// which the tests run on as C:\windows.
#include <gtest/gtest.h>

#include "include/corvane_options.h"
#include "resource.h"
#include "support/Fixtures.h"

namespace {

const wchar_t kFolder[] = L"C:\\windows\\";

// Sound files placed in the device's \Windows\ folder for one test, removed afterwards. The
// names are the tests' own, so other files there do not interfere.
class SoundFolder {
public:
    SoundFolder()
    {
        for (const wchar_t* name : {L"bellcorvtest.wav", L"tickCorvTest.WAV", L".wav", L"stubcorvtest.wavx"}) {
            std::wstring path = kFolder + std::wstring(name);
            HANDLE file = CreateFileW(path.c_str(), GENERIC_WRITE, 0, NULL, CREATE_ALWAYS, FILE_ATTRIBUTE_NORMAL, NULL);
            EXPECT_NE(file, INVALID_HANDLE_VALUE) << "cannot place a sound file in C:\\windows";
            if (file != INVALID_HANDLE_VALUE) CloseHandle(file);
            files.push_back(path);
        }
        folder = kFolder + std::wstring(L"foldercorvtest.wav");
        EXPECT_TRUE(CreateDirectoryW(folder.c_str(), NULL));
    }
    ~SoundFolder()
    {
        for (const std::wstring& path : files) DeleteFileW(path.c_str());
        RemoveDirectoryW(folder.c_str());
    }

private:
    std::vector<std::wstring> files;
    std::wstring folder;
};

class NewTabPageTest : public SheetTest {
protected:
    std::wstring StoredSound() const
    {
        std::wstring sound = L"<absent>";
        EXPECT_TRUE(testreg::ReadString(HKEY_CURRENT_USER, SettingsPath(), L"EventSoundFile", &sound));
        return sound;
    }
    // The text of the sound the list shows selected.
    static std::wstring SelectedSound(driver::Sheet& sheet)
    {
        return sheet.ComboText(IDC_NEW_TAB_SOUND_COMBO, sheet.ComboSelection(IDC_NEW_TAB_SOUND_COMBO));
    }
};

int IndexOf(const std::vector<std::wstring>& texts, const std::wstring& text)
{
    for (size_t i = 0; i < texts.size(); ++i)
        if (texts[i] == text) return static_cast<int>(i);
    return -1;
}

TEST_F(NewTabPageTest, NothingStoredShowsDefaultsAndOkWritesExactlyTheFourValues)
{
    ExpectOk(Show(CORVANE_PAGE_NEW_TAB, [&](driver::Sheet& sheet) {
        EXPECT_TRUE(sheet.Checked(IDC_NEW_TAB_BLANK_RADIO));
        EXPECT_FALSE(sheet.Checked(IDC_NEW_TAB_HOME_RADIO));
        EXPECT_FALSE(sheet.Checked(IDC_NEW_TAB_CURRENT_RADIO));
        EXPECT_TRUE(sheet.Checked(IDC_NEW_TAB_SOUND_CHECK));
        EXPECT_TRUE(sheet.Checked(IDC_NEW_TAB_FOREGROUND_CHECK));
        const int index = sheet.ComboSelection(IDC_NEW_TAB_SOUND_COMBO);
        EXPECT_EQ(sheet.ComboText(IDC_NEW_TAB_SOUND_COMBO, index), L"CorvaneEvent");
        EXPECT_EQ(sheet.ComboData(IDC_NEW_TAB_SOUND_COMBO, index), 1) << "the built-in sound";
        sheet.Ok();
    }));
    EXPECT_EQ(Dword(L"TabNewType"), 0u);
    EXPECT_EQ(Dword(L"EventSound"), 1u);
    EXPECT_EQ(StoredSound(), L"CorvaneEvent");
    EXPECT_EQ(Dword(L"EventForeground"), 1u);
    EXPECT_EQ(testreg::ValueNames(HKEY_CURRENT_USER, SettingsPath()).size(), 4u);
}

TEST_F(NewTabPageTest, ShowingThePageCreatesNoKey)
{
    ExpectRanOn(CORVANE_PAGE_NEW_TAB, Show(CORVANE_PAGE_NEW_TAB, [](driver::Sheet& sheet) { sheet.Cancel(); }));
    EXPECT_FALSE(testreg::KeyExists(HKEY_CURRENT_USER, SettingsPath()));
}

TEST_F(NewTabPageTest, SoundListHoldsTheBuiltInSoundAndEveryWaveFileSorted)
{
    SoundFolder folder;
    ExpectRanOn(CORVANE_PAGE_NEW_TAB, Show(CORVANE_PAGE_NEW_TAB, [&](driver::Sheet& sheet) {
        const std::vector<std::wstring> texts = sheet.ComboTexts(IDC_NEW_TAB_SOUND_COMBO);
        const int bell = IndexOf(texts, L"Bellcorvtest");
        const int builtIn = IndexOf(texts, L"CorvaneEvent");
        const int tick = IndexOf(texts, L"TickCorvTest");
        ASSERT_GE(bell, 0) << "a file's name without .wav, first letter upper-case";
        ASSERT_GE(builtIn, 0);
        ASSERT_GE(tick, 0) << "the extension matches in any case";
        EXPECT_LT(bell, builtIn);
        EXPECT_LT(builtIn, tick);
        EXPECT_EQ(sheet.ComboData(IDC_NEW_TAB_SOUND_COMBO, bell), 0);
        EXPECT_EQ(sheet.ComboData(IDC_NEW_TAB_SOUND_COMBO, builtIn), 1);
        EXPECT_EQ(sheet.ComboData(IDC_NEW_TAB_SOUND_COMBO, tick), 0);
        for (size_t i = 0; i + 1 < texts.size(); ++i)
            EXPECT_LE(lstrcmpiW(texts[i].c_str(), texts[i + 1].c_str()), 0) << "sorted, ignoring case";
        // Nothing that is not a sound file by the list's own naming.
        EXPECT_EQ(IndexOf(texts, L""), -1) << "a file named just .wav";
        EXPECT_EQ(IndexOf(texts, L"Foldercorvtest"), -1) << "a folder";
        EXPECT_EQ(IndexOf(texts, L"Stubcorvtest."), -1);
        EXPECT_EQ(IndexOf(texts, L"Stubcorvtest"), -1);
    }));
}

TEST_F(NewTabPageTest, StoredSoundIsFoundIgnoringCaseAndStoredAsListed)
{
    SoundFolder folder;
    testreg::WriteString(HKEY_CURRENT_USER, SettingsPath(), L"EventSoundFile", L"BELLCORVTEST");
    ExpectOk(Show(CORVANE_PAGE_NEW_TAB, [&](driver::Sheet& sheet) {
        EXPECT_EQ(SelectedSound(sheet), L"Bellcorvtest");
        sheet.Ok();
    }));
    EXPECT_EQ(StoredSound(), L"Bellcorvtest");

    // A sound that has gone falls back to the built-in one.
    testreg::WriteString(HKEY_CURRENT_USER, SettingsPath(), L"EventSoundFile", L"gonecorvtest");
    ExpectOk(Show(CORVANE_PAGE_NEW_TAB, [&](driver::Sheet& sheet) {
        EXPECT_EQ(SelectedSound(sheet), L"CorvaneEvent");
        sheet.Ok();
    }));
    EXPECT_EQ(StoredSound(), L"CorvaneEvent");
}

TEST_F(NewTabPageTest, ChosenFileIsStoredByItsListedName)
{
    SoundFolder folder;
    ExpectOk(Show(CORVANE_PAGE_NEW_TAB, [](driver::Sheet& sheet) {
        const int tick = IndexOf(sheet.ComboTexts(IDC_NEW_TAB_SOUND_COMBO), L"TickCorvTest");
        ASSERT_GE(tick, 0);
        sheet.ChooseCombo(IDC_NEW_TAB_SOUND_COMBO, tick);
        sheet.Click(IDC_NEW_TAB_SOUND_CHECK);
        sheet.Click(IDC_NEW_TAB_FOREGROUND_CHECK);
        sheet.Ok();
    }));
    EXPECT_EQ(StoredSound(), L"TickCorvTest");
    EXPECT_EQ(Dword(L"EventSound"), 0u);
    EXPECT_EQ(Dword(L"EventForeground"), 0u);

    // Shown next time as chosen.
    ExpectRanOn(CORVANE_PAGE_NEW_TAB, Show(CORVANE_PAGE_NEW_TAB, [&](driver::Sheet& sheet) {
        EXPECT_EQ(SelectedSound(sheet), L"TickCorvTest");
        EXPECT_FALSE(sheet.Checked(IDC_NEW_TAB_SOUND_CHECK));
        EXPECT_FALSE(sheet.Checked(IDC_NEW_TAB_FOREGROUND_CHECK));
    }));
}

TEST_F(NewTabPageTest, NewTabTypeChecksItsRadioButtonAndUnknownTypesStoreBlank)
{
    struct Case {
        DWORD stored;
        bool blank, home, current;
        DWORD saved;
    };
    const Case cases[] = {{1, false, true, false, 1}, {2, false, false, true, 2}, {5, false, false, false, 0},
                          {0xFFFFFFFF, false, false, false, 0}};
    for (const Case& c : cases) {
        SCOPED_TRACE("stored " + std::to_string(c.stored));
        WriteDword(L"TabNewType", c.stored);
        ExpectOk(Show(CORVANE_PAGE_NEW_TAB, [&](driver::Sheet& sheet) {
            EXPECT_EQ(sheet.Checked(IDC_NEW_TAB_BLANK_RADIO), c.blank);
            EXPECT_EQ(sheet.Checked(IDC_NEW_TAB_HOME_RADIO), c.home);
            EXPECT_EQ(sheet.Checked(IDC_NEW_TAB_CURRENT_RADIO), c.current);
            sheet.Ok();
        }));
        EXPECT_EQ(Dword(L"TabNewType"), c.saved);
    }

    ExpectOk(Show(CORVANE_PAGE_NEW_TAB, [](driver::Sheet& sheet) {
        sheet.Click(IDC_NEW_TAB_HOME_RADIO);
        sheet.Ok();
    }));
    EXPECT_EQ(Dword(L"TabNewType"), 1u);
}

struct ButtonLook {
    int topLeft, bottomRight;  // the brightness (0 to 765) of the frame's outer corners
    int glyph;                 // and of a pixel inside the glyph's black shape
};

// The button as it draws itself in its current state, into a picture of our own: the page
// may lie partly beyond the screen's edge, where nothing can be read back.
ButtonLook LookOf(HWND button, int glyphX, int glyphY)
{
    RECT rc = {};
    GetClientRect(button, &rc);
    BITMAPINFO info = {};
    info.bmiHeader.biSize = sizeof(info.bmiHeader);
    info.bmiHeader.biWidth = rc.right;
    info.bmiHeader.biHeight = -rc.bottom;
    info.bmiHeader.biPlanes = 1;
    info.bmiHeader.biBitCount = 32;
    HDC dc = CreateCompatibleDC(NULL);
    void* bits = nullptr;
    HBITMAP picture = CreateDIBSection(dc, &info, DIB_RGB_COLORS, &bits, NULL, 0);
    HGDIOBJ previous = SelectObject(dc, picture);
    SendMessageW(button, WM_PRINTCLIENT, reinterpret_cast<WPARAM>(dc), PRF_CLIENT);
    auto brightness = [dc](int x, int y) {
        COLORREF colour = GetPixel(dc, x, y);
        return GetRValue(colour) + GetGValue(colour) + GetBValue(colour);
    };
    ButtonLook look = {brightness(0, 0), brightness(rc.right - 1, rc.bottom - 1), brightness(glyphX, glyphY)};
    SelectObject(dc, previous);
    DeleteObject(picture);
    DeleteDC(dc);
    return look;
}

TEST_F(NewTabPageTest, HeldButtonsDrawTheirFramePushedAndTheirGlyphInverted)
{
    ExpectRanOn(CORVANE_PAGE_NEW_TAB, Show(CORVANE_PAGE_NEW_TAB, [&](driver::Sheet& sheet) {
        // Glyphs are drawn at (3, 3); glyph pixel (6, 6) is inside the play triangle and
        // inside the stop square.
        for (int id : {IDC_NEW_TAB_PLAY, IDC_NEW_TAB_STOP}) {
            SCOPED_TRACE(id == IDC_NEW_TAB_PLAY ? "play" : "stop");
            HWND button = sheet.Item(id);
            ASSERT_NE(button, nullptr) << "the button is on the page";
            const ButtonLook up = LookOf(button, 9, 9);
            EXPECT_GT(up.topLeft, up.bottomRight) << "raised: lit from the top left";
            EXPECT_EQ(up.glyph, 0) << "black glyph";

            SendMessageW(button, BM_SETSTATE, TRUE, 0);
            const ButtonLook held = LookOf(button, 9, 9);
            EXPECT_LT(held.topLeft, held.bottomRight) << "pushed: shadow at the top left";
            EXPECT_EQ(held.glyph, 765) << "inverted glyph";

            SendMessageW(button, BM_SETSTATE, FALSE, 0);
            const ButtonLook released = LookOf(button, 9, 9);
            EXPECT_EQ(released.topLeft, up.topLeft);
            EXPECT_EQ(released.bottomRight, up.bottomRight);
            EXPECT_EQ(released.glyph, up.glyph);
        }
    }));
}

}  // namespace

namespace {

// Names are upper-cased as the platform does it, not only from a to z.
TEST_F(NewTabPageTest, FirstLetterOfANameOutsideAToZIsUpperCasedToo)
{
    const std::wstring files[] = {kFolder + std::wstring(L"\u00fcbercorvtest.wav"),
                                  kFolder + std::wstring(L"\u0444corvtest.wav")};
    for (const std::wstring& path : files) {
        HANDLE file = CreateFileW(path.c_str(), GENERIC_WRITE, 0, NULL, CREATE_ALWAYS, FILE_ATTRIBUTE_NORMAL, NULL);
        ASSERT_NE(file, INVALID_HANDLE_VALUE);
        CloseHandle(file);
    }
    ExpectOk(Show(CORVANE_PAGE_NEW_TAB, [&](driver::Sheet& sheet) {
        const std::vector<std::wstring> texts = sheet.ComboTexts(IDC_NEW_TAB_SOUND_COMBO);
        EXPECT_GE(IndexOf(texts, L"\u0424corvtest"), 0);
        EXPECT_EQ(IndexOf(texts, L"\u00fcbercorvtest"), -1);
        const int uber = IndexOf(texts, L"\u00dcbercorvtest");
        ASSERT_GE(uber, 0);
        sheet.ChooseCombo(IDC_NEW_TAB_SOUND_COMBO, uber);
        sheet.Ok();
    }));
    for (const std::wstring& path : files) DeleteFileW(path.c_str());
    EXPECT_EQ(StoredSound(), L"\u00dcbercorvtest");
}

}  // namespace
