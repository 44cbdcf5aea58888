// The C++ runtime as the device's has it, for OPTION.dll alone (the test programs keep the
// toolchain's own): the component is built without exceptions, and when a standard
// container cannot get memory the device shows "out of memory" and ends the process. Without
// these definitions the toolchain's runtime would link its whole exception machinery, a
// symbol demangler and the exceptions' own narrow strings into the DLL, several times the
// size of the component's own code, for a throw nothing catches.
#ifndef _WIN32_WCE

#include <cstdlib>
#include <new>
#include <string>

#include "pocketpc/PocketPC.h"

namespace {

[[noreturn]] void Fail(LPCWSTR text)
{
    MessageBoxW(NULL, text, NULL, MB_OK | MB_ICONERROR | MB_TASKMODAL);
    // At once, with abort's exit code: the runtime's abort would show a box of its own.
    TerminateProcess(GetCurrentProcess(), 3);
    ExitProcess(3);
}

[[noreturn]] void OutOfMemory()
{
    Fail(L"out of memory");
}

void* Allocate(std::size_t size)
{
    void* block = std::malloc(size ? size : 1);
    if (!block) OutOfMemory();
    return block;
}

}  // namespace

void* operator new(std::size_t size) { return Allocate(size); }
void* operator new[](std::size_t size) { return Allocate(size); }
// The nothrow forms report failure to their caller, which handles it.
void* operator new(std::size_t size, const std::nothrow_t&) noexcept { return std::malloc(size ? size : 1); }
void* operator new[](std::size_t size, const std::nothrow_t&) noexcept { return std::malloc(size ? size : 1); }
void operator delete(void* block) noexcept { std::free(block); }
void operator delete[](void* block) noexcept { std::free(block); }
void operator delete(void* block, std::size_t) noexcept { std::free(block); }
void operator delete[](void* block, std::size_t) noexcept { std::free(block); }
void operator delete(void* block, const std::nothrow_t&) noexcept { std::free(block); }
void operator delete[](void* block, const std::nothrow_t&) noexcept { std::free(block); }

// What the containers' inline code calls where it would throw: a request beyond what a
// container can hold, and an index out of range, which no code of the component makes.
namespace std {
void __throw_bad_alloc() { OutOfMemory(); }
void __throw_bad_array_new_length() { OutOfMemory(); }
void __throw_length_error(const char*) { OutOfMemory(); }
void __throw_logic_error(const char*) { Fail(L"internal error"); }
void __throw_out_of_range(const char*) { Fail(L"internal error"); }
void __throw_out_of_range_fmt(const char*, ...) { Fail(L"internal error"); }
void __throw_invalid_argument(const char*) { Fail(L"internal error"); }
}  // namespace std

extern "C" void __cxa_throw_bad_array_new_length() { OutOfMemory(); }
extern "C" void __cxa_pure_virtual() { Fail(L"internal error"); }

// Up to C++17 the standard library declares its wide string prebuilt in the toolchain's
// library, whole and compiled with exceptions; it is compiled here instead, without them (on
// x86 the link then drops the members nothing calls). C++20 code compiles what it uses itself.
#if __cplusplus <= 201703L
template class std::basic_string<wchar_t>;
#endif

// The DLL's entry point, as the device's loader calls a DLL: the component's static objects
// are made before DllMain first runs and undone, last made first, after it last runs. The
// toolchain's own start-up code would also bring thread-local storage, a relocator for data
// imported by name and a table of exit functions kept for the whole process, which the
// component uses none of (over 8 KB on x86).
namespace {

typedef void(__cdecl* ExitFunction)(void);

struct ExitRecord {
    ExitFunction function;
    ExitRecord* next;
};

ExitRecord* exitFunctions = NULL;

}  // namespace

// Called by the compiler's code that makes a static object, to undo it when the DLL goes.
extern "C" int __cdecl atexit(ExitFunction function)
{
    ExitRecord* record = static_cast<ExitRecord*>(std::malloc(sizeof(ExitRecord)));
    if (!record) OutOfMemory();
    record->function = function;
    record->next = exitFunctions;
    exitFunctions = record;
    return 0;
}

// The linker's lists of the objects' constructors and destructors: a first entry of -1, the
// functions, then a zero.
typedef void (*StaticFunction)(void);
extern "C" StaticFunction __CTOR_LIST__[];
extern "C" StaticFunction __DTOR_LIST__[];
extern "C" BOOL WINAPI DllMain(HINSTANCE instance, DWORD reason, LPVOID reserved);

extern "C" BOOL WINAPI DllMainCRTStartup(HINSTANCE instance, DWORD reason, LPVOID reserved)
{
    if (reason == DLL_PROCESS_ATTACH) {
        // In the order the toolchain's own start-up runs them: from the end of the list.
        std::size_t count = 0;
        while (__CTOR_LIST__[count + 1]) ++count;
        for (; count > 0; --count) __CTOR_LIST__[count]();
    }
    const BOOL result = DllMain(instance, reason, reserved);
    if (reason == DLL_PROCESS_DETACH) {
        while (ExitRecord* record = exitFunctions) {
            exitFunctions = record->next;
            record->function();
            std::free(record);
        }
        for (std::size_t i = 1; __DTOR_LIST__[i]; ++i) __DTOR_LIST__[i]();
    }
    return result;
}

#endif  // _WIN32_WCE
