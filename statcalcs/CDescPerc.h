// CDescPerc: a proportion given as a percentage of a sample (type "1110").
// The calculation's inputs as plain fields, stored in the order its document format fixes.
#pragma once

#include "CCalcBase.h"

#include <cstdint>

class CDescPerc : public CCalcBase
{
    DECLARE_SERIAL(CDescPerc)
public:
    CDescPerc() = default;

    void Serialize(CArchive& ar) override;
    bool Do() override;
    const CFieldTable* Fields() const override;
    CInputs Inputs() const override;
    CResults Results() const override;

    int32_t m_level = 0;       // confidence level: 0 = 95 %, 1 = 99 %
    double m_percent = 0.0;    // proportion in percent
    uint32_t m_sampleSize = 0; // sample size
};
