// CProbBinomial (type "5400"): the binomial probabilities of x, its report, and the dialog.
#include "CProbBinomial.h"

#include "CArchive.h"
#include "ExactLimits.h"
#include "ExactTwoSided.h"
#include "Terms.h"
#include "ValueForm.h"

IMPLEMENT_SERIAL(CProbBinomial, CMethodCalc, 0)

namespace
{
const CValueForm& BinomialForm()
{
    static const CValueForm form = MakeValueForm(344, "Probability - Binomial distribution",
                                                 {
                                                     {CountField("n", 1201, kTermNumberOfTrials, 1, 1e9, "10")},
                                                     {NumberField("p", 1202, kTermProbabilityOfSuccess, 0, 1, "0.5")},
                                                     {CountField("x", 1203, kTermNumberOfSuccesses, 0, 1e9, "0")},
                                                 });
    return form;
}
} // namespace

/// Input dialog: n, p, x, the level and the title; x may not exceed n.
class CProbBinomialDlg : public CValueFormDlg
{
public:
    CProbBinomialDlg() : CValueFormDlg(BinomialForm()) {}

    void Load(const CProbBinomial& calc)
    {
        m_values = {calc.m_trials, calc.m_probability, calc.m_successes};
        m_level = calc.m_level;
    }
    void Store(CProbBinomial& calc) const
    {
        calc.m_trials = m_values[0];
        calc.m_probability = m_values[1];
        calc.m_successes = m_values[2];
        calc.m_level = m_level;
    }

protected:
    CRefusal Refusal() const override
    {
        if (m_values[2] > m_values[0])
            return {"50", "x"};
        return {};
    }
};

void CProbBinomial::Serialize(CArchive& ar)
{
    CMethodCalc::Serialize(ar);
    if (ar.IsStoring()) {
        ar << m_trials << m_probability << m_successes << m_level;
    } else {
        m_trials = ReadFiniteNumber(ar, "number of trials");
        m_probability = ReadFiniteNumber(ar, "probability");
        m_successes = ReadFiniteNumber(ar, "number of successes");
        m_level = ReadLevelPercent(ar);
    }
}

const CFieldTable* CProbBinomial::Fields() const
{
    return &BinomialForm().fields;
}

CInputs CProbBinomial::Inputs() const
{
    return CInputList()
        .Number("n", m_trials)
        .Number("p", m_probability)
        .Number("x", m_successes)
        .Number("level", m_level)
        .Text("title", GetTitle())
        .Take();
}

CResults CProbBinomial::Results() const
{
    const double x = m_successes;
    const double n = m_trials;
    const double p = m_probability;
    const bool valid = n >= 1 && x <= n;
    const CLimits limits = ClopperPearsonLimits(x, n, m_level);
    CResults results;
    results.push_back(ProbabilityResult("p_point", kTermPEqual, 0, BinomialPoint(x, n, p), kNoValue, 6));
    results.push_back(ProbabilityResult("p_at_most", kTermPAtMost, 0, BinomialLowerTail(x, n, p), kNoValue, 6));
    results.push_back(ProbabilityResult("p_at_least", kTermPAtLeast, 0, BinomialUpperTail(x, n, p), kNoValue, 6));
    results.push_back(ProbabilityResult("p_two_sided", TermKeys({kTermTwoTailed, kTermPValue}), 0,
                                        BinomialTwoSidedP(x, n, p), kNoValue, 6));
    results.push_back(IntervalResult("proportion_exact", kTermProportionExact, valid ? x / n : kNoValue, limits.lower,
                                     limits.upper, LevelText(m_level), 6));
    return results;
}

bool CProbBinomial::Do()
{
    if (!RunInputDialog<CProbBinomialDlg>(*this))
        return false;
    CWaitCursor wait;
    const CResults results = Results();

    InsertHeading();
    InsertResult(Term(kTermNumberOfTrials), Floating(m_trials, 0), "");
    InsertResult(Term(kTermProbabilityOfSuccess), Floating(m_probability, 6), "");
    InsertResult(Term(kTermNumberOfSuccesses), Floating(m_successes, 0), "");
    InsertPhrase("\n", kPhrasePlain);
    for (const char* key : {"p_point", "p_at_most", "p_at_least", "p_two_sided"})
        InsertMethodResult(results, key);
    InsertMethodResult(results, "proportion_exact", LabelCI(LevelText(m_level)));
    return true;
}
