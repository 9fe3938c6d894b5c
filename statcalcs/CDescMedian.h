// CDescMedian: the ranks of a median and of its confidence limits (type "1400").
// The calculation's inputs as plain fields, stored in the order its document format fixes.
#pragma once

#include "CCalcBase.h"

#include <cstdint>

class CDescMedian : public CCalcBase
{
    DECLARE_SERIAL(CDescMedian)
public:
    CDescMedian() = default;

    void Serialize(CArchive& ar) override;
    bool Do() override;
    const CFieldTable* Fields() const override;
    CInputs Inputs() const override;
    CResults Results() const override;

    int32_t m_level = 0;       // confidence level: 0 = 95 %, 1 = 99 %
    uint32_t m_sampleSize = 0; // sample size
};
