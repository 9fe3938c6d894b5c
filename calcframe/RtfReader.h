// A tolerant reader of Rich Text Format as a rich-edit control writes it, keeping only text,
// tabs, line ends and bold, italic and underline. Built for untrusted input.
#pragma once

#include "RichText.h"

#include <string>
#include <string_view>
#include <vector>

/// Reads one RTF text into a CRichText. Groups are tracked on a bounded stack of its own (no
/// recursion), every step consumes input, and \binN skips at most the bytes left, so any input
/// ends in time proportional to its length.
class CRtfReader
{
public:
    /// Groups nested deeper than this are skipped whole.
    static constexpr size_t kMaxGroups = 256;

    explicit CRtfReader(std::string_view rtf) : m_in(rtf) {}
    CRichText Read();

private:
    struct CGroupState
    {
        unsigned flags = 0;
        int fallbackCount = 1; // \ucN: characters that follow each \uN in place of it
        bool skip = false;     // inside a destination whose text is not report text
    };

    bool Skipping() const { return m_overflow > 0 || m_stack.empty() || m_stack.back().skip; }
    void OpenGroup();
    void CloseGroup();
    void ReadControl();
    void ReadControlSymbol();
    void ReadControlWord();
    void ApplyControlWord(std::string_view word, bool hasParam, int param);
    void ApplyCharacterWord(std::string_view word);
    void SetEffect(unsigned effect, bool on);
    void EmitUnicodeUnit(unsigned unit);
    void Emit(char32_t character);
    void FlushSurrogate();

    std::string_view m_in;
    size_t m_pos = 0;
    std::vector<CGroupState> m_stack;
    size_t m_overflow = 0;        // open groups beyond kMaxGroups
    int m_pendingFallback = 0;    // fallback characters still to skip after a \uN
    char32_t m_highSurrogate = 0; // first half of a pair written as two \uN
    bool m_done = false;
    std::string m_scratch;
    CRichText m_text;
};
