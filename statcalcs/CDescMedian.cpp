// CDescMedian: the ranks of a median and of its confidence limits (type "1400").
// Reads and writes the inputs in their stored order.
#include "CDescMedian.h"

#include "CArchive.h"
#include "StoredInputs.h"

IMPLEMENT_SERIAL(CDescMedian, CCalcBase, 0)

void CDescMedian::Serialize(CArchive& ar)
{
    CCalcBase::Serialize(ar);
    if (ar.IsStoring()) {
        ar << m_level << m_sampleSize;
    } else {
        m_level = ReadLevel(ar);
        ar >> m_sampleSize;
    }
}

bool CDescMedian::Do()
{
    // The input dialog and the computation come with the calculation's dialog.
    return false;
}
