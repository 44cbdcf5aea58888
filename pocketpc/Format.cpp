#include "pocketpc/Format.h"

#include <cstdarg>
#include <cstdio>

int FormatText(wchar_t* buffer, std::size_t count, const wchar_t* format, ...)
{
    if (!buffer || count == 0 || !format) return -1;
    va_list arguments;
    va_start(arguments, format);
    // Leaves the text unterminated when it fills the buffer, and says -1 when it is cut.
    int length = _vsnwprintf(buffer, count, format, arguments);
    va_end(arguments);
    if (length < 0 || static_cast<std::size_t>(length) >= count) {
        buffer[count - 1] = L'\0';
        return -1;
    }
    return length;
}
