#include "pages/buttons/ButtonActions.h"

#include <cstdlib>
#include <cwchar>

#include "framework/Controls.h"
#include "framework/Gdi.h"
#include "host/HostContext.h"
#include "resource.h"

ButtonAction ButtonActionTable[kButtonActionCount] = {
    {0x00, IDS_ACTION_NO_CHANGE, L""},
    {0x01, IDS_ACTION_NONE, L""},
    {0x20, IDS_ACTION_PIE_BACK, L""},
    {0x21, IDS_ACTION_PIE_FORWARD, L""},
    {0x22, IDS_ACTION_PIE_STOP_REFRESH, L""},
    {0x23, IDS_ACTION_PIE_HOME, L""},
    {0x24, IDS_ACTION_PIE_FAVORITES, L""},
    {0x25, IDS_ACTION_PIE_CHANGE_LAYOUT, L""},
    {0x26, IDS_ACTION_PIE_SHOW_IMAGES, L""},
    {0x27, IDS_ACTION_PIE_SHOW_ADDRESS_BAR, L""},
    {0x28, IDS_ACTION_PIE_HISTORY, L""},
    {0x29, IDS_ACTION_PIE_PROPERTIES, L""},
    {0x40, IDS_ACTION_MENU, L""},
    {0x43, IDS_ACTION_TOGGLE_VIEW, L""},
    {0x44, IDS_ACTION_NEW_TAB, L""},
    {0x45, IDS_ACTION_NEW_BLANK_TAB, L""},
    {0x46, IDS_ACTION_NEW_CURRENT_TAB, L""},
    {0x47, IDS_ACTION_NEW_HOME_TAB, L""},
    {0x48, IDS_ACTION_CLOSE_TAB, L""},
    {0x49, IDS_ACTION_PREVIOUS_TAB, L""},
    {0x4A, IDS_ACTION_NEXT_TAB, L""},
    {0x4B, IDS_ACTION_TOGGLE_FULL_SCREEN, L""},
    {0x4C, IDS_ACTION_CURSOR_TO_ADDRESS_BAR, L""},
    {0x41, IDS_ACTION_BEGINNING_OF_PAGE, L""},
    {0x42, IDS_ACTION_END_OF_PAGE, L""},
    {0x4D, IDS_ACTION_PRESS_TAB, L""},
    {0x4E, IDS_ACTION_PRESS_SHIFT_TAB, L""},
    {0x4F, IDS_ACTION_TOGGLE_DPAD_SCROLL, L""},
    {0x50, IDS_ACTION_TOGGLE_JOG_DIAL_SCROLL, L""},
};

LPCWSTR ShellFlagLabels[kShellFlagCount] = {};

namespace {
// Flags 3 is a shell function without a name of its own.
const DWORD kUnnamedShellFlag = 3;
const UINT kShellFlagLabelIds[kShellFlagCount] = {
    IDS_SHELL_START_MENU, IDS_SHELL_INPUT_PANEL, 0,
    IDS_SHELL_TODAY, IDS_SHELL_SCROLL_UP, IDS_SHELL_SCROLL_DOWN,
    IDS_SHELL_SCROLL_LEFT, IDS_SHELL_SCROLL_RIGHT, IDS_SHELL_NONE,
    IDS_SHELL_OK_CLOSE, IDS_SHELL_CONTEXT_MENU, IDS_SHELL_ROTATE_SCREEN,
};
// Registry strings are read with 4096-byte limits.
const DWORD kTextChars = 4096 / sizeof(wchar_t);

std::wstring ReadText(RegKey& key, LPCWSTR name)
{
    wchar_t text[kTextChars];
    DWORD size = sizeof(text);
    return key.ReadString(name, text, &size) ? std::wstring(text) : std::wstring();
}

// One picture per button: its own small icon, or the generic button picture.
int AddButtonImage(HIMAGELIST images, RegKey& button)
{
    std::wstring file = ReadText(button, L"Icon");
    int index = 0;
    std::wstring::size_type comma = file.rfind(L',');
    if (comma != std::wstring::npos) {
        index = static_cast<int>(_wtol(file.c_str() + comma + 1));
        file.erase(comma);
    }
    if (!file.empty()) {
        // A file that cannot be read answers UINT_MAX and may leave junk in the handle.
        HICON extracted = NULL;
        if (ExtractIconExW(file.c_str(), index, NULL, &extracted, 1) == 1 && extracted) {
            gdi::Icon icon(extracted);
            int image = ImageList_ReplaceIcon(images, -1, icon.Get());
            if (image >= 0) return image;
        }
    }
    // At the image list's own size: a smaller bitmap would add no image at all.
    gdi::Bitmap bitmap(controls::LoadPicture(IDB_BUTTON, IDB_BUTTON_2X, GetSystemMetrics(SM_CXSMICON),
                                             GetSystemMetrics(SM_CYSMICON)));
    return ImageList_Add(images, bitmap.Get(), bitmap.Get());
}

}  // namespace

ShellButton ReadShellButton(RegKey& keys, const std::wstring& keyName, HIMAGELIST images)
{
    RegKey button;
    button.Open(keys.Handle(), keyName.c_str(), RegKey::ReadOnly);
    ShellButton shell;
    shell.image = AddButtonImage(images, button);
    shell.name = ReadText(button, L"Name");
    // The program the shell starts, or else the shell's built-in function.
    const std::wstring program = ReadText(button, NULL);
    if (!program.empty()) {
        shell.shellText = ProgramShellText(program.c_str());
    } else {
        shell.shellText = FlagsShellText(button.ReadDwordOr(L"Flags", 0));
    }
    return shell;
}

void LoadButtonLabels()
{
    for (ButtonAction& action : ButtonActionTable) action.label = ResourceText(action.labelId);
    for (int i = 0; i < kShellFlagCount; ++i)
        ShellFlagLabels[i] = kShellFlagLabelIds[i] ? ResourceText(kShellFlagLabelIds[i]) : L"";
}

LPCWSTR ActionLabel(DWORD code)
{
    int index = ActionIndex(code);
    return ButtonActionTable[index < 0 ? 0 : index].label;
}

int ActionIndex(DWORD code)
{
    for (int i = 0; i < kButtonActionCount; ++i)
        if (ButtonActionTable[i].code == code) return i;
    return -1;
}

std::wstring ProgramShellText(LPCWSTR program)
{
    if (!program) return std::wstring();
    LPCWSTR backslash = wcsrchr(program, L'\\');
    std::wstring text = backslash ? backslash + 1 : program;
    // A period in a folder name lies before the file name and cuts nothing.
    std::wstring::size_type period = text.rfind(L'.');
    if (period != std::wstring::npos) text.erase(period);
    return text;
}

std::wstring FlagsShellText(DWORD flags)
{
    if (flags < 1 || flags > kShellFlagCount || flags == kUnnamedShellFlag) return std::wstring();
    LPCWSTR label = ShellFlagLabels[flags - 1];
    return std::wstring(L"<") + (label ? label : L"") + L">";
}

DWORD PackAssignment(DWORD stored, DWORD code, bool hold)
{
    // The short-press row is written first: its code fills bits 0 to 15 whole, whatever was
    // stored there, and the press-and-hold half stays for that row (or for a button without
    // one). The press-and-hold row then keeps the short-press code's low byte beside its own.
    return hold ? (stored & 0xFF) | (code << 16) : (stored & 0xFFFF0000) | (code & 0xFFFF);
}
