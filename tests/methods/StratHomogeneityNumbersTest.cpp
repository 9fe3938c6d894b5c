// The summaries and homogeneity tests of stratified 2x2 tables against R's mantelhaen.test,
// published worked examples and a separate Python/scipy implementation, and at their edges.
#include "MantelHaenszel.h"
#include "OddsRatioHomogeneity.h"

#include <cmath>
#include <gtest/gtest.h>
#include <limits>
#include <vector>

namespace
{
using Strata = std::vector<CStratumCounts>;
constexpr double kNaN = std::numeric_limits<double>::quiet_NaN();

/// Reference values of one data set; NaN where a value is not checked.
struct CReference
{
    const char* name;
    Strata strata;
    double z;
    double oddsRatio, orLower, orUpper, chi2, chi2Corrected; // R 4.2.2 mantelhaen.test
    double riskRatio, rrLower, rrUpper;                      // Python, Greenland & Robins (1985)
    double breslowDay, tarone, woolf;                        // scipy 1.10.1 (see below)
};

// Breslow-Day references: brentq (rtol 8.9e-16) on log A (r2 - c1 + A) / ((r1 - A) (c1 - A)) =
// log ORmh for each fitted cell, then the sums of Breslow & Day (1980) and Tarone (1985); Woolf
// (1955) over the strata without a zero cell. z: R's qnorm(0.975), qnorm(0.995).
const std::vector<CReference> kReferences = {
    // Ille-et-Vilaine oesophageal cancer, alcohol >= 80 g/day by six age groups (Breslow & Day
    // 1980, vol. I; R's datasets::esoph). Stratum 1 has c = 0, stratum 6 b = 0.
    {"esoph95",
     {{1, 9, 0, 106}, {4, 26, 5, 164}, {25, 29, 21, 138}, {42, 27, 34, 139}, {19, 18, 36, 88}, {5, 0, 8, 31}},
     1.959963984540054,
     5.15762319407114,
     3.56213053694438,
     7.46774345749810,
     85.0094970347336,
     83.2145301646864,
     2.8877937789484944,
     2.3153666139841995,
     3.601741883711266,
     9.323397092425903,
     9.299329078587272,
     3.644642648338829},
    {"esoph99",
     {{1, 9, 0, 106}, {4, 26, 5, 164}, {25, 29, 21, 138}, {42, 27, 34, 139}, {19, 18, 36, 88}, {5, 0, 8, 31}},
     2.575829303548901,
     5.15762319407114,
     3.17104007844478,
     8.38875458965089,
     kNaN,
     kNaN,
     2.8877937789484944,
     2.1600868835870113,
     3.8606562416995973,
     kNaN,
     kNaN,
     kNaN},
    // Smoking and lung cancer in eight Chinese cities (Liu 1992, in Agresti's Categorical Data
    // Analysis). Published (Stanford ED257 notes): MH OR 2.174, MH RR 1.519, Breslow-Day 5.200
    // on 7 df, p 0.636.
    {"china",
     {{126, 100, 35, 61},
      {908, 688, 497, 807},
      {913, 747, 336, 598},
      {235, 172, 58, 121},
      {402, 308, 121, 215},
      {182, 156, 72, 98},
      {60, 99, 11, 43},
      {104, 89, 21, 36}},
     1.959963984540054,
     2.17448191997937,
     1.98400197428467,
     2.38324945317757,
     280.137537053255,
     279.375740463853,
     1.5191532524841416,
     1.44171504742477,
     1.6007508617291941,
     5.199704846953424,
     5.199671172638819,
     5.1865967220825135},
    // Berkeley admissions by department (R's datasets::UCBAdmissions): an odds ratio below 1.
    {"berkeley",
     {{512, 89, 313, 19},
      {353, 17, 207, 8},
      {120, 202, 205, 391},
      {138, 131, 279, 244},
      {53, 94, 138, 299},
      {22, 24, 351, 317}},
     1.959963984540054,
     0.904696828258623,
     0.77190736175935,
     1.06032976443666,
     1.52460666044344,
     1.42694622858669,
     0.9724070952039637,
     0.930813010802508,
     1.0158598427709717,
     18.825513705235984,
     18.8255012520527,
     17.90171246979722},
    // Twenty strata with cells near 10^9 (a = 1e9 - 7e6 i, b = 3e8 + 1e7 i, c = 2e8 + 3e6 i,
    // d = 9e8 - 2e7 i): Python floats throughout.
    {"billion",
     {},
     1.959963984540054,
     7.20442593810422,
     kNaN,
     kNaN,
     9278429236.398882,
     kNaN,
     2.8719664642573113,
     2.8718910555470187,
     2.8720418749476484,
     392944387.1850218,
     391884467.4435636,
     389550103.2726111},
};

void ExpectRelative(double actual, double expected, const char* what)
{
    if (!std::isnan(expected)) {
        EXPECT_NEAR(actual, expected, std::fabs(expected) * 1e-9) << what;
    }
}
} // namespace

TEST(StratifiedSummary, AgreesWithRPublishedValuesAndAnIndependentComputation)
{
    for (CReference reference : kReferences) {
        SCOPED_TRACE(reference.name);
        if (reference.strata.empty())
            for (int i = 0; i < 20; ++i)
                reference.strata.push_back({1e9 - 7e6 * i, 3e8 + 1e7 * i, 2e8 + 3e6 * i, 9e8 - 2e7 * i});
        const CMantelHaenszel mh = MantelHaenszelSummary(reference.strata, reference.z);
        ExpectRelative(mh.oddsRatio.estimate, reference.oddsRatio, "MH OR");
        ExpectRelative(mh.oddsRatio.lower, reference.orLower, "MH OR lower");
        ExpectRelative(mh.oddsRatio.upper, reference.orUpper, "MH OR upper");
        ExpectRelative(mh.chi2, reference.chi2, "MH chi-square");
        ExpectRelative(mh.chi2Corrected, reference.chi2Corrected, "corrected MH chi-square");
        ExpectRelative(mh.riskRatio.estimate, reference.riskRatio, "MH RR");
        ExpectRelative(mh.riskRatio.lower, reference.rrLower, "MH RR lower");
        ExpectRelative(mh.riskRatio.upper, reference.rrUpper, "MH RR upper");
        const CBreslowDay bd = BreslowDayTest(reference.strata, mh.oddsRatio.estimate);
        ExpectRelative(bd.uncorrected.chi2, reference.breslowDay, "Breslow-Day");
        ExpectRelative(bd.tarone.chi2, reference.tarone, "Breslow-Day-Tarone");
        ExpectRelative(WoolfTest(reference.strata).chi2, reference.woolf, "Woolf");
    }
    // The published Chinese figures to their printed digits, and R's p of the oesophagus test.
    const Strata& china = kReferences[2].strata;
    const CBreslowDay bd = BreslowDayTest(china, MantelHaenszelSummary(china, 1.96).oddsRatio.estimate);
    EXPECT_NEAR(bd.uncorrected.chi2, 5.200, 0.0005);
    EXPECT_NEAR(ChiSquareUpperTail(bd.uncorrected.chi2, bd.uncorrected.df), 0.636, 0.0005);
    EXPECT_NEAR(ChiSquareUpperTail(85.0094970347336, 1), 2.96935424371892e-20, 1e-27);
    // Crude ratios of the pooled oesophagus table (Python: Woolf's and Katz's limits).
    const CRatioEstimate odds = WoolfOddsRatio({96, 109, 104, 666}, 1.959963984540054);
    EXPECT_NEAR(odds.lower, 4.000589250771749, 1e-9);
    EXPECT_NEAR(KatzRiskRatio({96, 109, 104, 666}, 1.959963984540054).upper, 4.366851783834426, 1e-9);
}

TEST(StratifiedSummary, EmptyStrataZeroMarginsAndZeroCellsAreLeftOutNotPoisonous)
{
    const Strata& esoph = kReferences[0].strata;
    Strata padded = esoph;
    padded.insert(padded.begin() + 2, CStratumCounts{0, 0, 0, 0});
    for (const CStratumCounts& t : {CStratumCounts{0, 0, 7, 3}, {4, 9, 0, 0}, {0, 5, 0, 12}, {1, 0, 0, 0}})
        padded.push_back(t); // no exposed, no unexposed, no cases, n = 1
    const CMantelHaenszel plain = MantelHaenszelSummary(esoph, 1.96), mh = MantelHaenszelSummary(padded, 1.96);
    EXPECT_DOUBLE_EQ(mh.oddsRatio.upper, plain.oddsRatio.upper);
    EXPECT_DOUBLE_EQ(mh.riskRatio.lower, plain.riskRatio.lower);
    EXPECT_DOUBLE_EQ(mh.chi2, plain.chi2);
    const CBreslowDay bd = BreslowDayTest(padded, mh.oddsRatio.estimate);
    EXPECT_EQ(bd.tarone.strataUsed, 6);
    EXPECT_EQ(bd.tarone.df, 5);
    EXPECT_EQ(WoolfTest(padded).df, 3);

    // Nothing informative: undefined, not 0. One informative stratum: no homogeneity test.
    const CMantelHaenszel none = MantelHaenszelSummary({{0, 0, 0, 0}, {3, 4, 0, 0}}, 1.96);
    EXPECT_TRUE(std::isnan(none.oddsRatio.estimate) && std::isnan(none.chi2) && std::isnan(none.chi2Corrected));
    EXPECT_TRUE(std::isnan(ChiSquareUpperTail(none.chi2, 1)));
    EXPECT_TRUE(std::isnan(BreslowDayTest({{5, 3, 2, 8}, {0, 4, 0, 6}}, 2).tarone.chi2));
    EXPECT_TRUE(std::isnan(WoolfTest({{2, 4, 3, 6}, {0, 4, 3, 6}}).chi2));
    EXPECT_NEAR(WoolfTest({{2, 4, 3, 6}, {20, 40, 30, 60}, {1, 1, 1, 1}}).chi2, 0, 1e-12);

    // ORmh = RRmh = 0 (no exposed case): no log limits, no Breslow-Day test at a common 0.
    const CMantelHaenszel mh0 = MantelHaenszelSummary({{0, 10, 5, 5}, {0, 8, 3, 9}}, 1.96);
    EXPECT_EQ(mh0.oddsRatio.estimate, 0);
    EXPECT_TRUE(std::isnan(mh0.oddsRatio.lower) && std::isnan(mh0.riskRatio.upper));
    EXPECT_TRUE(std::isnan(BreslowDayTest({{0, 10, 5, 5}, {0, 8, 3, 9}}, 0).uncorrected.chi2));
}

TEST(StratifiedSummary, ContinuityCorrectionNeverExceedsTheDeviation)
{
    // sum a = 5 against sum E = 4.8: the corrected statistic is 0, not (0.2)^2 / V as R's
    // mantelhaen.test gives by leaving the correction out below 0.5.
    const CMantelHaenszel mh = MantelHaenszelSummary({{3, 2, 3, 4}, {2, 3, 2, 3}}, 1.96);
    EXPECT_GT(mh.chi2, 0);
    EXPECT_EQ(mh.chi2Corrected, 0);
    EXPECT_EQ(ChiSquareUpperTail(mh.chi2Corrected, 1), 1);
}

TEST(StratifiedSummary, FittedCellsReproduceTheOddsRatioAtAnyStrength)
{
    // From psi near 0 to near infinity and across psi = 1, where the quadratic turns linear.
    // At extreme psi the cell lies a tiny relative gap from a bound, and that gap carries the odds
    // ratio: it is then good to 1e-6.
    for (const double psi : {1e-9, 0.01, 0.5, 1 - 1e-13, 1.0, 1 + 1e-13, 3.0, 1e4, 1e9}) {
        for (const CStratumCounts& t : {CStratumCounts{5, 7, 9, 30}, {1, 0, 0, 1}, {4e8, 1e9, 1e9, 2e8}}) {
            const double r1 = t.a + t.b, r2 = t.c + t.d, c1 = t.a + t.c;
            const double fitted = FittedCell(r1, r2, c1, psi);
            ASSERT_GE(fitted, std::max(0.0, c1 - r2)) << psi;
            ASSERT_LE(fitted, std::min(r1, c1)) << psi;
            const double odds = fitted * (r2 - c1 + fitted) / ((r1 - fitted) * (c1 - fitted));
            EXPECT_NEAR(odds / psi, 1, psi >= 0.01 && psi <= 1e4 ? 1e-9 : 1e-6) << "psi " << psi << " r1 " << r1;
        }
    }
    EXPECT_TRUE(std::isnan(FittedCell(10, 0, 5, 2)));
}
