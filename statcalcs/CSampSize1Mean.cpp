// CSampSize1Mean: the sample size to show that a mean differs from a given one (type "4110"):
// its stored inputs, the normal-approximation size and report, and the input dialog (141).
#include "CSampSize1Mean.h"

#include "CArchive.h"
#include "CSampSizeDlg.h"
#include "ElementaryFunctions.h"
#include "SampleTables.h"
#include "StoredInputs.h"
#include "Terms.h"

#include <cmath>

IMPLEMENT_SERIAL(CSampSize1Mean, CCalcBase, 0)

void CSampSize1Mean::Serialize(CArchive& ar)
{
    CCalcBase::Serialize(ar);
    // The stored order is the document format's, not the order of the fields.
    if (ar.IsStoring()) {
        ar << m_significance << m_mean << m_nullMean << m_power << m_sd;
    } else {
        m_significance = ReadChoice(ar, 3);
        ar >> m_mean >> m_nullMean;
        m_power = ReadChoice(ar, 3);
        ar >> m_sd;
    }
}

namespace
{
/// The form of the input dialog, which also gives the calculation its field table.
const CSizeForm& Size1MeanForm()
{
    static const CSizeForm form =
        MakeSizeForm(141, "Sample - Size - Single mean",
                     {
                         {1027, 1109, "Mean:", "17", ":", std::nullopt, "mean"},
                         {1056, 1129, "Null hypothesis mean:", "20", ":", std::nullopt, "null_mean"},
                         {1028, 1110, "SD:", "58", ":", 1000000, "sd"},
                     });
    return form;
}
} // namespace

/// Input dialog: mean, null-hypothesis mean, SD, significance, power and title (template 141).
class CSampSize1MeanDlg : public CSampSizeDlg
{
public:
    CSampSize1MeanDlg() : CSampSizeDlg(Size1MeanForm()) {}

    void Load(const CSampSize1Mean& calc)
    {
        m_values[0] = calc.m_mean;
        m_values[1] = calc.m_nullMean;
        m_values[2] = calc.m_sd;
        m_significance = calc.m_significance;
        m_power = calc.m_power;
    }

    void Store(CSampSize1Mean& calc) const
    {
        calc.m_mean = m_values[0];
        calc.m_nullMean = m_values[1];
        calc.m_sd = m_values[2];
        calc.m_significance = m_significance;
        calc.m_power = m_power;
    }
};

const CFieldTable* CSampSize1Mean::Fields() const
{
    return &Size1MeanForm().fields;
}

CInputs CSampSize1Mean::Inputs() const
{
    return SizeFormInputs(Size1MeanForm(), {m_mean, m_nullMean, m_sd}, m_significance, m_power, GetTitle());
}

CResults CSampSize1Mean::Results() const
{
    // n = (z_beta + z_alpha)^2 SD^2 / (mean - null mean)^2 (normal approximation, one sample).
    const double z = kZBeta[m_power] + kZAlpha[m_significance];
    const double n = zmath::Square(z) * zmath::Square(m_sd) / zmath::Square(m_mean - m_nullMean);
    return {SizeResult("sample_size", "55", TruncSize(n))};
}

bool CSampSize1Mean::Do()
{
    if (!RunInputDialog<CSampSize1MeanDlg>(*this))
        return false;
    CWaitCursor wait;
    const CResults results = Results();

    InsertHeading();
    InsertResult(Term(kTermMean), Floating(m_mean, 2), "");
    InsertResult(Term(kTermNullHypothesisValue), Floating(m_nullMean, 2), "");
    InsertResult(Term(kTermStandardDeviation), Floating(m_sd, 2), "");
    InsertResult(Term(kTermSignificanceLevel), SignificanceText(m_significance), "");
    InsertResult(Term(kTermPower), PowerText(m_power), "");
    InsertPhrase("\n", kPhrasePlain);
    InsertResult(SizeLabel(results, "sample_size"), SizeText(results, "sample_size"), "");
    return true;
}
