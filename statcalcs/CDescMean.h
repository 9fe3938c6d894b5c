// CDescMean: a mean with its t interval (type "1300").
// The calculation's inputs as plain fields, stored in the order its document format fixes.
#pragma once

#include "CCalcBase.h"

#include <cstdint>

class CDescMean : public CCalcBase
{
    DECLARE_SERIAL(CDescMean)
public:
    CDescMean() = default;

    void Serialize(CArchive& ar) override;
    bool Do() override;
    const CFieldTable* Fields() const override;
    CInputs Inputs() const override;
    CResults Results() const override;

    int32_t m_level = 0;       // confidence level: 0 = 95 %, 1 = 99 %
    double m_mean = 0.0;       // sample mean
    double m_sd = 0.0;         // sample standard deviation
    uint32_t m_sampleSize = 0; // sample size
};
