// CSampSize1Rate: the sample size to show that a rate differs from a given one (type "4120").
// Reads and writes the inputs in their stored order.
#include "CSampSize1Rate.h"

#include "CArchive.h"
#include "StoredInputs.h"

IMPLEMENT_SERIAL(CSampSize1Rate, CCalcBase, 0)

void CSampSize1Rate::Serialize(CArchive& ar)
{
    CCalcBase::Serialize(ar);
    // The stored order is the document format's, not the order of the fields.
    if (ar.IsStoring()) {
        ar << m_significance << m_nullRate << m_power << m_rate;
    } else {
        m_significance = ReadChoice(ar, 3);
        ar >> m_nullRate;
        m_power = ReadChoice(ar, 3);
        ar >> m_rate;
    }
}

bool CSampSize1Rate::Do()
{
    // The input dialog and the computation come with the calculation's dialog.
    return false;
}
