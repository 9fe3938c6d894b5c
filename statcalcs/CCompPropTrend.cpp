// CCompPropTrend: chi-square test for a linear trend in proportions over scored groups
// (type "2300"). Reads and writes the group count, then each group.
#include "CCompPropTrend.h"

#include "CArchive.h"
#include "StoredInputs.h"

IMPLEMENT_SERIAL(CCompPropTrend, CCalcBase, 0)

void CCompPropTrend::Serialize(CArchive& ar)
{
    CCalcBase::Serialize(ar);
    // Each group is stored as not ill, ill, score: the document format's order, not the fields'.
    if (ar.IsStoring()) {
        ar << static_cast<int32_t>(m_rows.size());
        for (const CTrendRow& row : m_rows)
            ar << row.notIll << row.ill << row.score;
    } else {
        const int32_t count = ReadRowCount(ar, 4 + 4 + 8);
        std::vector<CTrendRow> rows(static_cast<size_t>(count));
        for (CTrendRow& row : rows)
            ar >> row.notIll >> row.ill >> row.score;
        m_rows = std::move(rows);
    }
}

bool CCompPropTrend::Do()
{
    // The input dialog and the computation come with the calculation's dialog.
    return false;
}
