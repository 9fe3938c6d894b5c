// CSampPrec2Rates: the group size that estimates a difference of rates to a given precision (type "4250").
// Its stored inputs, the size and its report, and the input dialog (template 153).
#include "CSampPrec2Rates.h"

#include "CArchive.h"
#include "CSampPrecDlg.h"
#include "SampleTables.h"
#include "StoredInputs.h"

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

/// Input dialog: rate 1, rate 2, precision, confidence level and title (template 153).
class CSampPrec2RatesDlg : public CSampPrecDlg
{
public:
    CSampPrec2RatesDlg() : CSampPrecDlg(Form()) {}

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

private:
    static const CPrecisionForm& Form()
    {
        static const CPrecisionForm form = MakePrecisionForm(153, "Sample - Precision - Two rates",
                                                             {
                                                                 {1062, 1133, "Rate 1:", "48", " 1:", 1000000},
                                                                 {1063, 1137, "Rate 2:", "48", " 2:", 1000000},
                                                             },
                                                             /*valuesPositive=*/false, /*valuesDiffer=*/true);
        return form;
    }
};

bool CSampPrec2Rates::Do()
{
    if (!RunInputDialog<CSampPrec2RatesDlg>(*this))
        return false;
    CWaitCursor wait;
    // n = (rate 1 + rate 2) / se^2 per group, se = precision / z (normal approximation).
    const double se = m_precision / kPrecisionZ[m_level];
    const double n = (m_rate1 + m_rate2) / (se * se);
    const std::optional<int32_t> group = TruncSize(n);

    InsertHeading();
    InsertResult(Term("48") + " 1", Floating(m_rate1, 2), "");
    InsertResult(Term("48") + " 2", Floating(m_rate2, 2), "");
    InsertResult(Term("30"), Floating(m_precision, 2), "");
    InsertResult(Term("06"), LevelText(m_level), "");
    InsertPhrase("\n", kPhrasePlain);
    InsertResult(Term("55"), SizeText(group), Term("02"));
    InsertResult("", TotalText(group, group), Term("03"));
    return true;
}
