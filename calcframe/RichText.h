// The styled text of a report: runs of UTF-8 text with bold, italic and underline, "\n" line
// ends and "\t" tabs; its Rich Text Format form (written and read here) and its plain text.
#pragma once

#include <string>
#include <string_view>
#include <vector>

/// Effects of a run; the same bits as a report phrase's format flags.
enum : unsigned
{
    kRunBold = 1,
    kRunItalic = 2,
    kRunUnderline = 4,
    kRunEffects = kRunBold | kRunItalic | kRunUnderline,
};

struct CTextRun
{
    std::string text; // UTF-8, "\n" line ends, "\t" tabs; never empty in a CRichText
    unsigned flags = 0;

    bool IsBold() const { return (flags & kRunBold) != 0; }
    bool IsItalic() const { return (flags & kRunItalic) != 0; }
    bool IsUnderline() const { return (flags & kRunUnderline) != 0; }
    bool operator==(const CTextRun&) const = default;
};

/// A report as runs of equally formatted text. Adjacent runs always differ in their effects,
/// so equal texts have equal run lists and write equal RTF.
class CRichText
{
public:
    /// Appends text with the effects in `flags` (other bits ignored), joining the last run when
    /// its effects are the same. "\r\n" and a lone "\r" become "\n"; empty text adds nothing.
    void Append(std::string_view text, unsigned flags);
    void Clear() { m_runs.clear(); }
    bool IsEmpty() const { return m_runs.empty(); }
    const std::vector<CTextRun>& Runs() const { return m_runs; }
    bool operator==(const CRichText&) const = default;

    /// The text alone. Line ends are "\r\n" when crlf, else "\n"; a non-breaking space
    /// becomes a blank, as in the plain text the result view gives.
    std::string ToPlainText(bool crlf) const;

    /// The RTF form, one fixed layout: a header naming Windows-1252 and Courier New 10 pt,
    /// then per run \b/\b0, \i/\i0, \ul/\ulnone and the escaped text, one \par per line end.
    std::string ToRtf() const;
    /// Reads RTF as a rich-edit control writes it; never fails and always ends. Input that
    /// does not start with "{\rtf" is taken as plain Windows-1252 text.
    static CRichText FromRtf(std::string_view rtf);

private:
    std::vector<CTextRun> m_runs;
};

/// Plain text of a stored report for export: FromRtf(rtf).ToPlainText(true).
std::string RtfToPlainText(std::string_view rtf);
