// A small host program that uses OPTION.dll exactly as the add-on does: it loads the library,
// resolves its functions by ordinal, seeds the URL lists, opens the options sheet and then
// prints the settings it would read.
//
//   corvane-demo [--render DIR] [--start N] [--vendor NAME] [--product NAME]
//                [--export FILE.reg] [--no-sheet]
//
// With --render the sheet is driven automatically: every page is shown in turn and the
// emulated device's whole screen (240 x 320 on QVGA) is saved as DIR\NN-Label.bmp, then a row edited with the
// input panel up, an open drop-down list and the Default confirmation; then OK is pressed.
// The Default confirmation is cancelled, so the lists stay as they were.
// With a display, F9 turns the device while the sheet is open (portrait to landscape and back).
// With --export the settings are also written to FILE.reg (REGEDIT4), which regedit can
// import; --no-sheet skips the sheet and only seeds, prints and exports.
#include <windows.h>
#include <commctrl.h>
#include <prsht.h>

#include <cstdio>
#include <cwchar>
#include <string>
#include <vector>

#include "RegExport.h"
#include "include/corvane_options.h"
#include "resource.h"
#include "support/ControlText.h"
#include "support/Device.h"

namespace {

// Ids of the system's own controls: the desktop sheet's tab control, a message box's text.
const int kSheetTabControlId = 0x3020;
const int kMessageBoxTextId = 0xFFFF;

struct Options {
    std::wstring renderDir;
    int startPage = 0;
    std::wstring vendor = L"Corvane";
    std::wstring product = L"Corvane";
    std::wstring version = L"1.0";
    std::wstring exportFile;
    bool showSheet = true;
};

Options options;
HWND hostWindow = NULL;
UINT_PTR renderTimer = 0;

// F9 turns the device, as sliding out a keyboard does: a hot key of the host's window, whose
// message the sheet's modal loop hands on to it.
const int kTurnHotKey = 1;
WNDPROC hostProc = NULL;

LRESULT CALLBACK HostProc(HWND window, UINT message, WPARAM wParam, LPARAM lParam)
{
    if (message == WM_HOTKEY && wParam == kTurnHotKey) {
        if (!device::Turn()) fwprintf(stderr, L"the device did not turn\n");
        return 0;
    }
    return CallWindowProcW(hostProc, window, message, wParam, lParam);
}

bool SaveScreenBitmap(const std::wstring& path)
{
    // The device's screen as it is now, turned or not.
    const int kScreenWidth = GetSystemMetrics(SM_CXSCREEN), kScreenHeight = GetSystemMetrics(SM_CYSCREEN);
    HDC screen = GetDC(NULL);
    HDC memory = CreateCompatibleDC(screen);
    BITMAPINFO info = {};
    info.bmiHeader.biSize = sizeof(info.bmiHeader);
    info.bmiHeader.biWidth = kScreenWidth;
    info.bmiHeader.biHeight = kScreenHeight;
    info.bmiHeader.biPlanes = 1;
    info.bmiHeader.biBitCount = 24;
    info.bmiHeader.biCompression = BI_RGB;
    void* bits = NULL;
    HBITMAP bitmap = CreateDIBSection(screen, &info, DIB_RGB_COLORS, &bits, NULL, 0);
    bool saved = false;
    if (bitmap) {
        HGDIOBJ old = SelectObject(memory, bitmap);
        BitBlt(memory, 0, 0, kScreenWidth, kScreenHeight, screen, 0, 0, SRCCOPY);
        GdiFlush();
        const DWORD stride = ((kScreenWidth * 3 + 3) / 4) * 4;
        const DWORD imageSize = stride * kScreenHeight;
        BITMAPFILEHEADER file = {};
        file.bfType = 0x4D42;
        file.bfOffBits = sizeof(file) + sizeof(info.bmiHeader);
        file.bfSize = file.bfOffBits + imageSize;
        FILE* out = _wfopen(path.c_str(), L"wb");
        if (out) {
            saved = fwrite(&file, sizeof(file), 1, out) == 1 && fwrite(&info.bmiHeader, sizeof(info.bmiHeader), 1, out) == 1 &&
                    fwrite(bits, imageSize, 1, out) == 1;
            fclose(out);
        }
        SelectObject(memory, old);
        DeleteObject(bitmap);
    }
    DeleteDC(memory);
    ReleaseDC(NULL, screen);
    return saved;
}

void Pump()
{
    MSG message;
    while (PeekMessageW(&message, NULL, 0, 0, PM_REMOVE)) {
        TranslateMessage(&message);
        DispatchMessageW(&message);
    }
}

BOOL CALLBACK FindSheet(HWND window, LPARAM param)
{
    if (GetWindow(window, GW_OWNER) == hostWindow && IsWindowVisible(window) && GetDlgItem(window, kSheetTabControlId)) {
        *reinterpret_cast<HWND*>(param) = window;
        return FALSE;
    }
    return TRUE;
}

// A tab's label as part of a file name.
std::wstring TabLabel(HWND tabs, int index)
{
    std::wstring label = driver::TabText(tabs, index);
    for (wchar_t& c : label)
        if (!iswalnum(c)) c = L'-';
    return label;
}

UINT_PTR boxTimer = 0;

void SaveScreen(const std::wstring& name)
{
    Pump();
    Sleep(150);
    Pump();
    std::wstring path = options.renderDir + L"\\" + name + L".bmp";
    if (SaveScreenBitmap(path))
        wprintf(L"rendered %ls\n", path.c_str());
    else
        fwprintf(stderr, L"could not save %ls\n", path.c_str());
}

BOOL CALLBACK FindMessageBox(HWND window, LPARAM param)
{
    if (IsWindowVisible(window) && GetDlgItem(window, kMessageBoxTextId)) {
        *reinterpret_cast<HWND*>(param) = window;
        return FALSE;
    }
    return TRUE;
}

// Saves the screen while the confirmation of Default is up, then answers it with Cancel.
void CALLBACK RenderMessageBox(HWND, UINT, UINT_PTR, DWORD)
{
    HWND box = NULL;
    EnumThreadWindows(GetCurrentThreadId(), FindMessageBox, reinterpret_cast<LPARAM>(&box));
    if (!box) return;
    KillTimer(NULL, boxTimer);
    SaveScreen(L"12-Default-confirmation");
    PostMessageW(box, WM_COMMAND, IDCANCEL, 0);
}

// Visits every page like a user tapping the tabs, saving each screen; then shows a few
// pages in use (a row edited with the input panel up, an open drop-down list, the Default
// confirmation) and presses OK.
void CALLBACK RenderPages(HWND, UINT, UINT_PTR, DWORD)
{
    HWND sheet = NULL;
    EnumThreadWindows(GetCurrentThreadId(), FindSheet, reinterpret_cast<LPARAM>(&sheet));
    if (!sheet) return;
    KillTimer(NULL, renderTimer);

    HWND tabs = reinterpret_cast<HWND>(SendMessageW(sheet, PSM_GETTABCONTROL, 0, 0));
    int count = static_cast<int>(SendMessageW(tabs, TCM_GETITEMCOUNT, 0, 0));
    for (int i = 0; i < count; ++i) {
        SendMessageW(sheet, PSM_SETCURSEL, i, 0);
        RedrawWindow(sheet, NULL, NULL, RDW_INVALIDATE | RDW_ERASE | RDW_ALLCHILDREN | RDW_UPDATENOW);
        wchar_t name[32];
        swprintf(name, 32, L"%02d-", i);
        SaveScreen(name + TabLabel(tabs, i));
    }

    // A row being edited (nothing is typed, so nothing changes): the focus in its alias
    // raises the input panel, and the list shortens above it.
    SendMessageW(sheet, PSM_SETCURSEL, CORVANE_PAGE_ALIAS, 0);
    HWND page = reinterpret_cast<HWND>(SendMessageW(sheet, PSM_GETCURRENTPAGEHWND, 0, 0));
    HWND list = GetDlgItem(page, IDC_URL_LIST);
    LVITEMW state = {};
    state.stateMask = state.state = LVIS_SELECTED | LVIS_FOCUSED;
    SendMessageW(list, LVM_SETITEMSTATE, 1, reinterpret_cast<LPARAM>(&state));
    HWND edit = GetDlgItem(page, IDC_ALIAS_ALIAS_EDIT);
    SetFocus(edit);
    SendMessageW(edit, EM_SETSEL, 0, -1);
    SaveScreen(L"10-URL-Alias-editing");
    SetFocus(list);

    // An open drop-down list.
    SendMessageW(sheet, PSM_SETCURSEL, CORVANE_PAGE_TAB_APPEARANCE, 0);
    page = reinterpret_cast<HWND>(SendMessageW(sheet, PSM_GETCURRENTPAGEHWND, 0, 0));
    HWND combo = GetDlgItem(page, IDC_TAB_APPEARANCE_NEW_TAB_POS_COMBO);
    SetFocus(combo);
    // The page first looks at the new focus and lays itself out for its scroll bar (a combo
    // box resized while its list is open closes the list), as it does before a person's tap
    // can open the list.
    Pump();
    SendMessageW(combo, CB_SHOWDROPDOWN, TRUE, 0);
    SaveScreen(L"11-Drop-down");
    SendMessageW(combo, CB_SHOWDROPDOWN, FALSE, 0);

    // The confirmation of Default, saved from a timer while it waits for an answer.
    SendMessageW(sheet, PSM_SETCURSEL, CORVANE_PAGE_ALIAS, 0);
    page = reinterpret_cast<HWND>(SendMessageW(sheet, PSM_GETCURRENTPAGEHWND, 0, 0));
    boxTimer = SetTimer(NULL, 0, 50, RenderMessageBox);
    SendMessageW(GetDlgItem(page, IDC_URL_DEFAULT), BM_CLICK, 0, 0);
    if (boxTimer) KillTimer(NULL, boxTimer);

    SendMessageW(sheet, PSM_PRESSBUTTON, PSBTN_OK, 0);
}

void PrintValues(HKEY root, const std::wstring& path, int depth)
{
    HKEY key;
    if (RegOpenKeyExW(root, path.c_str(), 0, KEY_READ, &key) != ERROR_SUCCESS) return;
    std::wstring indent(depth * 2, L' ');
    for (DWORD i = 0;; ++i) {
        wchar_t name[256];
        DWORD nameLength = 256, type = 0;
        BYTE data[8192];
        DWORD size = sizeof(data) - sizeof(wchar_t);
        if (RegEnumValueW(key, i, name, &nameLength, NULL, &type, data, &size) != ERROR_SUCCESS) break;
        const wchar_t* shown = nameLength ? name : L"(default)";
        if (type == REG_DWORD && size == 4)
            wprintf(L"%ls%ls = %lu (DWORD)\n", indent.c_str(), shown, *reinterpret_cast<DWORD*>(data));
        else if (type == REG_SZ) {
            data[size] = 0;
            data[size + 1] = 0;
            wprintf(L"%ls%ls = \"%ls\"\n", indent.c_str(), shown, reinterpret_cast<wchar_t*>(data));
        } else
            wprintf(L"%ls%ls = (type %lu, %lu bytes)\n", indent.c_str(), shown, type, size);
    }
    for (DWORD i = 0;; ++i) {
        wchar_t name[256];
        DWORD nameLength = 256;
        if (RegEnumKeyExW(key, i, name, &nameLength, NULL, NULL, NULL, NULL) != ERROR_SUCCESS) break;
        wprintf(L"%ls[%ls]\n", indent.c_str(), name);
        PrintValues(root, path + L"\\" + name, depth + 1);
    }
    RegCloseKey(key);
}

void ParseArguments(int argc, wchar_t** argv)
{
    for (int i = 1; i < argc; ++i) {
        std::wstring arg = argv[i];
        bool hasValue = i + 1 < argc;
        if (arg == L"--render" && hasValue)
            options.renderDir = argv[++i];
        else if (arg == L"--start" && hasValue)
            options.startPage = _wtoi(argv[++i]);
        else if (arg == L"--vendor" && hasValue)
            options.vendor = argv[++i];
        else if (arg == L"--product" && hasValue)
            options.product = argv[++i];
        else if (arg == L"--export" && hasValue)
            options.exportFile = argv[++i];
        else if (arg == L"--no-sheet")
            options.showSheet = false;
        else
            fwprintf(stderr, L"ignored argument %ls\n", arg.c_str());
    }
}

}  // namespace

int wmain(int argc, wchar_t** argv)
{
    ParseArguments(argc, argv);
    // Load the library from beside this program, then let device paths such as "\Windows\"
    // name the emulated device's folders on drive C:.
    wchar_t folder[MAX_PATH];
    DWORD length = GetModuleFileNameW(NULL, folder, MAX_PATH);
    while (length > 0 && folder[length - 1] != L'\\') --length;
    folder[length] = L'\0';
    SetDllDirectoryW(folder);
    SetCurrentDirectoryW(L"C:\\");

    HMODULE dll = LoadLibraryW(L"OPTION.dll");
    if (!dll) {
        fwprintf(stderr, L"cannot load OPTION.dll (error %lu)\n", GetLastError());
        return 1;
    }
    CorvaneShowOptionsFn showOptions = reinterpret_cast<CorvaneShowOptionsFn>(
        reinterpret_cast<void*>(GetProcAddress(dll, MAKEINTRESOURCEA(CORVANE_ORDINAL_SHOW_OPTIONS))));
    CorvaneResetListFn resetAliases = reinterpret_cast<CorvaneResetListFn>(
        reinterpret_cast<void*>(GetProcAddress(dll, MAKEINTRESOURCEA(CORVANE_ORDINAL_RESET_ALIASES))));
    CorvaneResetListFn resetServices = reinterpret_cast<CorvaneResetListFn>(
        reinterpret_cast<void*>(GetProcAddress(dll, MAKEINTRESOURCEA(CORVANE_ORDINAL_RESET_SERVICES))));
    if (!showOptions) {
        fwprintf(stderr, L"OPTION.dll has no ordinal 1\n");
        return 1;
    }

    // Seeding writes the default lists only when none is stored yet.
    if (resetAliases) resetAliases(options.vendor.c_str(), options.product.c_str(), options.version.c_str());
    if (resetServices) resetServices(options.vendor.c_str(), options.product.c_str(), options.version.c_str());

    hostWindow = CreateWindowExW(0, L"STATIC", L"Corvane", WS_OVERLAPPED, 300, 0, 200, 100, NULL, NULL,
                                 GetModuleHandleW(NULL), NULL);
    if (options.showSheet) {
        if (!options.renderDir.empty()) {
            CreateDirectoryW(options.renderDir.c_str(), NULL);
            renderTimer = SetTimer(NULL, 0, 50, RenderPages);
        } else if (hostWindow) {
            hostProc = reinterpret_cast<WNDPROC>(
                SetWindowLongPtrW(hostWindow, GWLP_WNDPROC, reinterpret_cast<LONG_PTR>(HostProc)));
            if (RegisterHotKey(hostWindow, kTurnHotKey, 0, VK_F9)) wprintf(L"F9 turns the device.\n");
        }
        int reserved = 0;
        int result = showOptions(hostWindow, 0, 5, 0, &reserved, options.vendor.c_str(), options.product.c_str(),
                                 options.version.c_str(), options.startPage);
        wprintf(L"ShowOptions returned 0x%08X: last page %d, sheet result %d\n", static_cast<unsigned>(result),
                CORVANE_LAST_PAGE(result), CORVANE_SHEET_RESULT(result));
    }

    std::wstring path = L"Software\\" + options.vendor + L"\\" + options.product;
    wprintf(L"\nSettings the host reads from HKEY_CURRENT_USER\\%ls:\n", path.c_str());
    PrintValues(HKEY_CURRENT_USER, path, 1);
    if (!options.exportFile.empty()) {
        std::string keys;
        std::vector<std::wstring> lossy;
        ExportKey(HKEY_CURRENT_USER, L"HKEY_CURRENT_USER", path, keys, lossy);
        for (const std::wstring& value : lossy)
            fwprintf(stderr, L"warning: %ls holds characters a REGEDIT4 file cannot; its closest ANSI text was written\n",
                     value.c_str());
        if (!WriteRegFile(options.exportFile, keys)) {
            fwprintf(stderr, L"could not write %ls\n", options.exportFile.c_str());
            return 1;
        }
        wprintf(L"\nExported to %ls\n", options.exportFile.c_str());
    }
    if (hostProc) UnregisterHotKey(hostWindow, kTurnHotKey);
    DestroyWindow(hostWindow);
    return 0;
}
