// CSampSize2Props: the sample size to show that two proportions differ (type "4160").
// The calculation's inputs as plain fields, stored in the order its document format fixes.
#pragma once

#include "CCalcBase.h"

#include <cstdint>

class CSampSize2Props : public CCalcBase
{
    DECLARE_SERIAL(CSampSize2Props)
public:
    CSampSize2Props() = default;

    void Serialize(CArchive& ar) override;
    bool Do() override;
    const CFieldTable* Fields() const override;
    CInputs Inputs() const override;
    CResults Results() const override;

    int32_t m_significance = 1; // significance: 0.10, 0.05, 0.02, 0.01 (index 0 to 3)
    int32_t m_power = 0;        // power: 80 %, 90 %, 95 %, 99 % (index 0 to 3)
    double m_percent1 = 0.0;    // proportion 1 in percent
    double m_percent2 = 0.0;    // proportion 2 in percent
};
