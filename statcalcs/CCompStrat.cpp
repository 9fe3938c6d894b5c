// CCompStrat: analysis of stratified 2x2 tables with Mantel-Haenszel summaries (type "3300").
// Reads and writes the stratum count, the level, then each stratum's cells and title.
#include "CCompStrat.h"

#include "CArchive.h"
#include "Format.h"
#include "Profile.h"
#include "StoredInputs.h"

IMPLEMENT_SERIAL(CCompStrat, CCalcBase, 0)

CCompStrat::CCompStrat()
{
    CStratum first;
    first.title = NewStratumTitle(1);
    m_strata.push_back(first);
}

std::string CCompStrat::NewStratumTitle(int number)
{
    return Format("%s %d", GetProfileString("Terms", "62", "62").c_str(), number);
}

void CCompStrat::Serialize(CArchive& ar)
{
    CCalcBase::Serialize(ar);
    if (ar.IsStoring()) {
        ar << static_cast<uint32_t>(m_strata.size()) << m_level;
        for (const CStratum& stratum : m_strata)
            ar << stratum.a << stratum.b << stratum.c << stratum.d << stratum.title;
    } else {
        // A stratum is four counts and a title of at least its one-byte length prefix. The
        // dialog always shows stratum 0, so a count of 0 is refused.
        const uint32_t count = ReadRecordCount(ar, 4 * 4 + 1, false);
        m_level = ReadLevel(ar);
        std::vector<CStratum> strata(count);
        for (CStratum& stratum : strata)
            ar >> stratum.a >> stratum.b >> stratum.c >> stratum.d >> stratum.title;
        m_strata = std::move(strata);
    }
}

bool CCompStrat::Do()
{
    // The input dialog and the computation come with the calculation's dialog.
    return false;
}
