// The common base of the calculation tree's nodes.
#include "CCalcNodeBase.h"

#include "CArchive.h"

IMPLEMENT_SERIAL(CCalcNodeBase, CObject, 0)

CCalcNodeBase::CCalcNodeBase() : m_label("Unlabelled")
{}

void CCalcNodeBase::SetType(int digit0, int digit1, int digit2, int digit3)
{
    m_type.SetType(digit0, digit1, digit2, digit3);
}

void CCalcNodeBase::Serialize(CArchive& ar)
{
    m_type.Serialize(ar);
    if (ar.IsStoring()) {
        ar << m_label;
        return;
    }
    if (!m_type.IsValid())
        throw CArchiveException("node type out of range");
    ar >> m_label;
}
