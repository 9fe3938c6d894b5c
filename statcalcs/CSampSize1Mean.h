// CSampSize1Mean: the sample size to show that a mean differs from a given one (type "4110").
// The calculation's inputs as plain fields, stored in the order its document format fixes.
#pragma once

#include "CCalcBase.h"

#include <cstdint>

class CSampSize1Mean : public CCalcBase
{
    DECLARE_SERIAL(CSampSize1Mean)
public:
    CSampSize1Mean() = default;

    void Serialize(CArchive& ar) override;
    bool Do() override;
    const CFieldTable* Fields() const override;
    CInputs Inputs() const override;
    CResults Results() const override;

    int32_t m_significance = 1; // significance: 0.10, 0.05, 0.02, 0.01 (index 0 to 3)
    int32_t m_power = 0;        // power: 80 %, 90 %, 95 %, 99 % (index 0 to 3)
    double m_mean = 0.0;        // mean
    double m_nullMean = 0.0;    // null-hypothesis mean
    double m_sd = 0.0;          // standard deviation
};
