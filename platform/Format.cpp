// printf-style formatting into a std::string and UTF-8 character counting.
#include "Format.h"

#include "Utf8.h"

#include <cstdio>

std::string FormatV(const char* format, va_list args)
{
    va_list copy;
    va_copy(copy, args);
    const int length = std::vsnprintf(nullptr, 0, format, copy);
    va_end(copy);
    if (length <= 0)
        return {};
    std::string result(static_cast<size_t>(length), '\0');
    std::vsnprintf(result.data(), result.size() + 1, format, args);
    return result;
}

std::string Format(const char* format, ...)
{
    va_list args;
    va_start(args, format);
    std::string result = FormatV(format, args);
    va_end(args);
    return result;
}

size_t Utf8Length(std::string_view text)
{
    size_t count = 0;
    for (size_t pos = 0; pos < text.size(); ++count)
        NextUtf8(text, pos);
    return count;
}

std::string PadToWidth(std::string_view text, size_t width, bool leftAlign)
{
    const size_t length = Utf8Length(text);
    if (length >= width)
        return std::string(text);
    const std::string blanks(width - length, ' ');
    return leftAlign ? std::string(text) + blanks : blanks + std::string(text);
}
