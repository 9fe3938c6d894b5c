// CSampSizeFormulas: the sample size to compare two proportions by three formulas (type "4180"):
// Kelsey's, Fleiss', and Fleiss' with the continuity correction, for any level, power and ratio
// of the group sizes, each size rounded up to a whole subject.
#pragma once

#include "CMethodCalc.h"

class CSampSizeFormulas : public CMethodCalc
{
    DECLARE_SERIAL(CSampSizeFormulas)
public:
    CSampSizeFormulas() = default;

    void Serialize(CArchive& ar) override;
    bool Do() override;
    const CFieldTable* Fields() const override;
    CInputs Inputs() const override;
    CResults Results() const override;

    double m_percent1 = 0; // proportion of group 1, in percent
    double m_percent2 = 0; // proportion of group 2, in percent
    double m_power = 80;   // power, in percent
    double m_ratio = 1;    // size of group 2 per subject of group 1
    double m_level = 95;   // confidence level of the two-sided test, in percent
};
