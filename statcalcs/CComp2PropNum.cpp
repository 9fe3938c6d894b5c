// CComp2PropNum: two proportions given as counts and sample sizes (type "2120").
// Reads and writes the inputs in their stored order.
#include "CComp2PropNum.h"

#include "CArchive.h"
#include "StoredInputs.h"

IMPLEMENT_SERIAL(CComp2PropNum, CCalcBase, 0)

void CComp2PropNum::Serialize(CArchive& ar)
{
    CCalcBase::Serialize(ar);
    // The stored order is the document format's, not the order of the fields.
    if (ar.IsStoring()) {
        ar << m_level << m_size1 << m_size2 << m_count1 << m_count2;
    } else {
        m_level = ReadLevel(ar);
        ar >> m_size1 >> m_size2 >> m_count1 >> m_count2;
    }
}

bool CComp2PropNum::Do()
{
    // The input dialog and the computation come with the calculation's dialog.
    return false;
}
