// CSampSize2Means: the sample size to show that two means differ (type "4140").
// Reads and writes the inputs in their stored order.
#include "CSampSize2Means.h"

#include "CArchive.h"
#include "StoredInputs.h"

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

bool CSampSize2Means::Do()
{
    // The input dialog and the computation come with the calculation's dialog.
    return false;
}
