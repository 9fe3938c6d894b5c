// The base class of every calculation and of the note: type string, title, the phrase list
// of the report, and the static helpers that fix the report's layout.
#pragma once

#include "CObject.h"
#include "CalcResults.h"

#include <memory>
#include <string>
#include <vector>

struct CFieldTable;

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
    /// Copies the inputs and any phrases written so far.
    CCalcBase(const CCalcBase& other);
    CCalcBase& operator=(const CCalcBase& other);

    void Serialize(CArchive& ar) override;
    /// Gives an empty title the local time and date ("%X, %x") and returns false.
    virtual bool Do();

    void SetTitle(const std::string& title) { m_title = title; }
    std::string GetTitle() const { return m_title; }
    void SetTypeString(const std::string& type) { m_typeString = type; }
    const std::string& GetTypeString() const { return m_typeString; }

    /// The table of the input fields, in dialog order; null for a note.
    virtual const CFieldTable* Fields() const { return nullptr; }
    /// The stored inputs by field name, in the field table's order.
    virtual CInputs Inputs() const { return {}; }
    /// The results computed from the stored inputs, in the order the report prints them. The
    /// report is a rendering of this list; nothing here depends on the vocabulary.
    virtual CResults Results() const { return {}; }

    /// Sends the phrase list to the current report target and empties it.
    void Output();
    const std::vector<CPhrase>& GetPhrases() const;

    static std::string Integer(int n);
    static std::string Floating(double x, int decimals);
    /// A test's probability p as Floating prints it, or "****" when the test's statistic is not
    /// finite: an undefined statistic has no probability, whatever a tail formula gives for it.
    static std::string Probability(double statistic, double p, int decimals);
    static std::string CI(double lower, double upper, int decimals);
    static std::string LabelCI(const std::string& level);
    static std::string TUnderline(const std::string& text);
    static std::string Term(const std::string& key);
    /// The label of a result: the terms of its vocabulary keys joined by spaces.
    static std::string ResultLabel(const CResult& result);

    /// While muted (a run that wants only the results as data), Do prints no report: phrases
    /// and result lines are dropped before they are laid out.
    class CMuteReports
    {
    public:
        CMuteReports() : m_previous(s_reportsMuted) { s_reportsMuted = true; }
        ~CMuteReports() { s_reportsMuted = m_previous; }
        CMuteReports(const CMuteReports&) = delete;
        CMuteReports& operator=(const CMuteReports&) = delete;

    private:
        bool m_previous;
    };

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
    /// A result line: its label from the vocabulary, its estimate and, where it has one, its
    /// interval, each with the result's decimals ("****" when undefined).
    /// `labelSuffix` follows the label (an interval's level, a unit).
    void InsertResult(const CResult& result, const std::string& labelSuffix = "");
    /// The result `key` of `results` as InsertResult(const CResult&) prints it; a key the list
    /// lacks is a programming error (logic_error).
    void InsertResult(const CResults& results, const std::string& key, const std::string& labelSuffix = "");

private:
    static bool s_reportsMuted;
    std::string m_typeString;
    std::string m_title;
    // Held through a pointer: only a calculation writing its report has phrases, and an
    // opened document holds many calculations that have none.
    std::unique_ptr<std::vector<CPhrase>> m_phrases;
};
