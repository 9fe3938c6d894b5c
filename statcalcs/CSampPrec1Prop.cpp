// CSampPrec1Prop: the sample size that estimates a proportion to a given precision (type "4230").
// Reads and writes the inputs in their stored order.
#include "CSampPrec1Prop.h"

#include "CArchive.h"
#include "StoredInputs.h"

IMPLEMENT_SERIAL(CSampPrec1Prop, CCalcBase, 0)

void CSampPrec1Prop::Serialize(CArchive& ar)
{
    CCalcBase::Serialize(ar);
    if (ar.IsStoring()) {
        ar << m_level << m_percent << m_precision;
    } else {
        m_level = ReadLevel(ar);
        ar >> m_percent >> m_precision;
    }
}

bool CSampPrec1Prop::Do()
{
    // The input dialog and the computation come with the calculation's dialog.
    return false;
}
