// CCompMeanMDZ: whether one sample's mean differs from zero (type "2620"), and the one-sample
// t test from summary statistics that it shares with CCompMeanMDG.
#pragma once

#include "CCalcBase.h"

#include <cstdint>
#include <string>

class CCompMeanMDZ : public CCalcBase
{
    DECLARE_SERIAL(CCompMeanMDZ)
public:
    CCompMeanMDZ() = default;

    void Serialize(CArchive& ar) override;
    bool Do() override;
    const CFieldTable* Fields() const override;
    CInputs Inputs() const override;
    CResults Results() const override;

    int32_t m_level = 0; // confidence level: 0 = 95 %, 1 = 99 %
    double m_mean = 0.0; // sample mean
    double m_sd = 0.0;   // sample standard deviation
    uint32_t m_size = 0; // sample size
};

/// Student's one-sample t test of a mean against a reference value, from the sample's mean, SD
/// and size, with the confidence interval of the mean itself (not of the difference).
struct COneSampleT
{
    double se = 0.0;        // SD / sqrt(size)
    int df = 0;             // size - 1
    double t = 0.0;         // |mean - reference| / se
    double oneTailed = 0.0; // upper tail of t; not a number when df is 0
    double lower = 0.0;     // confidence limits of the mean
    double upper = 0.0;
};

/// Tests `mean` (of a sample of `size` with standard deviation `sd`) against `reference` at
/// the confidence level of index `level` (0 = 95 %, 1 = 99 %).
COneSampleT OneSampleT(double mean, double reference, double sd, uint32_t size, int level);

/// The test as results: the sample's `mean` with its interval at `level` ("95%"), t with its
/// degrees of freedom, and the one- and two-sided probabilities of t.
CResults OneSampleResults(double mean, const COneSampleT& test, const std::string& level);
