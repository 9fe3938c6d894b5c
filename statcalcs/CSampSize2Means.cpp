// CSampSize2Means: the sample size to show that two means differ (type "4140").
// Its stored inputs, the size and its report, and the input dialog (template 144).
#include "CSampSize2Means.h"

#include "CArchive.h"
#include "CSampSizeDlg.h"
#include "ElementaryFunctions.h"
#include "SampleTables.h"
#include "StoredInputs.h"
#include "Terms.h"

#include <cmath>

IMPLEMENT_SERIAL(CSampSize2Means, CCalcBase, 0)

void CSampSize2Means::Serialize(CArchive& ar)
{
    CCalcBase::Serialize(ar);
    // The stored order is the document format's, not the order of the fields.
    if (ar.IsStoring()) {
        ar << m_significance << m_mean1 << m_mean2 << m_power << m_sd;
    } else {
        m_significance = ReadChoice(ar, 3);
        ar >> m_mean1 >> m_mean2;
        m_power = ReadChoice(ar, 3);
        ar >> m_sd;
    }
}

namespace
{
/// The form of the input dialog, which also gives the calculation its field table.
const CSizeForm& Size2MeansForm()
{
    static const CSizeForm form = MakeSizeForm(144, "Sample - Size - Two means",
                                               {
                                                   {1061, 1114, "Mean 1:", "17", " 1:", 1000000, "mean1"},
                                                   {1060, 1115, "Mean 2:", "17", " 2:", 1000000, "mean2"},
                                                   {1028, 1110, "SD:", "58", ":", 1000000, "sd"},
                                               },
                                               kSdMustNotBeZero);
    return form;
}
} // namespace

/// Input dialog: mean 1, mean 2, SD, significance, power and title (template 144); a zero SD is refused.
class CSampSize2MeansDlg : public CSampSizeDlg
{
public:
    CSampSize2MeansDlg() : CSampSizeDlg(Size2MeansForm()) {}

    void Load(const CSampSize2Means& calc)
    {
        m_values[0] = calc.m_mean1;
        m_values[1] = calc.m_mean2;
        m_values[2] = calc.m_sd;
        m_significance = calc.m_significance;
        m_power = calc.m_power;
    }

    void Store(CSampSize2Means& calc) const
    {
        calc.m_mean1 = m_values[0];
        calc.m_mean2 = m_values[1];
        calc.m_sd = m_values[2];
        calc.m_significance = m_significance;
        calc.m_power = m_power;
    }
};

const CFieldTable* CSampSize2Means::Fields() const
{
    return &Size2MeansForm().fields;
}

CInputs CSampSize2Means::Inputs() const
{
    return SizeFormInputs(Size2MeansForm(), {m_mean1, m_mean2, m_sd}, m_significance, m_power, GetTitle());
}

CResults CSampSize2Means::Results() const
{
    // n = SD^2 2 (z_beta + z_alpha)^2 / (mean 1 - mean 2)^2 per group (normal approximation).
    const double z = kZBeta[m_power] + kZAlpha[m_significance];
    const double n = zmath::Square(m_sd) * 2 * zmath::Square(z) / zmath::Square(m_mean1 - m_mean2);
    const std::optional<int32_t> group = TruncSize(n);
    return {SizeResult("sample_size_per_group", "55", group),
            SizeResult("sample_size_total", "", TotalSize(group, group))};
}

bool CSampSize2Means::Do()
{
    if (!RunInputDialog<CSampSize2MeansDlg>(*this))
        return false;
    CWaitCursor wait;
    const CResults results = Results();

    InsertHeading();
    InsertResult(Term(kTermMean) + " 1", Floating(m_mean1, 2), "");
    InsertResult(Term(kTermMean) + " 2", Floating(m_mean2, 2), "");
    InsertResult(Term(kTermStandardDeviation), Floating(m_sd, 2), "");
    InsertResult(Term(kTermSignificanceLevel), SignificanceText(m_significance), "");
    InsertResult(Term(kTermPower), PowerText(m_power), "");
    InsertPhrase("\n", kPhrasePlain);
    InsertResult(SizeLabel(results, "sample_size_per_group"), SizeText(results, "sample_size_per_group"),
                 Term(kTermPerGroup));
    InsertResult(SizeLabel(results, "sample_size_total"), SizeText(results, "sample_size_total"), Term(kTermInTotal));
    return true;
}
