// CSampPrec2Props: the group size that estimates a difference of proportions to a given precision (type "4260").
// Reads and writes the inputs in their stored order.
#include "CSampPrec2Props.h"

#include "CArchive.h"
#include "StoredInputs.h"

IMPLEMENT_SERIAL(CSampPrec2Props, CCalcBase, 0)

void CSampPrec2Props::Serialize(CArchive& ar)
{
    CCalcBase::Serialize(ar);
    if (ar.IsStoring()) {
        ar << m_level << m_percent1 << m_percent2 << m_precision;
    } else {
        m_level = ReadLevel(ar);
        ar >> m_percent1 >> m_percent2 >> m_precision;
    }
}

bool CSampPrec2Props::Do()
{
    // The input dialog and the computation come with the calculation's dialog.
    return false;
}
