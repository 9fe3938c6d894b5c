// CSampPrec1Mean: the sample size that estimates a mean to a given precision (type "4210").
// Its stored inputs, the size and its report, and the input dialog (template 150).
#include "CSampPrec1Mean.h"

#include "CArchive.h"
#include "CSampPrecDlg.h"
#include "SampleTables.h"
#include "StoredInputs.h"
#include "Terms.h"

#include <cmath>

IMPLEMENT_SERIAL(CSampPrec1Mean, CCalcBase, 0)

void CSampPrec1Mean::Serialize(CArchive& ar)
{
    CCalcBase::Serialize(ar);
    if (ar.IsStoring()) {
        ar << m_level << m_precision << m_sd;
    } else {
        m_level = ReadLevel(ar);
        ar >> m_precision >> m_sd;
    }
}

namespace
{
/// The form of the input dialog, which also gives the calculation its field table.
const CPrecisionForm& Prec1MeanForm()
{
    static const CPrecisionForm form = MakePrecisionForm(150, "Sample - Precision - Single mean",
                                                         {
                                                             {1028, 1110, "SD:", "58", ":", 1000000, "sd"},
                                                         },
                                                         /*valuesPositive=*/true, /*valuesDiffer=*/false);
    return form;
}
} // namespace

/// Input dialog: SD, precision, confidence level and title (template 150).
class CSampPrec1MeanDlg : public CSampPrecDlg
{
public:
    CSampPrec1MeanDlg() : CSampPrecDlg(Prec1MeanForm()) {}

    void Load(const CSampPrec1Mean& calc)
    {
        m_values[0] = calc.m_sd;
        m_precision = calc.m_precision;
        m_level = calc.m_level;
    }

    void Store(CSampPrec1Mean& calc) const
    {
        calc.m_sd = m_values[0];
        calc.m_precision = m_precision;
        calc.m_level = m_level;
    }
};

const CFieldTable* CSampPrec1Mean::Fields() const
{
    return &Prec1MeanForm().fields;
}

CInputs CSampPrec1Mean::Inputs() const
{
    return PrecisionFormInputs(Prec1MeanForm(), {m_sd}, m_precision, m_level, GetTitle());
}

CResults CSampPrec1Mean::Results() const
{
    // n = SD^2 / se^2 with se = precision / z (normal approximation).
    const double se = m_precision / kPrecisionZ[m_level];
    const double n = m_sd * m_sd / (se * se);
    return {SizeResult("sample_size", "55", TruncSize(n))};
}

bool CSampPrec1Mean::Do()
{
    if (!RunInputDialog<CSampPrec1MeanDlg>(*this))
        return false;
    CWaitCursor wait;
    const CResults results = Results();

    InsertHeading();
    InsertResult(Term(kTermStandardDeviation), Floating(m_sd, 2), "");
    InsertResult(Term(kTermPrecision), Floating(m_precision, 2), "");
    InsertResult(Term(kTermConfidenceLevel), LevelText(m_level), "");
    InsertPhrase("\n", kPhrasePlain);
    InsertResult(SizeLabel(results, "sample_size"), SizeText(results, "sample_size"), "");
    return true;
}
