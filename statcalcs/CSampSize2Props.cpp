// CSampSize2Props: the sample size to show that two proportions differ (type "4160").
// Reads and writes the inputs in their stored order.
#include "CSampSize2Props.h"

#include "CArchive.h"
#include "StoredInputs.h"

IMPLEMENT_SERIAL(CSampSize2Props, CCalcBase, 0)

void CSampSize2Props::Serialize(CArchive& ar)
{
    CCalcBase::Serialize(ar);
    // The stored order is the document format's, not the order of the fields.
    if (ar.IsStoring()) {
        ar << m_significance << m_percent1 << m_percent2 << m_power;
    } else {
        m_significance = ReadChoice(ar, 3);
        ar >> m_percent1 >> m_percent2;
        m_power = ReadChoice(ar, 3);
    }
}

bool CSampSize2Props::Do()
{
    // The input dialog and the computation come with the calculation's dialog.
    return false;
}
