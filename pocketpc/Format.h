// Formatting text into a buffer of a given size, with the platform's own runtime.
#pragma once

// The standard header first, so that its own swprintf is declared before the name is taken
// below (it would otherwise undefine the name when included later).
#include <cwchar>

// swprintf with a count, as the standard has it: the text is always terminated; the result
// is its length, or -1 when it did not fit (the buffer then holds as much as fits). It runs on
// the platform's _vsnwprintf, which the device's core library has as well: the toolchain's
// own swprintf would link a printf of its own, floating point and all, into the DLL, and the
// device's swprintf takes no count.
int FormatText(wchar_t* buffer, std::size_t count, const wchar_t* format, ...);
#define swprintf FormatText
