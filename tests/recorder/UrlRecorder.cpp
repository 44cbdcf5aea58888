// Stands in for the web browser in tests: registered as the handler of http addresses, it
// appends what it was asked to open to a file instead of opening anything.
//   url_recorder.exe OUTPUT-FILE ADDRESS
// Each run appends one UTF-8 line: the show state it was started with, a tab, the address.
#include <windows.h>
#include <shellapi.h>

#include <string>

int WINAPI WinMain(HINSTANCE, HINSTANCE, LPSTR, int)
{
    int count = 0;
    LPWSTR* args = CommandLineToArgvW(GetCommandLineW(), &count);
    if (!args || count < 3) return 2;

    STARTUPINFOW startup = {};
    startup.cb = sizeof(startup);
    GetStartupInfoW(&startup);
    int show = (startup.dwFlags & STARTF_USESHOWWINDOW) ? startup.wShowWindow : -1;

    std::wstring line = std::to_wstring(show) + L"\t" + args[2] + L"\n";
    int bytes = WideCharToMultiByte(CP_UTF8, 0, line.c_str(), static_cast<int>(line.size()), NULL, 0, NULL, NULL);
    std::string utf8(bytes, '\0');
    WideCharToMultiByte(CP_UTF8, 0, line.c_str(), static_cast<int>(line.size()), &utf8[0], bytes, NULL, NULL);

    // Several runs may append at once; retry while another one holds the file.
    for (int attempt = 0; attempt < 200; ++attempt) {
        HANDLE file = CreateFileW(args[1], FILE_APPEND_DATA, FILE_SHARE_READ, NULL, OPEN_ALWAYS, FILE_ATTRIBUTE_NORMAL, NULL);
        if (file != INVALID_HANDLE_VALUE) {
            DWORD written = 0;
            BOOL ok = WriteFile(file, utf8.data(), static_cast<DWORD>(utf8.size()), &written, NULL);
            CloseHandle(file);
            LocalFree(args);
            return ok && written == utf8.size() ? 0 : 1;
        }
        Sleep(10);
    }
    LocalFree(args);
    return 1;
}
