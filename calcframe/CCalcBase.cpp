// The calculation base: stored type string and title, the phrase list and the helpers that
// fix the report's layout (result lines, number widths, intervals, terms, dashed underlines).
#include "CCalcBase.h"

#include "CArchive.h"
#include "CodePage.h"
#include "Format.h"
#include "ReportTarget.h"
#include "ScreenText.h"
#include "Terms.h"
#include "UIServices.h"
#include "Utf8.h"
#include "Vocabulary.h"

#include <algorithm>
#include <cerrno>
#include <cmath>
#include <ctime>
#include <cwchar>
#include <stdexcept>

IMPLEMENT_SERIAL(CCalcBase, CObject, 0)

const char* const CCalcBase::kLevels[2] = {"95%", "99%"};

namespace
{
// The title check of the input dialogs refuses longer titles.
constexpr size_t kMaxDefaultTitle = 50;

/// Byte length of the UTF-8 character at text[i] (invalid bytes count one each, as Utf8Length).
size_t CharLength(const std::string& text, size_t i)
{
    size_t next = i;
    NextUtf8(text, next);
    return next - i;
}

std::string FormatTime(const char* format, const std::tm& when)
{
    std::string buffer(64, '\0');
    for (int attempt = 0; attempt < 6; ++attempt) {
        const size_t length = std::strftime(buffer.data(), buffer.size(), format, &when);
        if (length > 0)
            return buffer.substr(0, length);
        buffer.resize(buffer.size() * 4);
    }
    return {};
}

/// The time as the locale writes it, in UTF-8: the wide form knows the locale's characters
/// whatever its narrow character set (UTF-32 on Linux and macOS, UTF-16 on Windows, where the
/// narrow form would be in the ANSI code page). Empty when the locale's form is not there.
std::string FormatTimeUtf8(const wchar_t* format, const std::tm& when)
{
    std::wstring buffer(64, L'\0');
    for (int attempt = 0; attempt < 6; ++attempt) {
        const size_t length = std::wcsftime(buffer.data(), buffer.size(), format, &when);
        if (length > 0) {
            buffer.resize(length);
            if constexpr (sizeof(wchar_t) == 2)
                return Utf16ToUtf8(std::u16string(buffer.begin(), buffer.end()));
            std::string utf8;
            for (const wchar_t c : buffer)
                AppendUtf8(utf8, static_cast<char32_t>(c));
            return utf8;
        }
        buffer.resize(buffer.size() * 4);
    }
    return {};
}

std::tm LocalTime(std::time_t when)
{
    std::tm local = {};
#ifdef _WIN32
    localtime_s(&local, &when);
#else
    localtime_r(&when, &local);
#endif
    return local;
}

/// The local time and date as "%X, %x", in UTF-8; the C-locale form ("14:05:09, 12/07/24")
/// when the locale's form does not convert or is too long to be accepted as a title.
std::string DefaultTitle()
{
    const std::tm local = LocalTime(std::time(nullptr));
    std::string title = FormatTimeUtf8(L"%X, %x", local);
    if (!title.empty() && IsValidUtf8(title) && Utf8Length(title) <= kMaxDefaultTitle)
        return title;
    return FormatTime("%H:%M:%S, %m/%d/%y", local);
}

std::string BoundText(double bound, int decimals)
{
    return std::isfinite(bound) ? Format("%.*f", decimals, bound) : std::string("****");
}
} // namespace

void CCalcBase::Serialize(CArchive& ar)
{
    CObject::Serialize(ar);
    if (ar.IsStoring())
        ar << m_typeString << m_title;
    else
        ar >> m_typeString >> m_title;
}

bool CCalcBase::Do()
{
    if (m_title.empty())
        m_title = DefaultTitle();
    return false;
}

void CCalcBase::Output()
{
    CWaitCursor wait;
    if (IReportTarget* target = CurrentReportTarget()) {
        target->BeginProgramWrite();
        for (const CPhrase& phrase : GetPhrases())
            target->InsertPhrase(phrase.text, phrase.flags);
        target->EndProgramWrite();
    } else {
        AfxMessageBox(ScreenText("CANNOT_WRITE_REPORT", "Error: cannot write to the document"), MB_OK);
    }
    m_phrases.reset();
}

std::string CCalcBase::Integer(int n)
{
    return Format("%7d", n);
}

std::string CCalcBase::Floating(double x, int decimals)
{
    if (!std::isfinite(x))
        return Format("%10s", "****");
    return Format("%*.*f", decimals + 8, decimals, x);
}

void CCalcBase::InsertResult(const CResult& result, const std::string& labelSuffix)
{
    if (s_reportsMuted)
        return;
    InsertResult(ResultLabel(result) + labelSuffix, Floating(result.estimate, result.decimals),
                 result.HasInterval() ? CI(result.lower, result.upper, result.decimals) : std::string());
}

void CCalcBase::InsertResult(const CResults& results, const std::string& key, const std::string& labelSuffix)
{
    const CResult* result = FindResult(results, key);
    if (!result)
        throw std::logic_error("no result '" + key + "'");
    InsertResult(*result, labelSuffix);
}

std::string CCalcBase::ResultLabel(const CResult& result)
{
    std::string label;
    size_t start = 0;
    while (start <= result.label.size()) {
        const size_t end = std::min(result.label.find(' ', start), result.label.size());
        if (end > start)
            label += (label.empty() ? "" : " ") + Term(result.label.substr(start, end - start));
        start = end + 1;
    }
    return label;
}

std::string CCalcBase::Probability(double statistic, double p, int decimals)
{
    return Floating(std::isfinite(statistic) ? p : statistic, decimals);
}

std::string CCalcBase::CI(double lower, double upper, int decimals)
{
    return "[" + BoundText(lower, decimals) + "\x07" + " " + BoundText(upper, decimals) + "]";
}

std::string CCalcBase::LabelCI(const std::string& level)
{
    return Format(" [%s %s]", level.c_str(), Term(kTermCI).c_str());
}

std::string CCalcBase::TUnderline(const std::string& text)
{
    // Split into characters so that the underline has one dash per character, not per byte.
    std::vector<std::string> chars;
    for (size_t i = 0; i < text.size();) {
        const size_t length = CharLength(text, i);
        chars.push_back(text.substr(i, length));
        i += length;
    }
    std::string result;
    result.reserve(chars.size());
    for (size_t i = 0; i < chars.size(); ++i) {
        if (chars[i] == "\n") {
            result += '\n';
        } else if (chars[i] != " ") {
            result += '-';
        } else if (i == 0) {
            result += ' ';
        } else {
            // A single blank between words is underlined; a run of blanks (a column gap) is not.
            const bool blankBefore = chars[i - 1] == " ";
            const bool blankAfter = i + 1 < chars.size() && chars[i + 1] == " ";
            result += blankBefore || blankAfter ? ' ' : '-';
        }
    }
    return result;
}

std::string CCalcBase::Term(const std::string& key)
{
    return TermText(key);
}

std::string CCalcBase::GetTypeTitle() const
{
    return TypeTitle(m_typeString);
}

bool CCalcBase::s_reportsMuted = false;

void CCalcBase::InsertPhrase(const std::string& text, unsigned flags)
{
    if (s_reportsMuted)
        return;
    if (!m_phrases)
        m_phrases = std::make_unique<std::vector<CPhrase>>();
    m_phrases->push_back({text, flags});
}

CCalcBase::CCalcBase(const CCalcBase& other)
    : CObject(other), m_typeString(other.m_typeString), m_title(other.m_title),
      m_phrases(other.m_phrases ? std::make_unique<std::vector<CPhrase>>(*other.m_phrases) : nullptr)
{}

CCalcBase& CCalcBase::operator=(const CCalcBase& other)
{
    if (this != &other) {
        CObject::operator=(other);
        m_typeString = other.m_typeString;
        m_title = other.m_title;
        m_phrases = other.m_phrases ? std::make_unique<std::vector<CPhrase>>(*other.m_phrases) : nullptr;
    }
    return *this;
}

const std::vector<CPhrase>& CCalcBase::GetPhrases() const
{
    static const std::vector<CPhrase> none;
    return m_phrases ? *m_phrases : none;
}

void CCalcBase::InsertResult(const std::string& label, const std::string& value, const std::string& extra)
{
    if (s_reportsMuted)
        return;
    InsertPhrase(PadToWidth(label, 35, true) + " : " + PadToWidth(value, 15, true) + " " + extra + "\n", kPhrasePlain);
}
