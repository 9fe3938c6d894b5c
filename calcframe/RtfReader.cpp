// Reading Rich Text Format: a flat loop over the bytes with an explicit group stack.
// Destinations that hold no report text (font and colour tables, style sheet, info, pictures,
// every {\* ...} group) are skipped; sizes, fonts and colours are dropped.
#include "RtfReader.h"

#include "CodePage.h"

#include <algorithm>
#include <cstdint>
#include <iterator>

namespace
{
constexpr size_t kMaxWordLength = 32;
constexpr int kParamLimit = 1000000000;
constexpr char32_t kReplacement = 0xFFFD;

constexpr std::string_view kSkippedDestinations[] = {
    "fonttbl",
    "colortbl",
    "stylesheet",
    "info",
    "pict",
    "object",
    "objdata",
    "fldinst",
    "header",
    "headerl",
    "headerr",
    "headerf",
    "footer",
    "footerl",
    "footerr",
    "footerf",
    "footnote",
    "pntext",
    "listtable",
    "listoverridetable",
    "revtbl",
    "rsidtbl",
    "filetbl",
    "generator",
    "xmlnstbl",
    "themedata",
    "colorschememapping",
    "latentstyles",
    "datastore",
    "template",
};

struct CNamedCharacter
{
    std::string_view word;
    char32_t character;
};

constexpr CNamedCharacter kNamedCharacters[] = {
    {"par", '\n'},         {"line", '\n'},        {"sect", '\n'},     {"page", '\n'},
    {"row", '\n'},         {"tab", '\t'},         {"cell", '\t'},     {"emdash", 0x2014},
    {"endash", 0x2013},    {"bullet", 0x2022},    {"lquote", 0x2018}, {"rquote", 0x2019},
    {"ldblquote", 0x201C}, {"rdblquote", 0x201D}, {"emspace", ' '},   {"enspace", ' '},
};

constexpr std::string_view kUnderlineOn[] = {"ul", "uld", "uldb", "uldash", "ulth", "ulw", "ulwave"};

bool IsLetter(char c)
{
    return (c >= 'a' && c <= 'z') || (c >= 'A' && c <= 'Z');
}

bool IsDigit(char c)
{
    return c >= '0' && c <= '9';
}

int HexValue(char c)
{
    if (IsDigit(c))
        return c - '0';
    if (c >= 'a' && c <= 'f')
        return c - 'a' + 10;
    if (c >= 'A' && c <= 'F')
        return c - 'A' + 10;
    return -1;
}
} // namespace

CRichText CRtfReader::Read()
{
    while (m_pos < m_in.size() && !m_done) {
        const char c = m_in[m_pos];
        if (c == '{') {
            ++m_pos;
            OpenGroup();
        } else if (c == '}') {
            ++m_pos;
            CloseGroup();
        } else if (c == '\\') {
            ReadControl();
        } else {
            ++m_pos;
            if (c == '\r' || c == '\n' || c == '\0')
                continue; // line breaks of the RTF source are not text
            if (m_pendingFallback > 0) {
                --m_pendingFallback;
                continue;
            }
            if (c == '\t' || static_cast<unsigned char>(c) >= 0x20)
                Emit(Cp1252ToUnicode(static_cast<unsigned char>(c)));
        }
    }
    FlushSurrogate();
    return std::move(m_text);
}

void CRtfReader::OpenGroup()
{
    m_pendingFallback = 0;
    if (m_overflow > 0 || m_stack.size() >= kMaxGroups) {
        ++m_overflow;
        return;
    }
    m_stack.push_back(m_stack.empty() ? CGroupState{} : m_stack.back());
}

void CRtfReader::CloseGroup()
{
    m_pendingFallback = 0;
    if (m_overflow > 0) {
        --m_overflow;
        return;
    }
    if (!m_stack.empty())
        m_stack.pop_back();
    m_done = m_stack.empty(); // the document's outermost group has closed
}

void CRtfReader::ReadControl()
{
    ++m_pos; // the backslash
    if (m_pos >= m_in.size())
        return;
    if (IsLetter(m_in[m_pos]))
        ReadControlWord();
    else
        ReadControlSymbol();
}

void CRtfReader::ReadControlSymbol()
{
    const char symbol = m_in[m_pos++];
    int byte = -1;
    if (symbol == '\'') {
        const int high = m_pos < m_in.size() ? HexValue(m_in[m_pos]) : -1;
        const int low = high >= 0 && m_pos + 1 < m_in.size() ? HexValue(m_in[m_pos + 1]) : -1;
        if (low >= 0) {
            byte = high * 16 + low;
            m_pos += 2;
        }
    }
    if (m_pendingFallback > 0) {
        --m_pendingFallback;
        return;
    }
    switch (symbol) {
    case '\'':
        if (byte >= 0)
            Emit(Cp1252ToUnicode(static_cast<unsigned char>(byte)));
        break;
    case '\\':
    case '{':
    case '}':
        Emit(static_cast<unsigned char>(symbol));
        break;
    case '~':
        Emit(0x00A0); // kept as a non-breaking space; plain text turns it into a blank
        break;
    case '_':
        Emit('-');
        break;
    case '\r':
    case '\n':
        Emit('\n'); // a backslash before a source line break is \par
        break;
    case '*':
        if (!m_stack.empty())
            m_stack.back().skip = true;
        break;
    default:
        break; // \- (optional hyphen) and unknown symbols
    }
}

void CRtfReader::ReadControlWord()
{
    const size_t start = m_pos;
    while (m_pos < m_in.size() && IsLetter(m_in[m_pos]))
        ++m_pos;
    const std::string_view word = m_in.substr(start, std::min(m_pos - start, kMaxWordLength));
    bool negative = false;
    if (m_pos + 1 < m_in.size() && m_in[m_pos] == '-' && IsDigit(m_in[m_pos + 1])) {
        negative = true;
        ++m_pos;
    }
    const bool hasParam = m_pos < m_in.size() && IsDigit(m_in[m_pos]);
    int64_t value = 0; // clamped, so that any run of digits stays in range
    for (; m_pos < m_in.size() && IsDigit(m_in[m_pos]); ++m_pos)
        value = std::min<int64_t>(kParamLimit, value * 10 + (m_in[m_pos] - '0'));
    const int param = static_cast<int>(negative ? -value : value);
    if (m_pos < m_in.size() && m_in[m_pos] == ' ')
        ++m_pos; // the blank that ends a control word belongs to it

    if (word == "bin") {
        // Binary data of N bytes follows; skipped whatever the state, never beyond the end.
        m_pos += std::min(static_cast<size_t>(std::max(param, 0)), m_in.size() - m_pos);
        return;
    }
    if (m_pendingFallback > 0) {
        --m_pendingFallback;
        return;
    }
    if (!Skipping())
        ApplyControlWord(word, hasParam, param);
}

void CRtfReader::ApplyControlWord(std::string_view word, bool hasParam, int param)
{
    const bool on = !hasParam || param != 0;
    CGroupState& state = m_stack.back();
    if (std::find(std::begin(kSkippedDestinations), std::end(kSkippedDestinations), word) !=
        std::end(kSkippedDestinations)) {
        state.skip = true;
    } else if (word == "b") {
        SetEffect(kRunBold, on);
    } else if (word == "i") {
        SetEffect(kRunItalic, on);
    } else if (std::find(std::begin(kUnderlineOn), std::end(kUnderlineOn), word) != std::end(kUnderlineOn)) {
        SetEffect(kRunUnderline, on);
    } else if (word == "ulnone") {
        SetEffect(kRunUnderline, false);
    } else if (word == "plain") {
        state.flags = 0;
    } else if (word == "uc") {
        state.fallbackCount = hasParam ? std::clamp(param, 0, 16) : 1;
    } else if (word == "u") {
        // A signed 16-bit N: negative values stand for N + 65536.
        EmitUnicodeUnit(static_cast<unsigned>(std::clamp(param < 0 ? param + 0x10000 : param, 0, 0xFFFF)));
        m_pendingFallback = state.fallbackCount;
    } else {
        ApplyCharacterWord(word);
    }
}

// Words that stand for a character; any other word (fonts, sizes, languages, colours,
// paragraph settings) is dropped.
void CRtfReader::ApplyCharacterWord(std::string_view word)
{
    for (const CNamedCharacter& named : kNamedCharacters) {
        if (named.word == word) {
            Emit(named.character);
            return;
        }
    }
}

void CRtfReader::SetEffect(unsigned effect, bool on)
{
    unsigned& flags = m_stack.back().flags;
    flags = on ? (flags | effect) : (flags & ~effect);
}

void CRtfReader::EmitUnicodeUnit(unsigned unit)
{
    if (unit >= 0xD800 && unit <= 0xDBFF) {
        FlushSurrogate();
        m_highSurrogate = unit;
    } else if (unit >= 0xDC00 && unit <= 0xDFFF) {
        const char32_t high = m_highSurrogate;
        m_highSurrogate = 0;
        Emit(high ? 0x10000 + ((high - 0xD800) << 10) + (unit - 0xDC00) : kReplacement);
    } else {
        Emit(unit);
    }
}

void CRtfReader::FlushSurrogate()
{
    if (m_highSurrogate) {
        m_highSurrogate = 0;
        Emit(kReplacement);
    }
}

void CRtfReader::Emit(char32_t character)
{
    if (Skipping())
        return;
    if (m_highSurrogate)
        FlushSurrogate(); // a high surrogate not followed by its low half
    m_scratch.clear();
    AppendUtf8(m_scratch, character);
    m_text.Append(m_scratch, m_stack.back().flags);
}

CRichText CRichText::FromRtf(std::string_view rtf)
{
    const size_t start = rtf.find_first_not_of(" \t\r\n");
    if (start == std::string_view::npos || rtf.substr(start, 5) != "{\\rtf") {
        CRichText plain;
        plain.Append(Cp1252ToUtf8(rtf), 0);
        return plain;
    }
    return CRtfReader(rtf).Read();
}
