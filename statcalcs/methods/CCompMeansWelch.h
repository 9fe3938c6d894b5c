// CCompMeansWelch: two means with unequal variances (type "2640"): Welch's t test and the
// interval of the difference from each group's size, mean and standard deviation.
#pragma once

#include "CMethodCalc.h"

#include <cstdint>

class CCompMeansWelch : public CMethodCalc
{
    DECLARE_SERIAL(CCompMeansWelch)
public:
    CCompMeansWelch() = default;

    void Serialize(CArchive& ar) override;
    bool Do() override;
    const CFieldTable* Fields() const override;
    CInputs Inputs() const override;
    CResults Results() const override;

    double m_levelPercent = 95;
    double m_mean1 = 0.0;
    double m_sd1 = 1.0;
    uint32_t m_n1 = 2;
    double m_mean2 = 0.0;
    double m_sd2 = 1.0;
    uint32_t m_n2 = 2;
};
