// CDescPropIntervals: a proportion x of n with its exact, mid-P, score and adjusted Wald
// intervals side by side (type "1130"), at any confidence level.
#pragma once

#include "CMethodCalc.h"

#include <cstdint>

class CDescPropIntervals : public CMethodCalc
{
    DECLARE_SERIAL(CDescPropIntervals)
public:
    CDescPropIntervals() = default;

    void Serialize(CArchive& ar) override;
    bool Do() override;
    const CFieldTable* Fields() const override;
    CInputs Inputs() const override;
    CResults Results() const override;

    double m_level = 95;       // confidence level in percent
    uint32_t m_count = 0;      // successes
    uint32_t m_sampleSize = 0; // trials
};
