// CSampSize1Prop: the sample size to show that a proportion differs from a given one (type "4130").
// Reads and writes the inputs in their stored order.
#include "CSampSize1Prop.h"

#include "CArchive.h"
#include "StoredInputs.h"

IMPLEMENT_SERIAL(CSampSize1Prop, CCalcBase, 0)

void CSampSize1Prop::Serialize(CArchive& ar)
{
    CCalcBase::Serialize(ar);
    // The stored order is the document format's, not the order of the fields.
    if (ar.IsStoring()) {
        ar << m_significance << m_nullPercent << m_percent << m_power;
    } else {
        m_significance = ReadChoice(ar, 3);
        ar >> m_nullPercent >> m_percent;
        m_power = ReadChoice(ar, 3);
    }
}

bool CSampSize1Prop::Do()
{
    // The input dialog and the computation come with the calculation's dialog.
    return false;
}
