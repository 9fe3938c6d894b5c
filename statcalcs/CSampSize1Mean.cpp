// CSampSize1Mean: the sample size to show that a mean differs from a given one (type "4110").
// Reads and writes the inputs in their stored order.
#include "CSampSize1Mean.h"

#include "CArchive.h"
#include "StoredInputs.h"

IMPLEMENT_SERIAL(CSampSize1Mean, CCalcBase, 0)

void CSampSize1Mean::Serialize(CArchive& ar)
{
    CCalcBase::Serialize(ar);
    // The stored order is the document format's, not the order of the fields.
    if (ar.IsStoring()) {
        ar << m_significance << m_mean << m_nullMean << m_power << m_sd;
    } else {
        m_significance = ReadChoice(ar, 3);
        ar >> m_mean >> m_nullMean;
        m_power = ReadChoice(ar, 3);
        ar >> m_sd;
    }
}

bool CSampSize1Mean::Do()
{
    // The input dialog and the computation come with the calculation's dialog.
    return false;
}
