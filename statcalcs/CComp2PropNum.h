// CComp2PropNum: two proportions given as counts and sample sizes (type "2120").
// The calculation's inputs as plain fields, stored in the order its document format fixes.
#pragma once

#include "CCalcBase.h"

#include <cstdint>

class CComp2PropNum : public CCalcBase
{
    DECLARE_SERIAL(CComp2PropNum)
public:
    CComp2PropNum() = default;

    void Serialize(CArchive& ar) override;
    bool Do() override;
    const CFieldTable* Fields() const override;
    CInputs Inputs() const override;
    CResults Results() const override;

    int32_t m_level = 0;   // confidence level: 0 = 95 %, 1 = 99 %
    uint32_t m_count1 = 0; // count of sample 1
    uint32_t m_size1 = 0;  // size of sample 1
    uint32_t m_count2 = 0; // count of sample 2
    uint32_t m_size2 = 0;  // size of sample 2
};
