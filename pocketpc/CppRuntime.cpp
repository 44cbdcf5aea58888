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

#endif  // _WIN32_WCE
