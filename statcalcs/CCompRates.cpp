// CCompRates: two incidence rates (type "2500").
// Reads and writes the inputs in their stored order.
#include "CCompRates.h"

#include "CArchive.h"
#include "StoredInputs.h"

IMPLEMENT_SERIAL(CCompRates, CCalcBase, 0)

void CCompRates::Serialize(CArchive& ar)
{
    CCalcBase::Serialize(ar);
    if (ar.IsStoring()) {
        ar << m_level << m_c1 << m_c2 << m_t1 << m_t2;
    } else {
        m_level = ReadLevel(ar);
        ar >> m_c1 >> m_c2 >> m_t1 >> m_t2;
    }
}

bool CCompRates::Do()
{
    // The input dialog and the computation come with the calculation's dialog.
    return false;
}
