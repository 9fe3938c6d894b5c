// CComp2PropPerc: two proportions given as percentages (type "2110"), and the comparison of two
// independent proportions that it shares with CComp2PropNum.
#pragma once

#include "CCalcBase.h"

#include <cstdint>
#include <string>

class CComp2PropPerc : public CCalcBase
{
    DECLARE_SERIAL(CComp2PropPerc)
public:
    CComp2PropPerc() = default;

    void Serialize(CArchive& ar) override;
    bool Do() override;
    const CFieldTable* Fields() const override;
    CInputs Inputs() const override;
    CResults Results() const override;

    int32_t m_level = 0;     // confidence level: 0 = 95 %, 1 = 99 %
    double m_percent1 = 0.0; // percentage of sample 1
    double m_percent2 = 0.0; // percentage of sample 2
    uint32_t m_size1 = 0;    // size of sample 1
    uint32_t m_size2 = 0;    // size of sample 2
};

/// The difference of two independent proportions with its continuity-corrected interval, and
/// the continuity-corrected normal test of equal proportions (Fleiss, Statistical Methods for
/// Rates and Proportions, ch. 2). All fractions, not percentages.
struct CTwoPropComparison
{
    double difference = 0.0; // |p2 - p1|
    double lower = 0.0;      // confidence limits of the difference, not clamped
    double upper = 0.0;
    double z = 0.0;         // test statistic
    double oneTailed = 0.0; // NormalProb(z); not a number when z is not finite
};

/// Compares p1 of `size1` with p2 of `size2`; `deviate` is the normal deviate of the level.
CTwoPropComparison CompareTwoProportions(double p1, double p2, uint32_t size1, uint32_t size2, double deviate);

/// Appends the comparison as results: the difference in percent with its interval at `level`
/// ("95%"), the z statistic and its one- and two-tailed probabilities.
void AppendComparisonResults(CResults& results, const CTwoPropComparison& comparison, const std::string& level);
