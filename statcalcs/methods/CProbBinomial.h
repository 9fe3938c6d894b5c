// CProbBinomial: probabilities of a binomial count (type "5400"): the point and tail
// probabilities of x successes in n trials, the exact two-sided p-value of x, and the exact
// interval of the proportion x / n.
#pragma once

#include "CMethodCalc.h"

class CProbBinomial : public CMethodCalc
{
    DECLARE_SERIAL(CProbBinomial)
public:
    CProbBinomial() = default;

    void Serialize(CArchive& ar) override;
    bool Do() override;
    const CFieldTable* Fields() const override;
    CInputs Inputs() const override;
    CResults Results() const override;

    double m_trials = 10;       // n, whole, 1 to 10^9
    double m_probability = 0.5; // probability of a success, 0 to 1
    double m_successes = 0;     // x, whole, 0 to n
    double m_level = 95;        // confidence level of the interval, in percent
};
