// Subclassing without window properties; see Layer.h.
#ifndef _WIN32_WCE
#include "pocketpc/Layer.h"

#include <vector>

namespace pocketpc {
namespace {

struct Replaced {
    HWND window;
    WNDPROC proc;      // ours
    WNDPROC original;  // the one ours replaced
    void* data;
};

// Few windows at a time (the controls of a page or two, a sheet): a list is enough.
std::vector<Replaced> replaced;

Replaced* Find(WNDPROC proc, HWND window)
{
    for (Replaced& entry : replaced)
        if (entry.window == window && entry.proc == proc) return &entry;
    return nullptr;
}

}  // namespace

bool Subclass(HWND window, WNDPROC proc, void* data)
{
    if (!window || Find(proc, window)) return false;
    WNDPROC original = reinterpret_cast<WNDPROC>(GetWindowLongPtrW(window, GWLP_WNDPROC));
    if (!original) return false;
    replaced.push_back({window, proc, original, data});
    SetWindowLongPtrW(window, GWLP_WNDPROC, reinterpret_cast<LONG_PTR>(proc));
    return true;
}

LRESULT CallReplaced(WNDPROC proc, HWND window, UINT message, WPARAM wParam, LPARAM lParam)
{
    Replaced* entry = Find(proc, window);
    if (!entry) return DefWindowProcW(window, message, wParam, lParam);
    WNDPROC original = entry->original;
    if (message == WM_NCDESTROY) {
        // The window is gone after this message; the list must not keep it.
        SetWindowLongPtrW(window, GWLP_WNDPROC, reinterpret_cast<LONG_PTR>(original));
        replaced.erase(replaced.begin() + (entry - replaced.data()));
    }
    return CallWindowProcW(original, window, message, wParam, lParam);
}

void* SubclassData(WNDPROC proc, HWND window)
{
    Replaced* entry = Find(proc, window);
    return entry ? entry->data : nullptr;
}

}  // namespace pocketpc
#endif
