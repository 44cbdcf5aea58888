// Keeps Wine's virtual desktop open while a display's programs come and go: Wine closes a
// desktop a second after the last program on it ended, and every program started after that
// brings up a desktop of its own and closes it as it ends (1.3 s more for each test). This
// program stays on the desktop, with a message-only window that nothing sees, until the
// prefix's wineserver is stopped.
//   desktop_keeper.exe
#include <windows.h>

int WINAPI WinMain(HINSTANCE instance, HINSTANCE, LPSTR, int)
{
    WNDCLASSW wc = {};
    wc.lpfnWndProc = DefWindowProcW;
    wc.hInstance = instance;
    wc.lpszClassName = L"DesktopKeeper";
    if (!RegisterClassW(&wc)) return 1;
    if (!CreateWindowExW(0, wc.lpszClassName, L"", 0, 0, 0, 0, 0, HWND_MESSAGE, NULL, instance, NULL)) return 1;
    MSG message;
    while (GetMessageW(&message, NULL, 0, 0) > 0) DispatchMessageW(&message);
    return 0;
}
