// CComp2PropPerc: two proportions given as percentages (type "2110").
// Reads and writes the inputs in their stored order.
#include "CComp2PropPerc.h"

#include "CArchive.h"
#include "StoredInputs.h"

IMPLEMENT_SERIAL(CComp2PropPerc, CCalcBase, 0)

void CComp2PropPerc::Serialize(CArchive& ar)
{
    CCalcBase::Serialize(ar);
    if (ar.IsStoring()) {
        ar << m_level << m_percent1 << m_percent2 << m_size1 << m_size2;
    } else {
        m_level = ReadLevel(ar);
        ar >> m_percent1 >> m_percent2 >> m_size1 >> m_size2;
    }
}

bool CComp2PropPerc::Do()
{
    // The input dialog and the computation come with the calculation's dialog.
    return false;
}
