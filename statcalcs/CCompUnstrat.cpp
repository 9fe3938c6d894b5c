// CCompUnstrat: analysis of one 2x2 table of exposure by outcome (type "3200").
// Reads and writes a, b, c, d, the level and the Fisher flag as six 32-bit values.
#include "CCompUnstrat.h"

#include "CArchive.h"
#include "StoredInputs.h"

IMPLEMENT_SERIAL(CCompUnstrat, CCalcBase, 0)

void CCompUnstrat::Serialize(CArchive& ar)
{
    CCalcBase::Serialize(ar);
    // The stored order is the document format's, not the order of the fields; the flag is a
    // 32-bit 1 or 0, and any non-zero value reads as set.
    if (ar.IsStoring()) {
        ar << m_a << m_b << m_c << m_d << m_level << static_cast<int32_t>(m_fisher ? 1 : 0);
    } else {
        ar >> m_a >> m_b >> m_c >> m_d;
        m_level = ReadLevel(ar);
        int32_t fisher = 0;
        ar >> fisher;
        m_fisher = fisher != 0;
    }
}

bool CCompUnstrat::Do()
{
    // The input dialog and the computation come with the calculation's dialog.
    return false;
}
