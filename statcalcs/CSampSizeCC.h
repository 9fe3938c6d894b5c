// CSampSizeCC: the size of a case-control study that detects a given odds ratio (type "4170").
// The calculation's inputs as plain fields, stored in the order its document format fixes.
#pragma once

#include "CCalcBase.h"

#include <cstdint>

class CSampSizeCC : public CCalcBase
{
    DECLARE_SERIAL(CSampSizeCC)
public:
    CSampSizeCC() = default;

    void Serialize(CArchive& ar) override;
    bool Do() override;
    const CFieldTable* Fields() const override;
    CInputs Inputs() const override;
    CResults Results() const override;

    int32_t m_significance = 1;    // significance: 0.10, 0.05, 0.02, 0.01 (index 0 to 3)
    int32_t m_power = 0;           // power: 80 %, 90 %, 95 %, 99 % (index 0 to 3)
    uint32_t m_ratio = 1;          // controls per case, 1 to 10
    double m_oddsRatio = 0.0;      // odds ratio to detect
    double m_percentExposed = 0.0; // proportion of controls exposed, in percent
};
