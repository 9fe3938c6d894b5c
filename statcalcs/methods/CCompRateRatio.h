// CCompRateRatio: two incidence rates as a ratio (type "2700"): the rate ratio with exact
// conditional, mid-P and Wald limits, the rate difference, and the exact and mid-P tests.
#pragma once

#include "CMethodCalc.h"

#include <cstdint>

class CCompRateRatio : public CMethodCalc
{
    DECLARE_SERIAL(CCompRateRatio)
public:
    /// The rates are printed per 1, 1,000 or 100,000 units of person-time.
    static constexpr double kMultipliers[3] = {1, 1000, 100000};

    CCompRateRatio() = default;

    void Serialize(CArchive& ar) override;
    bool Do() override;
    const CFieldTable* Fields() const override;
    CInputs Inputs() const override;
    CResults Results() const override;

    double m_levelPercent = 95;
    uint32_t m_events1 = 0;
    double m_time1 = 1.0; // person-time, > 0
    uint32_t m_events2 = 0;
    double m_time2 = 1.0;
    int32_t m_per = 1; // index into kMultipliers
};
