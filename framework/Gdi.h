// Handles of the graphics system that free themselves: a font, bitmap, brush or icon is
// deleted by the object that holds it, a selection is undone and a device context released
// when the scope that took them ends, so no pairing line can be forgotten.
#pragma once

#include "pocketpc/PocketPC.h"

namespace gdi {

// Owns one handle and frees it with Free::Of; not copyable, passed on by Release/Reset.
template <typename Handle, typename Free>
class Owned {
public:
    Owned() : handle(NULL) {}
    explicit Owned(Handle handle) : handle(handle) {}
    ~Owned() { Reset(); }
    Owned(const Owned&) = delete;
    Owned& operator=(const Owned&) = delete;

    // Frees what is held, then holds the new handle (null: nothing).
    void Reset(Handle replacement = NULL)
    {
        if (handle && handle != replacement) Free::Of(handle);
        handle = replacement;
    }
    // Gives the handle up without freeing it.
    Handle Release()
    {
        Handle released = handle;
        handle = NULL;
        return released;
    }
    Handle Get() const { return handle; }
    explicit operator bool() const { return handle != NULL; }

private:
    Handle handle;
};

struct DeletedObject {
    static void Of(HGDIOBJ object) { DeleteObject(object); }
};
struct DestroyedIcon {
    static void Of(HICON icon) { DestroyIcon(icon); }
};
struct DeletedDC {
    static void Of(HDC dc) { DeleteDC(dc); }
};

using Font = Owned<HFONT, DeletedObject>;
using Bitmap = Owned<HBITMAP, DeletedObject>;
using Brush = Owned<HBRUSH, DeletedObject>;
using Icon = Owned<HICON, DestroyedIcon>;
// A memory device context made with CreateCompatibleDC.
using MemoryDC = Owned<HDC, DeletedDC>;

// Selects an object into a device context for the life of the scope, then restores the one
// it replaced.
class Selection {
public:
    Selection(HDC dc, HGDIOBJ object) : dc(dc), previous(dc && object ? SelectObject(dc, object) : NULL) {}
    ~Selection()
    {
        if (previous) SelectObject(dc, previous);
    }
    Selection(const Selection&) = delete;
    Selection& operator=(const Selection&) = delete;

private:
    HDC dc;
    HGDIOBJ previous;
};

// A window's device context, released when the scope ends.
class WindowDC {
public:
    explicit WindowDC(HWND window) : window(window), dc(GetDC(window)) {}
    ~WindowDC()
    {
        if (dc) ReleaseDC(window, dc);
    }
    WindowDC(const WindowDC&) = delete;
    WindowDC& operator=(const WindowDC&) = delete;

    HDC Get() const { return dc; }
    explicit operator bool() const { return dc != NULL; }

private:
    HWND window;
    HDC dc;
};

}  // namespace gdi
