// printf-style formatting into a std::string, sized by vsnprintf (no fixed buffers),
// and character counting for UTF-8 text.
#pragma once

#include <cstdarg>
#include <string>
#include <string_view>

using CString = std::string;

// The compiler checks the arguments against the format where it can: GCC and Clang (MinGW's
// C++ library uses its own C99 printf, hence gnu_printf there); MSVC has no such attribute.
#if defined(__MINGW32__)
#define ZENTAVO_PRINTF_FORMAT(formatIndex, firstArgument)                                                              \
    __attribute__((format(gnu_printf, formatIndex, firstArgument)))
#elif defined(__GNUC__) || defined(__clang__)
#define ZENTAVO_PRINTF_FORMAT(formatIndex, firstArgument) __attribute__((format(printf, formatIndex, firstArgument)))
#else
#define ZENTAVO_PRINTF_FORMAT(formatIndex, firstArgument)
#endif

/// Formats like printf under the current C locale; the result has exactly the printed length.
std::string Format(const char* format, ...) ZENTAVO_PRINTF_FORMAT(1, 2);
std::string FormatV(const char* format, va_list args);

/// Number of characters (code points) in UTF-8 text; invalid bytes count one each.
size_t Utf8Length(std::string_view text);

/// Pads text with blanks to `width` characters (not bytes): on the right when leftAlign,
/// else on the left. Longer text is returned unchanged.
std::string PadToWidth(std::string_view text, size_t width, bool leftAlign);
