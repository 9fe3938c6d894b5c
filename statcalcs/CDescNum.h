// CDescNum: a proportion given as a count and a sample size (type "1120").
// The calculation's inputs as plain fields, stored in the order its document format fixes.
#pragma once

#include "CCalcBase.h"

#include <cstdint>

class CDescNum : public CCalcBase
{
    DECLARE_SERIAL(CDescNum)
public:
    CDescNum() = default;

    void Serialize(CArchive& ar) override;
    bool Do() override;
    const CFieldTable* Fields() const override;
    CInputs Inputs() const override;
    CResults Results() const override;

    int32_t m_level = 0;       // confidence level: 0 = 95 %, 1 = 99 %
    uint32_t m_count = 0;      // count
    uint32_t m_sampleSize = 0; // sample size
};
