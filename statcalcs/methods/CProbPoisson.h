// CProbPoisson: probabilities of a Poisson count (type "5500"): the point and tail probabilities
// of x events when the mean is given, the exact two-sided p-value of x, and the exact interval
// of the mean from x.
#pragma once

#include "CMethodCalc.h"

class CProbPoisson : public CMethodCalc
{
    DECLARE_SERIAL(CProbPoisson)
public:
    CProbPoisson() = default;

    void Serialize(CArchive& ar) override;
    bool Do() override;
    const CFieldTable* Fields() const override;
    CInputs Inputs() const override;
    CResults Results() const override;

    double m_mean = 1;   // the expected count, greater than 0, up to 10^9
    double m_events = 0; // x, whole, 0 to 10^9
    double m_level = 95; // confidence level of the interval, in percent
};
