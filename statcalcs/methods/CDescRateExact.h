// CDescRateExact: a rate, events over person-time per 1, 1000 or 100000 units, with its exact,
// mid-P, Byar and normal intervals (type "1500"), at any confidence level.
#pragma once

#include "CMethodCalc.h"

#include <cstdint>

class CDescRateExact : public CMethodCalc
{
    DECLARE_SERIAL(CDescRateExact)
public:
    CDescRateExact() = default;

    void Serialize(CArchive& ar) override;
    bool Do() override;
    const CFieldTable* Fields() const override;
    CInputs Inputs() const override;
    CResults Results() const override;

    /// The rate's unit: person-time units per 1, 1000 or 100000 (the choice's index).
    static double Multiplier(int32_t index);

    double m_level = 95;      // confidence level in percent
    uint32_t m_count = 0;     // events
    double m_personTime = 0;  // person-time, > 0
    int32_t m_multiplier = 1; // 0: per 1, 1: per 1000, 2: per 100000
};
