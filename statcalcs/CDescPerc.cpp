// CDescPerc: a proportion given as a percentage of a sample (type "1110").
// Reads and writes the inputs in their stored order.
#include "CDescPerc.h"

#include "CArchive.h"
#include "StoredInputs.h"

IMPLEMENT_SERIAL(CDescPerc, CCalcBase, 0)

void CDescPerc::Serialize(CArchive& ar)
{
    CCalcBase::Serialize(ar);
    if (ar.IsStoring()) {
        ar << m_level << m_percent << m_sampleSize;
    } else {
        m_level = ReadLevel(ar);
        ar >> m_percent >> m_sampleSize;
    }
}

bool CDescPerc::Do()
{
    // The input dialog and the computation come with the calculation's dialog.
    return false;
}
