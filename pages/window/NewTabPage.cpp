#include "pages/window/NewTabPage.h"

#include <mmsystem.h>

#include <cwchar>
#include <string>
#include <vector>

#include "framework/Controls.h"
#include "framework/Dpi.h"
#include "host/HostContext.h"
#include "resource.h"
#include "settings/SettingsKey.h"

namespace {
// The name under which the built-in sound is listed and stored.
const wchar_t kBuiltInSound[] = L"CorvaneEvent";
// The device keeps its sounds here, as "<name>.wav".
const wchar_t kSoundFolder[] = L"\\Windows\\";
const wchar_t kSoundPattern[] = L"\\Windows\\*.wav";
const wchar_t kSoundExtension[] = L".wav";
const size_t kSoundExtensionLength = 4;

const LPARAM kBuiltInData = 1;
const LPARAM kFileData = 0;

// Glyphs sit inside the button's three-pixel frame.
const int kGlyphInset = 3;
const int kGlyphSize = 13;

void LoadGlyph(Glyph& glyph, UINT bitmapId, UINT doubleId)
{
    glyph.width = 0;
    glyph.height = 0;
    glyph.bitmap.Reset(controls::LoadPicture(bitmapId, doubleId, dpi::ScaleX(kGlyphSize), dpi::ScaleY(kGlyphSize)));
    BITMAP info = {};
    if (glyph.bitmap && GetObjectW(glyph.bitmap.Get(), sizeof(info), &info)) {
        glyph.width = info.bmWidth;
        glyph.height = info.bmHeight;
    }
}

// The list's name for a sound file: the file name without ".wav", first letter upper-case.
// Anything else the pattern lets through (a folder, a bare ".wav", a name matched only
// through its short form) is no sound the list could play back by that name.
bool SoundName(const WIN32_FIND_DATAW& found, std::wstring& name)
{
    if (found.dwFileAttributes & FILE_ATTRIBUTE_DIRECTORY) return false;
    size_t length = wcsnlen(found.cFileName, MAX_PATH);
    if (length <= kSoundExtensionLength || length == MAX_PATH) return false;
    if (_wcsicmp(found.cFileName + length - kSoundExtensionLength, kSoundExtension) != 0) return false;
    name.assign(found.cFileName, length - kSoundExtensionLength);
    // The platform's own case mapping: the C runtime's here changes only a to z.
    CharUpperBuffW(&name[0], 1);
    return true;
}

LRESULT FindSound(HWND dialog, LPCWSTR name)
{
    // The combo box matches regardless of case.
    return SendDlgItemMessageW(dialog, IDC_NEW_TAB_SOUND_COMBO, CB_FINDSTRINGEXACT, static_cast<WPARAM>(-1),
                               reinterpret_cast<LPARAM>(name));
}

std::wstring ComboItemText(HWND dialog, LRESULT index)
{
    LRESULT length = SendDlgItemMessageW(dialog, IDC_NEW_TAB_SOUND_COMBO, CB_GETLBTEXTLEN, index, 0);
    if (length < 0) return std::wstring();
    std::vector<wchar_t> text(length + 1, L'\0');
    SendDlgItemMessageW(dialog, IDC_NEW_TAB_SOUND_COMBO, CB_GETLBTEXT, index, reinterpret_cast<LPARAM>(text.data()));
    return text.data();
}
}  // namespace

NewTabPage::NewTabPage() : PropertyPage(IDD, 0)
{
    LoadGlyph(playGlyph, IDB_PLAY, IDB_PLAY_2X);
    LoadGlyph(stopGlyph, IDB_STOP, IDB_STOP_2X);
}

INT_PTR NewTabPage::DialogProc(UINT message, WPARAM wParam, LPARAM lParam)
{
    if (message == WM_DRAWITEM) OnDrawItem(wParam, lParam);
    return PropertyPage::DialogProc(message, wParam, lParam);
}

BOOL NewTabPage::OnInitDialog(WPARAM wParam, LPARAM lParam)
{
    PropertyPage::OnInitDialog(wParam, lParam);
    controls::SetFont(hwnd, HeaderFont(), {IDC_NEW_TAB_NEW_TAB_HEADER, IDC_NEW_TAB_EVENT_HEADER});

    // Only opened: showing the page must not create the key.
    SettingsKey settings;
    settings.Open(NULL, RegKey::ReadOnly);
    // A type the page does not know checks no radio button at all.
    DWORD newType = settings.ReadDwordOr(IDS_VALUE_TAB_NEW_TYPE, 0);
    CheckRadioButton(hwnd, IDC_NEW_TAB_BLANK_RADIO, IDC_NEW_TAB_CURRENT_RADIO,
                     static_cast<int>(IDC_NEW_TAB_BLANK_RADIO + newType));
    controls::SetCheck(hwnd, IDC_NEW_TAB_SOUND_CHECK, settings.ReadDwordOr(IDS_VALUE_EVENT_SOUND, 1));

    // The combo box sorts, so the built-in sound takes its alphabetical place among the files.
    HWND sounds = Control(IDC_NEW_TAB_SOUND_COMBO);
    controls::RedrawSuspended quiet(sounds);
    controls::AddComboItem(sounds, kBuiltInSound, kBuiltInData);
    WIN32_FIND_DATAW found;
    HANDLE search = FindFirstFileW(kSoundPattern, &found);
    if (search != INVALID_HANDLE_VALUE) {
        std::wstring name;
        do {
            if (SoundName(found, name)) controls::AddComboItem(sounds, name.c_str(), kFileData);
        } while (FindNextFileW(search, &found));
        FindClose(search);
    }

    // A sound that is gone (or nothing stored) falls back to the built-in one.
    wchar_t stored[4096] = L"";
    DWORD size = sizeof(stored);
    if (!settings.ReadString(IDS_VALUE_EVENT_SOUND_FILE, stored, &size)) stored[0] = L'\0';
    LRESULT index = FindSound(hwnd, stored);
    if (index < 0) index = FindSound(hwnd, kBuiltInSound);
    SendDlgItemMessageW(hwnd, IDC_NEW_TAB_SOUND_COMBO, CB_SETCURSEL, index, 0);

    controls::SetCheck(hwnd, IDC_NEW_TAB_FOREGROUND_CHECK, settings.ReadDwordOr(IDS_VALUE_EVENT_FOREGROUND, 1));

    return TRUE;
}

BOOL NewTabPage::OnCommand(WPARAM wParam, LPARAM lParam)
{
    switch (LOWORD(wParam)) {
    case IDC_NEW_TAB_PLAY:
        PlayEventSound();
        return TRUE;
    case IDC_NEW_TAB_STOP:
        // Ends whatever this process is playing; nothing playing is no error.
        PlaySoundRequest(NULL, NULL, SND_ASYNC);
        return TRUE;
    }
    return PropertyPage::OnCommand(wParam, lParam);
}

void NewTabPage::OnOK()
{
    SettingsKey settings;
    settings.Create(NULL, NULL);

    DWORD newType = 0;
    if (controls::CheckState(hwnd, IDC_NEW_TAB_HOME_RADIO))
        newType = 1;
    else if (controls::CheckState(hwnd, IDC_NEW_TAB_CURRENT_RADIO))
        newType = 2;
    settings.WriteDword(IDS_VALUE_TAB_NEW_TYPE, newType);
    settings.WriteDword(IDS_VALUE_EVENT_SOUND, controls::CheckState(hwnd, IDC_NEW_TAB_SOUND_CHECK));

    // Without a selection the item data reads as CB_ERR, which is nonzero: the built-in sound.
    LRESULT index = static_cast<int>(controls::ComboSelection(hwnd, IDC_NEW_TAB_SOUND_COMBO));
    LRESULT data = SendDlgItemMessageW(hwnd, IDC_NEW_TAB_SOUND_COMBO, CB_GETITEMDATA, index, 0);
    std::wstring sound = data != kFileData ? std::wstring(kBuiltInSound) : ComboItemText(hwnd, index);
    settings.WriteString(IDS_VALUE_EVENT_SOUND_FILE, sound.c_str());

    settings.WriteDword(IDS_VALUE_EVENT_FOREGROUND, controls::CheckState(hwnd, IDC_NEW_TAB_FOREGROUND_CHECK));
    PropertyPage::OnOK();
}

BOOL NewTabPage::OnDrawItem(WPARAM controlId, LPARAM drawItem)
{
    const Glyph* glyph = NULL;
    if (controlId == IDC_NEW_TAB_PLAY)
        glyph = &playGlyph;
    else if (controlId == IDC_NEW_TAB_STOP)
        glyph = &stopGlyph;
    const DRAWITEMSTRUCT* item = reinterpret_cast<const DRAWITEMSTRUCT*>(drawItem);
    if (!glyph || !item) return FALSE;

    // A held button shows its frame pushed and its glyph inverted.
    const bool selected = (item->itemState & ODS_SELECTED) != 0;
    RECT frame = item->rcItem;
    DrawFrameControl(item->hDC, &frame, DFC_BUTTON, DFCS_BUTTONPUSH | (selected ? DFCS_PUSHED : 0));

    gdi::MemoryDC memory(CreateCompatibleDC(item->hDC));
    if (memory && glyph->bitmap) {
        gdi::Selection drawn(memory.Get(), glyph->bitmap.Get());
        BitBlt(item->hDC, dpi::ScaleX(kGlyphInset), dpi::ScaleY(kGlyphInset), glyph->width, glyph->height, memory.Get(), 0, 0,
               selected ? NOTSRCCOPY : SRCCOPY);
    }
    return TRUE;
}

BOOL NewTabPage::PlaySoundRequest(LPCWSTR sound, HMODULE module, DWORD flags)
{
    return PlaySoundW(sound, module, flags);
}

void NewTabPage::PlayEventSound()
{
    // SND_NODEFAULT: a sound that cannot be played stays silent rather than sounding the
    // system's default, which would pass for the chosen one.
    LRESULT index = static_cast<int>(controls::ComboSelection(hwnd, IDC_NEW_TAB_SOUND_COMBO));
    LRESULT data = SendDlgItemMessageW(hwnd, IDC_NEW_TAB_SOUND_COMBO, CB_GETITEMDATA, index, 0);
    if (data != kFileData) {
        PlaySoundRequest(MAKEINTRESOURCEW(IDR_EVENT_SOUND), hostContext.instance, SND_RESOURCE | SND_ASYNC | SND_NODEFAULT);
        return;
    }
    std::wstring path = kSoundFolder + ComboItemText(hwnd, index) + kSoundExtension;
    PlaySoundRequest(path.c_str(), NULL, SND_FILENAME | SND_ASYNC | SND_NODEFAULT);
}
