// CComp2PropPerc: two proportions given as percentages (type "2110").
// The calculation's inputs as plain fields, stored in the order its document format fixes.
#pragma once

#include "CCalcBase.h"

#include <cstdint>

class CComp2PropPerc : public CCalcBase
{
    DECLARE_SERIAL(CComp2PropPerc)
public:
    CComp2PropPerc() = default;

    void Serialize(CArchive& ar) override;
    bool Do() override;

    int32_t m_level = 0;     // confidence level: 0 = 95 %, 1 = 99 %
    double m_percent1 = 0.0; // percentage of sample 1
    double m_percent2 = 0.0; // percentage of sample 2
    uint32_t m_size1 = 0;    // size of sample 1
    uint32_t m_size2 = 0;    // size of sample 2
};
