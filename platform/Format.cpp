// printf-style formatting into a std::string and UTF-8 character counting.
//
// Floating-point conversions (%f, %e, %g and their capitals) are done here from the exact
// decimal expansion (std::to_chars), rounding to nearest with ties to even, so that a report
// prints the same digits with every C runtime: some round exact ties such as 0.125 away from
// zero, or stop being exact after 17 digits. The locale's decimal point is kept. Every other
// conversion goes to the C runtime one at a time.
#include "Format.h"

#include "Utf8.h"

#include <algorithm>
#include <charconv>
#include <clocale>
#include <cmath>
#include <cstddef>
#include <cstdint>
#include <cstdio>
#include <cstring>
#include <cwchar>

namespace
{
/// One conversion of the format string (flags, width, precision, length, kind), parsed.
struct CDirective
{
    bool left = false;
    bool plus = false;
    bool space = false;
    bool alternate = false;
    bool zero = false;
    int width = 0;
    int precision = -1; // none given
    char length[3] = {};
    char conversion = 0;
};

/// The digits of |value| in the style of %f, %e or %g (lower case), with '.' as the point.
std::string FloatDigits(double magnitude, const CDirective& directive)
{
    const int precision = directive.precision < 0 ? 6 : directive.precision;
    const char kind = static_cast<char>(directive.conversion | 0x20); // 'f', 'e' or 'g'
    // The longest fixed text of a double has 309 integer digits.
    std::string text(static_cast<size_t>(precision) + 340, '\0');
    char* const first = text.data();
    char* const last = first + text.size();
    std::to_chars_result result{};
    if (kind == 'f') {
        result = std::to_chars(first, last, magnitude, std::chars_format::fixed, precision);
    } else if (kind == 'e') {
        result = std::to_chars(first, last, magnitude, std::chars_format::scientific, precision);
    } else {
        // %g: the style follows the exponent X of the value rounded to P significant digits.
        const int significant = precision == 0 ? 1 : precision;
        result = std::to_chars(first, last, magnitude, std::chars_format::scientific, significant - 1);
        const char* e = static_cast<const char*>(std::memchr(first, 'e', static_cast<size_t>(result.ptr - first)));
        int exponent = 0;
        std::from_chars(e + (e[1] == '+' ? 2 : 1), result.ptr, exponent);
        if (exponent < significant && exponent >= -4)
            result = std::to_chars(first, last, magnitude, std::chars_format::fixed, significant - 1 - exponent);
        if (!directive.alternate) {
            // Trailing zeros of the fraction go, and the point with them.
            char* end = result.ptr;
            char* const mantissaEnd = std::find(first, end, 'e');
            if (std::find(first, mantissaEnd, '.') != mantissaEnd) {
                char* cut = mantissaEnd;
                while (cut[-1] == '0')
                    --cut;
                if (cut[-1] == '.')
                    --cut;
                end = std::copy(mantissaEnd, end, cut);
            }
            result.ptr = end;
        }
    }
    text.resize(static_cast<size_t>(result.ptr - first));
    if (directive.alternate && text.find('.') == std::string::npos) {
        const size_t e = text.find('e');
        text.insert(e == std::string::npos ? text.size() : e, ".");
    }
    return text;
}

/// A double converted as its directive says.
std::string FormatFloat(double value, const CDirective& directive)
{
    const bool upper = directive.conversion >= 'A' && directive.conversion <= 'Z';
    std::string sign;
    if (std::signbit(value))
        sign = "-";
    else if (directive.plus)
        sign = "+";
    else if (directive.space)
        sign = " ";
    std::string body;
    const bool finite = std::isfinite(value);
    if (!finite) {
        body = std::isnan(value) ? "nan" : "inf";
    } else {
        body = FloatDigits(std::fabs(value), directive);
        const char* point = std::localeconv()->decimal_point;
        if (point && std::strcmp(point, ".") != 0) {
            const size_t at = body.find('.');
            if (at != std::string::npos)
                body.replace(at, 1, point);
        }
    }
    if (upper)
        for (char& c : body)
            if (c >= 'a' && c <= 'z')
                c = static_cast<char>(c - 'a' + 'A');
    const size_t length = sign.size() + body.size();
    const size_t width = directive.width > 0 ? static_cast<size_t>(directive.width) : 0;
    if (length >= width)
        return sign + body;
    const std::string fill(width - length, directive.zero && !directive.left && finite ? '0' : ' ');
    if (directive.left)
        return sign + body + fill;
    if (directive.zero && finite)
        return sign + fill + body;
    return fill + sign + body;
}

/// The directive text ("%-*.3ld") for the C runtime, with the width and precision given.
std::string RuntimeDirective(const CDirective& directive)
{
    std::string text = "%";
    if (directive.left)
        text += '-';
    if (directive.plus)
        text += '+';
    if (directive.space)
        text += ' ';
    if (directive.alternate)
        text += '#';
    if (directive.zero)
        text += '0';
    if (directive.width > 0)
        text += std::to_string(directive.width);
    if (directive.precision >= 0)
        text += "." + std::to_string(directive.precision);
    text += directive.length;
    text += directive.conversion;
    return text;
}

template <typename T> void AppendRuntime(std::string& out, const CDirective& directive, T value)
{
    const std::string format = RuntimeDirective(directive);
    const int length = std::snprintf(nullptr, 0, format.c_str(), value);
    if (length <= 0)
        return;
    const size_t at = out.size();
    out.resize(at + static_cast<size_t>(length));
    std::snprintf(out.data() + at, static_cast<size_t>(length) + 1, format.c_str(), value);
}

/// Converts one integer argument of the given length modifier.
void AppendInteger(std::string& out, const CDirective& directive, va_list& args)
{
    const std::string length = directive.length;
    const bool isSigned = directive.conversion == 'd' || directive.conversion == 'i';
    // The branches are alike where two of these types coincide (long and intmax_t on Linux),
    // not on every platform.
    // NOLINTNEXTLINE(bugprone-branch-clone)
    if (length == "l") {
        if (isSigned)
            AppendRuntime(out, directive, va_arg(args, long));
        else
            AppendRuntime(out, directive, va_arg(args, unsigned long));
    } else if (length == "ll") {
        if (isSigned)
            AppendRuntime(out, directive, va_arg(args, long long));
        else
            AppendRuntime(out, directive, va_arg(args, unsigned long long));
    } else if (length == "z") {
        AppendRuntime(out, directive, va_arg(args, size_t));
    } else if (length == "j") {
        if (isSigned)
            AppendRuntime(out, directive, va_arg(args, intmax_t));
        else
            AppendRuntime(out, directive, va_arg(args, uintmax_t));
    } else if (length == "t") {
        AppendRuntime(out, directive, va_arg(args, ptrdiff_t));
    } else if (isSigned) {
        AppendRuntime(out, directive, va_arg(args, int)); // hh and h arrive promoted
    } else {
        AppendRuntime(out, directive, va_arg(args, unsigned int));
    }
}
} // namespace

std::string FormatV(const char* format, va_list args)
{
    va_list copy;
    va_copy(copy, args);
    std::string out;
    for (const char* p = format; *p;) {
        if (*p != '%') {
            const char* next = std::strchr(p, '%');
            const size_t n = next ? static_cast<size_t>(next - p) : std::strlen(p);
            out.append(p, n);
            p += n;
            continue;
        }
        ++p;
        if (*p == '%') {
            out += '%';
            ++p;
            continue;
        }
        CDirective directive;
        for (;; ++p) {
            if (*p == '-')
                directive.left = true;
            else if (*p == '+')
                directive.plus = true;
            else if (*p == ' ')
                directive.space = true;
            else if (*p == '#')
                directive.alternate = true;
            else if (*p == '0')
                directive.zero = true;
            else
                break;
        }
        if (*p == '*') {
            directive.width = va_arg(copy, int);
            if (directive.width < 0) {
                directive.left = true;
                directive.width = -directive.width;
            }
            ++p;
        } else {
            for (; *p >= '0' && *p <= '9'; ++p)
                directive.width = directive.width * 10 + (*p - '0');
        }
        if (*p == '.') {
            ++p;
            directive.precision = 0;
            if (*p == '*') {
                directive.precision = va_arg(copy, int); // negative: as if none was given
                ++p;
            } else {
                for (; *p >= '0' && *p <= '9'; ++p)
                    directive.precision = directive.precision * 10 + (*p - '0');
            }
        }
        size_t lengthSize = 0;
        while ((*p == 'h' || *p == 'l' || *p == 'L' || *p == 'z' || *p == 'j' || *p == 't') && lengthSize < 2)
            directive.length[lengthSize++] = *p++;
        directive.conversion = *p;
        if (!*p)
            break; // a lone '%' at the end prints nothing
        ++p;
        switch (directive.conversion) {
        case 'f':
        case 'F':
        case 'e':
        case 'E':
        case 'g':
        case 'G':
            if (directive.length[0] == 'L')
                AppendRuntime(out, directive, va_arg(copy, long double));
            else
                out += FormatFloat(va_arg(copy, double), directive);
            break;
        case 'a':
        case 'A':
            if (directive.length[0] == 'L')
                AppendRuntime(out, directive, va_arg(copy, long double));
            else
                AppendRuntime(out, directive, va_arg(copy, double));
            break;
        case 'd':
        case 'i':
        case 'u':
        case 'o':
        case 'x':
        case 'X':
            AppendInteger(out, directive, copy);
            break;
        case 'c':
            if (directive.length[0] == 'l')
                AppendRuntime(out, directive, static_cast<wint_t>(va_arg(copy, int)));
            else
                AppendRuntime(out, directive, va_arg(copy, int));
            break;
        case 's':
            if (directive.length[0] == 'l')
                AppendRuntime(out, directive, va_arg(copy, const wchar_t*));
            else
                AppendRuntime(out, directive, va_arg(copy, const char*));
            break;
        case 'p':
            AppendRuntime(out, directive, va_arg(copy, void*));
            break;
        default:
            // %n and anything unknown: no output, no argument taken (nothing is written back).
            break;
        }
    }
    va_end(copy);
    return out;
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
