// Writing a report as Rich Text Format in one fixed layout, so that writing what was read
// gives the same bytes again.
#include "CodePage.h"
#include "Format.h"
#include "RichText.h"
#include "Utf8.h"

namespace
{
constexpr const char* kHeader = "{\\rtf1\\ansi\\ansicpg1252\\deff0"
                                "{\\fonttbl{\\f0\\fmodern\\fprq1\\fcharset0 Courier New;}}\n"
                                "\\viewkind4\\uc1\\pard\\f0\\fs20";

void WriteEffects(std::string& out, unsigned flags)
{
    out += (flags & kRunBold) ? "\\b" : "\\b0";
    out += (flags & kRunItalic) ? "\\i" : "\\i0";
    out += (flags & kRunUnderline) ? "\\ul " : "\\ulnone "; // the blank ends the control word
}

// \uN takes a signed 16-bit N; the '?' after it is the one fallback character \uc1 announces.
void WriteUnicodeUnit(std::string& out, unsigned unit)
{
    out += Format("\\u%d?", unit < 0x8000 ? static_cast<int>(unit) : static_cast<int>(unit) - 0x10000);
}

void WriteCharacter(std::string& out, char32_t c)
{
    switch (c) {
    case '\n':
        out += "\\par\n";
        return;
    case '\t':
        out += "\\tab ";
        return;
    case '\\':
    case '{':
    case '}':
        out += '\\';
        out += static_cast<char>(c);
        return;
    default:
        break;
    }
    const int byte = UnicodeToCp1252(c);
    if (byte >= 0x20 && byte < 0x80) {
        out += static_cast<char>(byte);
    } else if (byte >= 0) {
        out += Format("\\'%02x", static_cast<unsigned>(byte)); // bytes 0x80 and up, controls
    } else if (c < 0x10000) {
        WriteUnicodeUnit(out, c);
    } else {
        WriteUnicodeUnit(out, 0xD800 + ((c - 0x10000) >> 10));
        WriteUnicodeUnit(out, 0xDC00 + ((c - 0x10000) & 0x3FF));
    }
}
} // namespace

std::string CRichText::ToRtf() const
{
    std::string out = kHeader;
    for (const CTextRun& run : m_runs) {
        WriteEffects(out, run.flags);
        for (size_t pos = 0; pos < run.text.size();) {
            if (const auto byte = static_cast<unsigned char>(run.text[pos]); byte < 0x80) {
                WriteCharacter(out, byte); // ASCII needs no decoding
                ++pos;
            } else {
                WriteCharacter(out, DecodeUtf8(run.text, pos));
            }
        }
    }
    out += "}";
    return out;
}
