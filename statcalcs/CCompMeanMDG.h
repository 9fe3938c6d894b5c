// CCompMeanMDG: whether one sample's mean differs from a given mean (type "2630").
// The calculation's inputs as plain fields, stored in the order its document format fixes.
#pragma once

#include "CCalcBase.h"

#include <cstdint>

class CCompMeanMDG : public CCalcBase
{
    DECLARE_SERIAL(CCompMeanMDG)
public:
    CCompMeanMDG() = default;

    void Serialize(CArchive& ar) override;
    bool Do() override;
    const CFieldTable* Fields() const override;
    CInputs Inputs() const override;
    CResults Results() const override;

    int32_t m_level = 0;    // confidence level: 0 = 95 %, 1 = 99 %
    double m_mean = 0.0;    // sample mean
    double m_refMean = 0.0; // reference mean
    double m_sd = 0.0;      // sample standard deviation
    uint32_t m_size = 0;    // sample size
};
