// CCompStratHomog: stratified 2x2 tables with tests of homogeneity (type "3500"). Up to 20 strata
// entered as rows of a list, and any confidence level.
#pragma once

#include "CMethodCalc.h"

#include <cstdint>
#include <vector>

/// One stratum: exposed with (a) and without (b) the outcome, unexposed with (c) and without (d).
struct CHomogStratum
{
    uint32_t a = 0;
    uint32_t b = 0;
    uint32_t c = 0;
    uint32_t d = 0;

    bool operator==(const CHomogStratum&) const = default;
};

class CCompStratHomog : public CMethodCalc
{
    DECLARE_SERIAL(CCompStratHomog)
public:
    CCompStratHomog() = default;

    void Serialize(CArchive& ar) override;
    bool Do() override;
    const CFieldTable* Fields() const override;
    CInputs Inputs() const override;
    /// The crude and Mantel-Haenszel odds and risk ratios, the Mantel-Haenszel chi-square without
    /// and with the continuity correction, Breslow and Day's test with and without Tarone's
    /// correction, Woolf's test, and the counts of strata the tests left out (only when some were).
    CResults Results() const override;

    /// The most strata the dialog takes and a document may hold.
    static constexpr int kMaxStrata = 20;

    std::vector<CHomogStratum> m_strata;
    double m_levelPercent = 95;

private:
    /// The short table of the strata: their cells, odds ratio and risk ratio, and the crude row.
    void ReportStrata();
    /// The result `key`, when the results hold it, with the numbers of the strata it counts.
    void InsertLeftOut(const CResults& results, const char* key, const std::vector<int>& numbers);
};
