// The base class of every calculation and of the note: type string, title, the phrase list
// of the report, and the static helpers that fix the report's layout.
#pragma once

#include "CObject.h"

#include <string>
#include <vector>

enum : unsigned
{
    kPhrasePlain = 0,
    kPhraseBold = 1,
    kPhraseItalic = 2,
    kPhraseUnderline = 4,
};

struct CPhrase
{
    std::string text;
    unsigned flags = 0;
};

class CCalcBase : public CObject
{
    DECLARE_SERIAL(CCalcBase)
public:
    CCalcBase() = default;
    ~CCalcBase() override = default;

    void Serialize(CArchive& ar) override;
    /// Gives an empty title the local time and date ("%X, %x") and returns false.
    virtual bool Do();

    void SetTitle(const std::string& title) { m_title = title; }
    std::string GetTitle() const { return m_title; }
    void SetTypeString(const std::string& type) { m_typeString = type; }
    const std::string& GetTypeString() const { return m_typeString; }

    /// Sends the phrase list to the current report target and empties it.
    void Output();
    const std::vector<CPhrase>& GetPhrases() const { return m_phrases; }

    static std::string Integer(int n);
    static std::string Floating(double x, int decimals);
    /// A test's probability p as Floating prints it, or "****" when the test's statistic is not
    /// finite: an undefined statistic has no probability, whatever a tail formula gives for it.
    static std::string Probability(double statistic, double p, int decimals);
    static std::string CI(double lower, double upper, int decimals);
    static std::string LabelCI(const std::string& level);
    static std::string TUnderline(const std::string& text);
    static std::string Term(const std::string& key);

    /// The class-wide confidence-level strings: "95%" (index 0) and "99%" (index 1).
    static const char* const kLevels[2];

protected:
    std::string GetTypeTitle() const;
    void InsertPhrase(const std::string& text, unsigned flags);
    /// The two phrases every report begins with: the type's full name in bold, then the title
    /// in italics followed by an empty line.
    void InsertHeading()
    {
        InsertPhrase(GetTypeTitle() + "\n", kPhraseBold);
        InsertPhrase(GetTitle() + "\n\n", kPhraseItalic);
    }
    void InsertResult(const std::string& label, const std::string& value, const std::string& extra);

private:
    std::string m_typeString;
    std::string m_title;
    std::vector<CPhrase> m_phrases;
};
