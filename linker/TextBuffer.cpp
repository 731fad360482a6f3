// Formatted printing into a growing string.
#include "TextBuffer.h"
#include <cstdarg>
#include <cstdio>

void CTextBuffer::Printf(const char* format, ...)
{
    va_list args;
    va_start(args, format);
    va_list again;
    va_copy(again, args);
    const int length = std::vsnprintf(nullptr, 0, format, args);
    va_end(args);
    if (length > 0) {
        const size_t at = text.size();
        text.resize(at + size_t(length) + 1);
        std::vsnprintf(&text[at], size_t(length) + 1, format, again);
        text.resize(at + size_t(length));
    }
    va_end(again);
}
