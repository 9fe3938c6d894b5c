// CSampPrec2Means: the group size that estimates a difference of means to a given precision (type "4240").
// Its stored inputs, the size and its report, and the input dialog (template 152).
#include "CSampPrec2Means.h"

#include "CArchive.h"
#include "CSampPrecDlg.h"
#include "SampleTables.h"
#include "StoredInputs.h"
#include "Terms.h"

#include <cmath>

IMPLEMENT_SERIAL(CSampPrec2Means, CCalcBase, 0)

void CSampPrec2Means::Serialize(CArchive& ar)
{
    CCalcBase::Serialize(ar);
    if (ar.IsStoring()) {
        ar << m_level << m_precision << m_sd1 << m_sd2;
    } else {
        m_level = ReadLevel(ar);
        ar >> m_precision >> m_sd1 >> m_sd2;
    }
}

namespace
{
/// The form of the input dialog, which also gives the calculation its field table.
const CPrecisionForm& Prec2MeansForm()
{
    static const CPrecisionForm form = MakePrecisionForm(152, "Sample - Precision - Two means",
                                                         {
                                                             {1070, 1116, "SD 1:", "58", " 1:", 1000000, "sd1"},
                                                             {1071, 1117, "SD 2:", "58", " 2:", 1000000, "sd2"},
                                                         },
                                                         /*valuesPositive=*/true, /*valuesDiffer=*/false);
    return form;
}
} // namespace

/// Input dialog: SD 1, SD 2, precision, confidence level and title (template 152).
class CSampPrec2MeansDlg : public CSampPrecDlg
{
public:
    CSampPrec2MeansDlg() : CSampPrecDlg(Prec2MeansForm()) {}

    void Load(const CSampPrec2Means& calc)
    {
        m_values[0] = calc.m_sd1;
        m_values[1] = calc.m_sd2;
        m_precision = calc.m_precision;
        m_level = calc.m_level;
    }

    void Store(CSampPrec2Means& calc) const
    {
        calc.m_sd1 = m_values[0];
        calc.m_sd2 = m_values[1];
        calc.m_precision = m_precision;
        calc.m_level = m_level;
    }
};

const CFieldTable* CSampPrec2Means::Fields() const
{
    return &Prec2MeansForm().fields;
}

CInputs CSampPrec2Means::Inputs() const
{
    return PrecisionFormInputs(Prec2MeansForm(), {m_sd1, m_sd2}, m_precision, m_level, GetTitle());
}

CResults CSampPrec2Means::Results() const
{
    // n = (SD1^2 + SD2^2) / se^2 per group, se = precision / z (normal approximation).
    const double se = m_precision / kPrecisionZ[m_level];
    const double n = (m_sd1 * m_sd1 + m_sd2 * m_sd2) / (se * se);
    const std::optional<int32_t> group = TruncSize(n);
    return {SizeResult("sample_size_per_group", "55", group),
            SizeResult("sample_size_total", "", TotalSize(group, group))};
}

bool CSampPrec2Means::Do()
{
    if (!RunInputDialog<CSampPrec2MeansDlg>(*this))
        return false;
    CWaitCursor wait;
    const CResults results = Results();

    InsertHeading();
    InsertResult(Term(kTermStandardDeviation) + " 1", Floating(m_sd1, 2), "");
    InsertResult(Term(kTermStandardDeviation) + " 2", Floating(m_sd2, 2), "");
    InsertResult(Term(kTermPrecision), Floating(m_precision, 2), "");
    InsertResult(Term(kTermConfidenceLevel), LevelText(m_level), "");
    InsertPhrase("\n", kPhrasePlain);
    InsertResult(SizeLabel(results, "sample_size_per_group"), SizeText(results, "sample_size_per_group"),
                 Term(kTermPerGroup));
    InsertResult(SizeLabel(results, "sample_size_total"), SizeText(results, "sample_size_total"), Term(kTermInTotal));
    return true;
}
