// printf-style formatting into a std::string and UTF-8 character counting.
#include "Format.h"

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
    for (size_t i = 0; i < text.size();) {
        const auto lead = static_cast<unsigned char>(text[i]);
        size_t length = 1;
        if (lead >= 0xF0 && lead <= 0xF4)
            length = 4;
        else if (lead >= 0xE0)
            length = 3;
        else if (lead >= 0xC2 && lead <= 0xDF)
            length = 2;
        bool valid = lead < 0x80 || length > 1;
        for (size_t k = 1; valid && k < length; ++k)
            valid = i + k < text.size() && (static_cast<unsigned char>(text[i + k]) & 0xC0) == 0x80;
        i += valid ? length : 1;
        ++count;
    }
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
