// CSampSizeCC: the size of a case-control study that detects a given odds ratio (type "4170").
// Reads and writes the inputs in their stored order.
#include "CSampSizeCC.h"

#include "CArchive.h"
#include "StoredInputs.h"

IMPLEMENT_SERIAL(CSampSizeCC, CCalcBase, 0)

void CSampSizeCC::Serialize(CArchive& ar)
{
    CCalcBase::Serialize(ar);
    // The stored order is the document format's, not the order of the fields.
    if (ar.IsStoring()) {
        ar << m_significance << m_oddsRatio << m_percentExposed << m_power << m_ratio;
    } else {
        m_significance = ReadChoice(ar, 3);
        ar >> m_oddsRatio >> m_percentExposed;
        m_power = ReadChoice(ar, 3);
        ar >> m_ratio;
    }
}

bool CSampSizeCC::Do()
{
    // The input dialog and the computation come with the calculation's dialog.
    return false;
}
