// CSampSize2Rates: the sample size to show that two rates differ (type "4150").
// Its stored inputs, the size and its report, and the input dialog (template 145).
#include "CSampSize2Rates.h"

#include "CArchive.h"
#include "CSampSizeDlg.h"
#include "SampleTables.h"
#include "StoredInputs.h"

#include <cmath>

IMPLEMENT_SERIAL(CSampSize2Rates, CCalcBase, 0)

void CSampSize2Rates::Serialize(CArchive& ar)
{
    CCalcBase::Serialize(ar);
    if (ar.IsStoring()) {
        ar << m_significance << m_power << m_rate1 << m_rate2;
    } else {
        m_significance = ReadChoice(ar, 3);
        m_power = ReadChoice(ar, 3);
        ar >> m_rate1 >> m_rate2;
    }
}

/// Input dialog: rate 1, rate 2, significance, power and title (template 145); it keeps its template caption.
class CSampSize2RatesDlg : public CSampSizeDlg
{
public:
    CSampSize2RatesDlg() : CSampSizeDlg(Form()) {}

    void Load(const CSampSize2Rates& calc)
    {
        m_values[0] = calc.m_rate1;
        m_values[1] = calc.m_rate2;
        m_significance = calc.m_significance;
        m_power = calc.m_power;
    }

    void Store(CSampSize2Rates& calc) const
    {
        calc.m_rate1 = m_values[0];
        calc.m_rate2 = m_values[1];
        calc.m_significance = m_significance;
        calc.m_power = m_power;
    }

private:
    static const CSizeForm& Form()
    {
        static const CSizeForm form = MakeSizeForm(145, "Sample - Size - Two rates",
                                                   {
                                                       {1062, 1133, "Rate 1:", "48", " 1:", 1000000},
                                                       {1063, 1137, "Rate 2:", "48", " 2:", 1000000},
                                                   },
                                                   kKeepCaption);
        return form;
    }
};

bool CSampSize2Rates::Do()
{
    if (!RunInputDialog<CSampSize2RatesDlg>(*this))
        return false;
    CWaitCursor wait;
    // n = (z_beta + z_alpha)^2 (r1 + r2) / (r1 - r2)^2 per group (normal approximation).
    const double z = kZBeta[m_power] + kZAlpha[m_significance];
    const double n = std::pow(z, 2) * (m_rate1 + m_rate2) / std::pow(m_rate1 - m_rate2, 2);
    const std::optional<int32_t> group = TruncSize(n);

    InsertHeading();
    InsertResult(Term("48") + " 1", Floating(m_rate1, 2), "");
    InsertResult(Term("48") + " 2", Floating(m_rate2, 2), "");
    InsertResult(Term("60"), SignificanceText(m_significance), "");
    InsertResult(Term("29"), PowerText(m_power), "");
    InsertPhrase("\n", kPhrasePlain);
    InsertResult(Term("55"), SizeText(group), Term("02"));
    InsertResult("", TotalText(group, group), Term("03"));
    return true;
}
