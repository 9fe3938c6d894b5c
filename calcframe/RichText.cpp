// The styled-text model of a report and its plain text.
#include "RichText.h"

void CRichText::Append(std::string_view text, unsigned flags)
{
    flags &= kRunEffects;
    std::string* target = nullptr;
    for (size_t i = 0; i < text.size(); ++i) {
        char c = text[i];
        if (c == '\r') {
            if (i + 1 < text.size() && text[i + 1] == '\n')
                continue; // the "\n" that follows ends the line
            c = '\n';
        }
        if (!target) {
            if (m_runs.empty() || m_runs.back().flags != flags)
                m_runs.push_back({{}, flags});
            target = &m_runs.back().text;
        }
        *target += c;
    }
}

std::string CRichText::ToPlainText(bool crlf) const
{
    std::string out;
    for (const CTextRun& run : m_runs) {
        const std::string_view text = run.text;
        for (size_t i = 0; i < text.size(); ++i) {
            if (text[i] == '\n' && crlf) {
                out += "\r\n";
            } else if (text[i] == '\xC2' && i + 1 < text.size() && text[i + 1] == '\xA0') {
                out += ' '; // U+00A0, the non-breaking space
                ++i;
            } else {
                out += text[i];
            }
        }
    }
    return out;
}

std::string RtfToPlainText(std::string_view rtf)
{
    return CRichText::FromRtf(rtf).ToPlainText(true);
}
