// The strict UTF-8 decoder every reader of UTF-8 text in the program goes through.
#include "Utf8.h"

std::optional<char32_t> NextUtf8(std::string_view text, size_t& pos)
{
    const auto lead = static_cast<unsigned char>(text[pos]);
    if (lead < 0x80) {
        ++pos;
        return lead;
    }
    size_t length = 0;
    char32_t value = 0;
    char32_t minimum = 0;
    if (lead >= 0xC2 && lead <= 0xDF) {
        length = 2, value = lead & 0x1F, minimum = 0x80;
    } else if (lead >= 0xE0 && lead <= 0xEF) {
        length = 3, value = lead & 0x0F, minimum = 0x800;
    } else if (lead >= 0xF0 && lead <= 0xF4) {
        length = 4, value = lead & 0x07, minimum = 0x10000;
    }
    if (length == 0 || length > text.size() - pos) {
        ++pos;
        return std::nullopt;
    }
    for (size_t k = 1; k < length; ++k) {
        const auto byte = static_cast<unsigned char>(text[pos + k]);
        if ((byte & 0xC0) != 0x80) {
            ++pos;
            return std::nullopt;
        }
        value = (value << 6) | (byte & 0x3F);
    }
    if (value < minimum || value > 0x10FFFF || (value >= 0xD800 && value <= 0xDFFF)) {
        ++pos;
        return std::nullopt;
    }
    pos += length;
    return value;
}

char32_t DecodeUtf8(std::string_view utf8, size_t& pos)
{
    return NextUtf8(utf8, pos).value_or(kUtf8Replacement);
}

bool IsValidUtf8(std::string_view text)
{
    for (size_t pos = 0; pos < text.size();)
        if (!NextUtf8(text, pos))
            return false;
    return true;
}
