// Control characters made visible.
#include "ControlText.h"

namespace
{
constexpr char kHex[] = "0123456789ABCDEF";

bool IsC0OrDelete(unsigned char c, std::string_view kept)
{
    return (c < 0x20 || c == 0x7F) && kept.find(static_cast<char>(c)) == std::string_view::npos;
}

/// The UTF-8 form of U+0080..U+009F: 0xC2 followed by 0x80..0x9F.
bool IsC1At(std::string_view text, size_t i)
{
    return static_cast<unsigned char>(text[i]) == 0xC2 && i + 1 < text.size() &&
           static_cast<unsigned char>(text[i + 1]) >= 0x80 && static_cast<unsigned char>(text[i + 1]) <= 0x9F;
}

void AppendHex(std::string& out, unsigned char c)
{
    out += kHex[c >> 4];
    out += kHex[c & 0x0F];
}
} // namespace

std::string EscapeControlCharacters(std::string_view text, std::string_view kept)
{
    std::string out;
    out.reserve(text.size());
    for (size_t i = 0; i < text.size(); ++i) {
        const auto c = static_cast<unsigned char>(text[i]);
        if (IsC0OrDelete(c, kept)) {
            out += "\\x";
            AppendHex(out, c);
        } else if (IsC1At(text, i)) {
            out += "\\u00";
            AppendHex(out, static_cast<unsigned char>(text[++i]));
        } else {
            out += text[i];
        }
    }
    return out;
}

bool HasControlCharacters(std::string_view text, std::string_view kept)
{
    for (size_t i = 0; i < text.size(); ++i)
        if (IsC0OrDelete(static_cast<unsigned char>(text[i]), kept) || IsC1At(text, i))
            return true;
    return false;
}
