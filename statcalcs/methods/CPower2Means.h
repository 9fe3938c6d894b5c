// CPower2Means: the power of comparing two means with a common standard deviation and given
// group sizes (type "4420"), by Student's t and by the normal approximation, and the difference
// that a target power detects.
#pragma once

#include "CMethodCalc.h"

class CPower2Means : public CMethodCalc
{
    DECLARE_SERIAL(CPower2Means)
public:
    CPower2Means() = default;

    void Serialize(CArchive& ar) override;
    bool Do() override;
    const CFieldTable* Fields() const override;
    CInputs Inputs() const override;
    CResults Results() const override;

    double m_difference = 0;   // the difference of the means to detect
    double m_sd = 1;           // the common standard deviation, above 0
    double m_size1 = 20;       // size of group 1, whole
    double m_size2 = 20;       // size of group 2, whole
    double m_targetPower = 80; // the power the detectable difference reaches, in percent
    double m_level = 95;       // confidence level of the two-sided test, in percent
};
