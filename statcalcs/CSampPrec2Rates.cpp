// CSampPrec2Rates: the group size that estimates a difference of rates to a given precision (type "4250").
// Its stored inputs, the size and its report, and the input dialog (template 153).
#include "CSampPrec2Rates.h"

#include "CArchive.h"
#include "CSampPrecDlg.h"
#include "SampleTables.h"
#include "StoredInputs.h"
#include "Terms.h"

#include <cmath>

IMPLEMENT_SERIAL(CSampPrec2Rates, CCalcBase, 0)

void CSampPrec2Rates::Serialize(CArchive& ar)
{
    CCalcBase::Serialize(ar);
    if (ar.IsStoring()) {
        ar << m_level << m_precision << m_rate1 << m_rate2;
    } else {
        m_level = ReadLevel(ar);
        ar >> m_precision >> m_rate1 >> m_rate2;
    }
}

namespace
{
/// The form of the input dialog, which also gives the calculation its field table.
const CPrecisionForm& Prec2RatesForm()
{
    static const CPrecisionForm form = MakePrecisionForm(153, "Sample - Precision - Two rates",
                                                         {
                                                             {1062, 1133, "Rate 1:", "48", " 1:", 1000000, "rate1"},
                                                             {1063, 1137, "Rate 2:", "48", " 2:", 1000000, "rate2"},
                                                         },
                                                         /*valuesPositive=*/false, /*valuesDiffer=*/true);
    return form;
}
} // namespace

/// Input dialog: rate 1, rate 2, precision, confidence level and title (template 153).
class CSampPrec2RatesDlg : public CSampPrecDlg
{
public:
    CSampPrec2RatesDlg() : CSampPrecDlg(Prec2RatesForm()) {}

    void Load(const CSampPrec2Rates& calc)
    {
        m_values[0] = calc.m_rate1;
        m_values[1] = calc.m_rate2;
        m_precision = calc.m_precision;
        m_level = calc.m_level;
    }

    void Store(CSampPrec2Rates& calc) const
    {
        calc.m_rate1 = m_values[0];
        calc.m_rate2 = m_values[1];
        calc.m_precision = m_precision;
        calc.m_level = m_level;
    }
};

const CFieldTable* CSampPrec2Rates::Fields() const
{
    return &Prec2RatesForm().fields;
}

CInputs CSampPrec2Rates::Inputs() const
{
    return PrecisionFormInputs(Prec2RatesForm(), {m_rate1, m_rate2}, m_precision, m_level, GetTitle());
}

CResults CSampPrec2Rates::Results() const
{
    // n = (rate 1 + rate 2) / se^2 per group, se = precision / z (normal approximation).
    const double se = m_precision / kPrecisionZ[m_level];
    const double n = (m_rate1 + m_rate2) / (se * se);
    const std::optional<int32_t> group = TruncSize(n);
    return {SizeResult("sample_size_per_group", "55", group),
            SizeResult("sample_size_total", "", TotalSize(group, group))};
}

bool CSampPrec2Rates::Do()
{
    if (!RunInputDialog<CSampPrec2RatesDlg>(*this))
        return false;
    CWaitCursor wait;
    const CResults results = Results();

    InsertHeading();
    InsertResult(Term(kTermRate) + " 1", Floating(m_rate1, 2), "");
    InsertResult(Term(kTermRate) + " 2", Floating(m_rate2, 2), "");
    InsertResult(Term(kTermPrecision), Floating(m_precision, 2), "");
    InsertResult(Term(kTermConfidenceLevel), LevelText(m_level), "");
    InsertPhrase("\n", kPhrasePlain);
    InsertResult(SizeLabel(results, "sample_size_per_group"), SizeText(results, "sample_size_per_group"),
                 Term(kTermPerGroup));
    InsertResult(SizeLabel(results, "sample_size_total"), SizeText(results, "sample_size_total"), Term(kTermInTotal));
    return true;
}
