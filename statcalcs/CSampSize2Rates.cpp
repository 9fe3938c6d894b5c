// CSampSize2Rates: the sample size to show that two rates differ (type "4150").
// Reads and writes the inputs in their stored order.
#include "CSampSize2Rates.h"

#include "CArchive.h"
#include "StoredInputs.h"

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

bool CSampSize2Rates::Do()
{
    // The input dialog and the computation come with the calculation's dialog.
    return false;
}
