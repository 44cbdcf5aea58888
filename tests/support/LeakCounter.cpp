#include "support/LeakCounter.h"

#include <winternl.h>

#include <cstdio>

namespace {

// One entry of the GDI handle table, as Wine lays it out for 64-bit and 32-bit processes alike.
struct GdiHandleEntry {
    UINT64 object;
    ULONG owner;
    USHORT unique;  // bit 7: stock object
    UCHAR type;     // 0: free
    UCHAR flags;
    UINT64 userPointer;
};
const int kGdiHandleCount = 0x10000;

// The table's address sits in the PEB right after its heap list; the SDK's PEB hides it.
const GdiHandleEntry* GdiHandleTable()
{
    PROCESS_BASIC_INFORMATION info = {};
    if (NtQueryInformationProcess(GetCurrentProcess(), ProcessBasicInformation, &info, sizeof(info), NULL) != 0)
        return nullptr;
    const BYTE* peb = reinterpret_cast<const BYTE*>(info.PebBaseAddress);
    return *reinterpret_cast<const GdiHandleEntry* const*>(peb + (sizeof(void*) == 8 ? 0xF8 : 0x94));
}

long CountGdiObjects()
{
    const GdiHandleEntry* table = GdiHandleTable();
    if (!table) return -1;
    long count = 0;
    for (int i = 0; i < kGdiHandleCount; ++i) {
        if (table[i].type != 0 && !(table[i].unique & 0x80)) ++count;
    }
    return count;
}

BOOL CALLBACK CountChild(HWND, LPARAM count)
{
    ++*reinterpret_cast<long*>(count);
    return TRUE;
}

BOOL CALLBACK CountWindow(HWND window, LPARAM count)
{
    ++*reinterpret_cast<long*>(count);
    EnumChildWindows(window, CountChild, count);
    return TRUE;
}

// Every handle value that names an open kernel object (registry keys among them). The system
// count, GetProcessHandleCount, reports nothing under Wine, so the handle table is probed.
long CountKernelHandles()
{
    long count = 0;
    for (ULONG_PTR value = 4; value < 0x10000; value += 4) {
        DWORD flags = 0;
        if (GetHandleInformation(reinterpret_cast<HANDLE>(value), &flags)) ++count;
    }
    return count;
}

long iconsHeld = 0;

typedef UINT(WINAPI* ExtractIconExWFn)(LPCWSTR, int, HICON*, HICON*, UINT);
typedef BOOL(WINAPI* DestroyIconFn)(HICON);
ExtractIconExWFn realExtractIconExW = nullptr;
DestroyIconFn realDestroyIcon = nullptr;

UINT WINAPI CountingExtractIconExW(LPCWSTR file, int index, HICON* large, HICON* small, UINT count)
{
    UINT result = realExtractIconExW(file, index, large, small, count);
    if (result != UINT_MAX) {
        for (UINT i = 0; i < count && i < result; ++i) {
            if (large && large[i]) ++iconsHeld;
            if (small && small[i]) ++iconsHeld;
        }
    }
    return result;
}

BOOL WINAPI CountingDestroyIcon(HICON icon)
{
    BOOL destroyed = realDestroyIcon(icon);
    if (destroyed) --iconsHeld;
    return destroyed;
}

// Points the module's import of `name` from `library` at `hook`; returns the original.
void* HookImport(HMODULE module, const char* library, const char* name, void* hook)
{
    BYTE* image = reinterpret_cast<BYTE*>(module);
    IMAGE_NT_HEADERS* nt = reinterpret_cast<IMAGE_NT_HEADERS*>(image + reinterpret_cast<IMAGE_DOS_HEADER*>(image)->e_lfanew);
    IMAGE_DATA_DIRECTORY& directory = nt->OptionalHeader.DataDirectory[IMAGE_DIRECTORY_ENTRY_IMPORT];
    if (!directory.VirtualAddress) return nullptr;
    for (IMAGE_IMPORT_DESCRIPTOR* import = reinterpret_cast<IMAGE_IMPORT_DESCRIPTOR*>(image + directory.VirtualAddress);
         import->Name; ++import) {
        if (lstrcmpiA(reinterpret_cast<const char*>(image + import->Name), library) != 0) continue;
        IMAGE_THUNK_DATA* names = reinterpret_cast<IMAGE_THUNK_DATA*>(image + import->OriginalFirstThunk);
        IMAGE_THUNK_DATA* slots = reinterpret_cast<IMAGE_THUNK_DATA*>(image + import->FirstThunk);
        for (; names->u1.AddressOfData; ++names, ++slots) {
            if (IMAGE_SNAP_BY_ORDINAL(names->u1.Ordinal)) continue;
            IMAGE_IMPORT_BY_NAME* byName = reinterpret_cast<IMAGE_IMPORT_BY_NAME*>(image + names->u1.AddressOfData);
            if (lstrcmpA(reinterpret_cast<const char*>(byName->Name), name) != 0) continue;
            DWORD old;
            VirtualProtect(&slots->u1.Function, sizeof(slots->u1.Function), PAGE_READWRITE, &old);
            void* original = reinterpret_cast<void*>(slots->u1.Function);
            slots->u1.Function = reinterpret_cast<ULONG_PTR>(hook);
            VirtualProtect(&slots->u1.Function, sizeof(slots->u1.Function), old, &old);
            return original;
        }
    }
    return nullptr;
}

}  // namespace

void WatchIcons(HMODULE module)
{
    static HMODULE watched = nullptr;
    if (watched == module) return;
    watched = module;
    void* extract = HookImport(module, "shell32.dll", "ExtractIconExW", reinterpret_cast<void*>(&CountingExtractIconExW));
    void* destroy = HookImport(module, "user32.dll", "DestroyIcon", reinterpret_cast<void*>(&CountingDestroyIcon));
    if (extract) realExtractIconExW = reinterpret_cast<ExtractIconExWFn>(extract);
    if (destroy) realDestroyIcon = reinterpret_cast<DestroyIconFn>(destroy);
}

LeakCounts CountResources()
{
    LeakCounts counts;
    counts.gdiObjects = CountGdiObjects();
    EnumThreadWindows(GetCurrentThreadId(), CountWindow, reinterpret_cast<LPARAM>(&counts.windows));
    counts.kernelHandles = CountKernelHandles();
    counts.iconsHeld = iconsHeld;
    return counts;
}

std::string Describe(const LeakCounts& counts)
{
    char text[160];
    snprintf(text, sizeof(text), "GDI objects %ld, windows %ld, kernel handles %ld, icons held %ld", counts.gdiObjects,
             counts.windows, counts.kernelHandles, counts.iconsHeld);
    return text;
}
