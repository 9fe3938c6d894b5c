// CCompMeans2: the means of two independent samples (pooled-variance t test) (type "2610").
// The calculation's inputs as plain fields, stored in the order its document format fixes.
#pragma once

#include "CCalcBase.h"

#include <cstdint>

class CCompMeans2 : public CCalcBase
{
    DECLARE_SERIAL(CCompMeans2)
public:
    CCompMeans2() = default;

    void Serialize(CArchive& ar) override;
    bool Do() override;
    const CFieldTable* Fields() const override;
    CInputs Inputs() const override;
    CResults Results() const override;

    int32_t m_level = 0;  // confidence level: 0 = 95 %, 1 = 99 %
    double m_mean1 = 0.0; // mean of sample 1
    double m_mean2 = 0.0; // mean of sample 2
    double m_sd1 = 0.0;   // standard deviation of sample 1
    double m_sd2 = 0.0;   // standard deviation of sample 2
    uint32_t m_size1 = 0; // size of sample 1
    uint32_t m_size2 = 0; // size of sample 2
};
