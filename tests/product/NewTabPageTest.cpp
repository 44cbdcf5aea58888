// The "Tab 2" page through the real sheet, the registry and the device's \Windows\ folder,
// which the tests run on as C:\windows.
#include <gtest/gtest.h>

#include "resource.h"
#include "support/Fixtures.h"

namespace {

const int kNewTabPage = CORVANE_PAGE_NEW_TAB;
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
    // The selected sound's text, and what OK then stores.
    std::wstring SelectedSoundAfterOk()
    {
        std::wstring selected;
        Show(kNewTabPage, [&](driver::Sheet& sheet) {
            selected = sheet.ComboText(IDC_NEW_TAB_SOUND_COMBO, sheet.ComboSelection(IDC_NEW_TAB_SOUND_COMBO));
            sheet.Ok();
        });
        return selected;
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
    bool blank = false, home = true, current = true, sound = false, foreground = false;
    std::wstring selected;
    LRESULT data = 0;
    Show(kNewTabPage, [&](driver::Sheet& sheet) {
        blank = sheet.Checked(IDC_NEW_TAB_BLANK_RADIO);
        home = sheet.Checked(IDC_NEW_TAB_HOME_RADIO);
        current = sheet.Checked(IDC_NEW_TAB_CURRENT_RADIO);
        sound = sheet.Checked(IDC_NEW_TAB_SOUND_CHECK);
        foreground = sheet.Checked(IDC_NEW_TAB_FOREGROUND_CHECK);
        int index = sheet.ComboSelection(IDC_NEW_TAB_SOUND_COMBO);
        selected = sheet.ComboText(IDC_NEW_TAB_SOUND_COMBO, index);
        data = sheet.ComboData(IDC_NEW_TAB_SOUND_COMBO, index);
        sheet.Ok();
    });
    EXPECT_TRUE(blank);
    EXPECT_FALSE(home);
    EXPECT_FALSE(current);
    EXPECT_TRUE(sound);
    EXPECT_TRUE(foreground);
    EXPECT_EQ(selected, L"CorvaneEvent");
    EXPECT_EQ(data, 1) << "the built-in sound";

    EXPECT_EQ(Dword(L"TabNewType"), 0u);
    EXPECT_EQ(Dword(L"EventSound"), 1u);
    EXPECT_EQ(StoredSound(), L"CorvaneEvent");
    EXPECT_EQ(Dword(L"EventForeground"), 1u);
    EXPECT_EQ(testreg::ValueNames(HKEY_CURRENT_USER, SettingsPath()).size(), 4u);
}

TEST_F(NewTabPageTest, ShowingThePageCreatesNoKey)
{
    Show(kNewTabPage, [](driver::Sheet& sheet) { sheet.Cancel(); });
    EXPECT_FALSE(testreg::KeyExists(HKEY_CURRENT_USER, SettingsPath()));
}

TEST_F(NewTabPageTest, SoundListHoldsTheBuiltInSoundAndEveryWaveFileSorted)
{
    SoundFolder folder;
    std::vector<std::wstring> texts;
    std::vector<LRESULT> data;
    Show(kNewTabPage, [&](driver::Sheet& sheet) {
        texts = sheet.ComboTexts(IDC_NEW_TAB_SOUND_COMBO);
        for (size_t i = 0; i < texts.size(); ++i) data.push_back(sheet.ComboData(IDC_NEW_TAB_SOUND_COMBO, static_cast<int>(i)));
    });
    int bell = IndexOf(texts, L"Bellcorvtest");
    int builtIn = IndexOf(texts, L"CorvaneEvent");
    int tick = IndexOf(texts, L"TickCorvTest");
    ASSERT_GE(bell, 0) << "a file's name without .wav, first letter upper-case";
    ASSERT_GE(builtIn, 0);
    ASSERT_GE(tick, 0) << "the extension matches in any case";
    EXPECT_LT(bell, builtIn);
    EXPECT_LT(builtIn, tick);
    EXPECT_EQ(data[bell], 0);
    EXPECT_EQ(data[builtIn], 1);
    EXPECT_EQ(data[tick], 0);
    for (size_t i = 0; i + 1 < texts.size(); ++i)
        EXPECT_LE(lstrcmpiW(texts[i].c_str(), texts[i + 1].c_str()), 0) << "sorted, ignoring case";
    // Nothing that is not a sound file by the list's own naming.
    EXPECT_EQ(IndexOf(texts, L""), -1) << "a file named just .wav";
    EXPECT_EQ(IndexOf(texts, L"Foldercorvtest"), -1) << "a folder";
    EXPECT_EQ(IndexOf(texts, L"Stubcorvtest."), -1);
    EXPECT_EQ(IndexOf(texts, L"Stubcorvtest"), -1);
}

TEST_F(NewTabPageTest, StoredSoundIsFoundIgnoringCaseAndStoredAsListed)
{
    SoundFolder folder;
    testreg::WriteString(HKEY_CURRENT_USER, SettingsPath(), L"EventSoundFile", L"BELLCORVTEST");
    EXPECT_EQ(SelectedSoundAfterOk(), L"Bellcorvtest");
    EXPECT_EQ(StoredSound(), L"Bellcorvtest");

    // A sound that has gone falls back to the built-in one.
    testreg::WriteString(HKEY_CURRENT_USER, SettingsPath(), L"EventSoundFile", L"gonecorvtest");
    EXPECT_EQ(SelectedSoundAfterOk(), L"CorvaneEvent");
    EXPECT_EQ(StoredSound(), L"CorvaneEvent");
}

TEST_F(NewTabPageTest, ChosenFileIsStoredByItsListedName)
{
    SoundFolder folder;
    Show(kNewTabPage, [](driver::Sheet& sheet) {
        int tick = IndexOf(sheet.ComboTexts(IDC_NEW_TAB_SOUND_COMBO), L"TickCorvTest");
        ASSERT_GE(tick, 0);
        sheet.ChooseCombo(IDC_NEW_TAB_SOUND_COMBO, tick);
        sheet.Click(IDC_NEW_TAB_SOUND_CHECK);
        sheet.Click(IDC_NEW_TAB_FOREGROUND_CHECK);
        sheet.Ok();
    });
    EXPECT_EQ(StoredSound(), L"TickCorvTest");
    EXPECT_EQ(Dword(L"EventSound"), 0u);
    EXPECT_EQ(Dword(L"EventForeground"), 0u);

    bool sound = true, foreground = true;
    std::wstring selected;
    Show(kNewTabPage, [&](driver::Sheet& sheet) {
        selected = sheet.ComboText(IDC_NEW_TAB_SOUND_COMBO, sheet.ComboSelection(IDC_NEW_TAB_SOUND_COMBO));
        sound = sheet.Checked(IDC_NEW_TAB_SOUND_CHECK);
        foreground = sheet.Checked(IDC_NEW_TAB_FOREGROUND_CHECK);
    });
    EXPECT_EQ(selected, L"TickCorvTest");
    EXPECT_FALSE(sound);
    EXPECT_FALSE(foreground);
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
        bool blank = !c.blank, home = !c.home, current = !c.current;
        Show(kNewTabPage, [&](driver::Sheet& sheet) {
            blank = sheet.Checked(IDC_NEW_TAB_BLANK_RADIO);
            home = sheet.Checked(IDC_NEW_TAB_HOME_RADIO);
            current = sheet.Checked(IDC_NEW_TAB_CURRENT_RADIO);
            sheet.Ok();
        });
        EXPECT_EQ(blank, c.blank);
        EXPECT_EQ(home, c.home);
        EXPECT_EQ(current, c.current);
        EXPECT_EQ(Dword(L"TabNewType"), c.saved);
    }

    Show(kNewTabPage, [](driver::Sheet& sheet) {
        sheet.Click(IDC_NEW_TAB_HOME_RADIO);
        sheet.Ok();
    });
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
    std::vector<ButtonLook> play, stop;
    Show(kNewTabPage, [&](driver::Sheet& sheet) {
        // Glyphs are drawn at (3, 3); glyph pixel (6, 6) is inside the play triangle and
        // inside the stop square.
        for (int id : {IDC_NEW_TAB_PLAY, IDC_NEW_TAB_STOP}) {
            HWND button = sheet.Item(id);
            std::vector<ButtonLook>& looks = id == IDC_NEW_TAB_PLAY ? play : stop;
            looks.push_back(LookOf(button, 9, 9));
            SendMessageW(button, BM_SETSTATE, TRUE, 0);
            looks.push_back(LookOf(button, 9, 9));
            SendMessageW(button, BM_SETSTATE, FALSE, 0);
            looks.push_back(LookOf(button, 9, 9));
        }
    });
    for (const std::vector<ButtonLook>* looks : {&play, &stop}) {
        SCOPED_TRACE(looks == &play ? "play" : "stop");
        ASSERT_EQ(looks->size(), 3u);
        const ButtonLook& up = (*looks)[0];
        const ButtonLook& held = (*looks)[1];
        const ButtonLook& released = (*looks)[2];
        EXPECT_GT(up.topLeft, up.bottomRight) << "raised: lit from the top left";
        EXPECT_LT(held.topLeft, held.bottomRight) << "pushed: shadow at the top left";
        EXPECT_EQ(up.glyph, 0) << "black glyph";
        EXPECT_EQ(held.glyph, 765) << "inverted glyph";
        EXPECT_EQ(released.topLeft, up.topLeft);
        EXPECT_EQ(released.bottomRight, up.bottomRight);
        EXPECT_EQ(released.glyph, up.glyph);
    }
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
    std::vector<std::wstring> texts;
    Show(kNewTabPage, [&](driver::Sheet& sheet) {
        texts = sheet.ComboTexts(IDC_NEW_TAB_SOUND_COMBO);
        int uber = IndexOf(texts, L"\u00dcbercorvtest");
        ASSERT_GE(uber, 0);
        sheet.ChooseCombo(IDC_NEW_TAB_SOUND_COMBO, uber);
        sheet.Ok();
    });
    for (const std::wstring& path : files) DeleteFileW(path.c_str());
    EXPECT_GE(IndexOf(texts, L"\u0424corvtest"), 0);
    EXPECT_EQ(IndexOf(texts, L"\u00fcbercorvtest"), -1);
    EXPECT_EQ(StoredSound(), L"\u00dcbercorvtest");
}

}  // namespace
