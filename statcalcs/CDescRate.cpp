// CDescRate: a rate per 1000 units of person-time (type "1200").
// Reads and writes the inputs in their stored order.
#include "CDescRate.h"

#include "CArchive.h"
#include "StoredInputs.h"

IMPLEMENT_SERIAL(CDescRate, CCalcBase, 0)

void CDescRate::Serialize(CArchive& ar)
{
    CCalcBase::Serialize(ar);
    if (ar.IsStoring()) {
        ar << m_level << m_count << m_personTime;
    } else {
        m_level = ReadLevel(ar);
        ar >> m_count >> m_personTime;
    }
}

bool CDescRate::Do()
{
    // The input dialog and the computation come with the calculation's dialog.
    return false;
}
