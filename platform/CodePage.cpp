// Windows-1252, UTF-8 and UTF-16 conversions. The table covers 0x80..0x9F, the only range
// where Windows-1252 differs from Latin-1.
#include "CodePage.h"

#include <algorithm>

namespace
{
constexpr char16_t kHighRange[32] = {
    0x20AC, 0x0081, 0x201A, 0x0192, 0x201E, 0x2026, 0x2020, 0x2021, 0x02C6, 0x2030, 0x0160,
    0x2039, 0x0152, 0x008D, 0x017D, 0x008F, 0x0090, 0x2018, 0x2019, 0x201C, 0x201D, 0x2022,
    0x2013, 0x2014, 0x02DC, 0x2122, 0x0161, 0x203A, 0x0153, 0x009D, 0x017E, 0x0178,
};
} // namespace

char32_t Cp1252ToUnicode(unsigned char byte)
{
    return byte >= 0x80 && byte < 0xA0 ? kHighRange[byte - 0x80] : byte;
}

int UnicodeToCp1252(char32_t character)
{
    if (character < 0x80 || (character >= 0xA0 && character <= 0xFF))
        return static_cast<int>(character);
    for (int i = 0; i < 32; ++i) {
        if (kHighRange[i] == character)
            return 0x80 + i;
    }
    return -1;
}

void AppendUtf8(std::string& out, char32_t character)
{
    if (character > 0x10FFFF || (character >= 0xD800 && character <= 0xDFFF))
        character = kUtf8Replacement;
    if (character < 0x80) {
        out += static_cast<char>(character);
    } else if (character < 0x800) {
        out += static_cast<char>(0xC0 | (character >> 6));
        out += static_cast<char>(0x80 | (character & 0x3F));
    } else if (character < 0x10000) {
        out += static_cast<char>(0xE0 | (character >> 12));
        out += static_cast<char>(0x80 | ((character >> 6) & 0x3F));
        out += static_cast<char>(0x80 | (character & 0x3F));
    } else {
        out += static_cast<char>(0xF0 | (character >> 18));
        out += static_cast<char>(0x80 | ((character >> 12) & 0x3F));
        out += static_cast<char>(0x80 | ((character >> 6) & 0x3F));
        out += static_cast<char>(0x80 | (character & 0x3F));
    }
}

bool FitsCp1252(std::string_view utf8)
{
    for (size_t pos = 0; pos < utf8.size();) {
        if (UnicodeToCp1252(DecodeUtf8(utf8, pos)) < 0)
            return false;
    }
    return true;
}

std::string Cp1252ToUtf8(std::string_view bytes)
{
    // Most stored strings are ASCII, which reads the same in both: copied as they are, and the
    // rest converted from the first byte that is not.
    const auto ascii = std::find_if(bytes.begin(), bytes.end(), [](char byte) { return (byte & 0x80) != 0; });
    std::string out(bytes.begin(), ascii);
    if (ascii == bytes.end())
        return out;
    out.reserve(bytes.size() + bytes.size() / 2);
    for (auto it = ascii; it != bytes.end(); ++it)
        AppendUtf8(out, Cp1252ToUnicode(static_cast<unsigned char>(*it)));
    return out;
}

std::string Utf8ToCp1252(std::string_view utf8)
{
    std::string out;
    out.reserve(utf8.size());
    for (size_t pos = 0; pos < utf8.size();) {
        const int byte = UnicodeToCp1252(DecodeUtf8(utf8, pos));
        out += byte < 0 ? '?' : static_cast<char>(byte);
    }
    return out;
}

std::u16string Utf8ToUtf16(std::string_view utf8)
{
    std::u16string out;
    out.reserve(utf8.size());
    for (size_t pos = 0; pos < utf8.size();) {
        if (const auto byte = static_cast<unsigned char>(utf8[pos]); byte < 0x80) {
            out += static_cast<char16_t>(byte); // ASCII, most of a report: no decoding
            ++pos;
            continue;
        }
        const char32_t character = DecodeUtf8(utf8, pos);
        if (character < 0x10000) {
            out += static_cast<char16_t>(character);
        } else {
            out += static_cast<char16_t>(0xD800 + ((character - 0x10000) >> 10));
            out += static_cast<char16_t>(0xDC00 + ((character - 0x10000) & 0x3FF));
        }
    }
    return out;
}

std::string Utf16ToUtf8(std::u16string_view utf16)
{
    std::string out;
    out.reserve(utf16.size());
    for (size_t i = 0; i < utf16.size(); ++i) {
        const char16_t unit = utf16[i];
        if (unit >= 0xD800 && unit <= 0xDBFF && i + 1 < utf16.size() && utf16[i + 1] >= 0xDC00 &&
            utf16[i + 1] <= 0xDFFF) {
            AppendUtf8(out, 0x10000 + ((char32_t(unit) - 0xD800) << 10) + (utf16[i + 1] - 0xDC00));
            ++i;
        } else {
            AppendUtf8(out, unit); // an unpaired surrogate turns into U+FFFD here
        }
    }
    return out;
}
