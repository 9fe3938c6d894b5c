// The summaries and homogeneity tests of stratified 2x2 tables against R's mantelhaen.test,
// published worked examples and an independent scipy implementation of Breslow and Day's test.
#include "MantelHaenszel.h"
#include "OddsRatioHomogeneity.h"

#include <cmath>
#include <gtest/gtest.h>
#include <vector>

namespace
{
using Strata = std::vector<CStratumCounts>;

// Ille-et-Vilaine oesophageal cancer, alcohol 80 g/day or more by six age groups (Breslow & Day
// 1980, vol. I; R's datasets::esoph): a, b exposed cases and controls, c, d unexposed. Stratum 1
// has c = 0 and stratum 6 has b = 0.
const Strata kOesophagus = {{1, 9, 0, 106},    {4, 26, 5, 164},  {25, 29, 21, 138},
                            {42, 27, 34, 139}, {19, 18, 36, 88}, {5, 0, 8, 31}};

// Smoking and lung cancer in eight Chinese cities (Liu 1992, as analysed in Agresti's
// Categorical Data Analysis): smokers' cases and controls, then non-smokers'.
const Strata kChina = {{126, 100, 35, 61},   {908, 688, 497, 807}, {913, 747, 336, 598}, {235, 172, 58, 121},
                       {402, 308, 121, 215}, {182, 156, 72, 98},   {60, 99, 11, 43},     {104, 89, 21, 36}};

// Smoking and cervical cancer by number of partners; tetracycline and tooth discolouring by age
// (P8120 course notes, Columbia Mailman School, whose Breslow-Day values are quoted below).
const Strata kCervical = {{12, 21, 25, 118}, {96, 148, 92, 150}};
const Strata kTeeth = {{4, 6, 68, 94}, {30, 25, 12, 17}};

// Berkeley graduate admissions by department (R's datasets::UCBAdmissions): admitted men and
// women, then rejected men and women.
const Strata kBerkeley = {{512, 89, 313, 19},   {353, 17, 207, 8},  {120, 202, 205, 391},
                          {138, 131, 279, 244}, {53, 94, 138, 299}, {22, 24, 351, 317}};

const double kZ95 = 1.959963984540054; // R: qnorm(0.975)
const double kZ99 = 2.575829303548901; // R: qnorm(0.995)
const double kZ90 = 1.644853626951472; // R: qnorm(0.95)

void ExpectRelative(double actual, double expected, double relative = 1e-9)
{
    EXPECT_NEAR(actual, expected, std::fabs(expected) * relative) << "expected " << expected;
}

void ExpectRatio(const CRatioEstimate& r, double estimate, double lower, double upper, double relative = 1e-9)
{
    ExpectRelative(r.estimate, estimate, relative);
    ExpectRelative(r.lower, lower, relative);
    ExpectRelative(r.upper, upper, relative);
}
} // namespace

TEST(MantelHaenszel, OddsRatioLimitsAndChiSquaresAgreeWithR)
{
    // R 4.2.2: mantelhaen.test(x) and mantelhaen.test(x, correct = FALSE) on the esoph strata:
    // estimate, conf.int (and with conf.level = 0.99), statistic.
    CMantelHaenszel mh = MantelHaenszelSummary(kOesophagus, kZ95);
    ExpectRatio(mh.oddsRatio, 5.15762319407114, 3.56213053694438, 7.46774345749810);
    ExpectRelative(mh.chi2, 85.0094970347336);
    ExpectRelative(mh.chi2Corrected, 83.2145301646864);
    ExpectRelative(ChiSquareUpperTail(mh.chi2, 1), 2.96935424371892e-20, 1e-7);
    ExpectRatio(MantelHaenszelSummary(kOesophagus, kZ99).oddsRatio, 5.15762319407114, 3.17104007844478,
                8.38875458965089);

    // R 4.2.2, the same on the Chinese cities (conf.level 0.95) and on the cervical data (0.90).
    mh = MantelHaenszelSummary(kChina, kZ95);
    ExpectRatio(mh.oddsRatio, 2.17448191997937, 1.98400197428467, 2.38324945317757);
    ExpectRelative(mh.chi2, 280.137537053255);
    ExpectRelative(mh.chi2Corrected, 279.375740463853);
    mh = MantelHaenszelSummary(kCervical, kZ90);
    ExpectRatio(mh.oddsRatio, 1.2153482130937, 0.917734031301183, 1.60947641548806);
    ExpectRelative(mh.chi2, 1.33606707624041);
    ExpectRelative(ChiSquareUpperTail(mh.chi2Corrected, 1), 0.284930319617681);

    // R 4.2.2: mantelhaen.test(UCBAdmissions): an odds ratio below 1.
    mh = MantelHaenszelSummary(kBerkeley, kZ95);
    ExpectRatio(mh.oddsRatio, 0.904696828258623, 0.77190736175935, 1.06032976443666);
    ExpectRelative(mh.chi2Corrected, 1.42694622858669);
}

TEST(MantelHaenszel, RiskRatioAndCrudeRatiosAgreeWithAnIndependentComputation)
{
    // Python 3.11, a separate script written from Greenland & Robins (1985): MH RR and its
    // limits, the crude OR with Woolf's and the crude RR with Katz's limits.
    ExpectRatio(MantelHaenszelSummary(kOesophagus, kZ95).riskRatio, 2.8877937789484944, 2.3153666139841995,
                3.601741883711266);
    ExpectRatio(MantelHaenszelSummary(kOesophagus, kZ99).riskRatio, 2.8877937789484944, 2.1600868835870113,
                3.8606562416995973);
    // The Chinese cities: the published "cohort (col1 risk)" Mantel-Haenszel estimate is 1.519.
    ExpectRatio(MantelHaenszelSummary(kChina, kZ95).riskRatio, 1.5191532524841416, 1.44171504742477,
                1.6007508617291941);
    const CStratumCounts crude{96, 109, 104, 666};
    ExpectRatio(WoolfOddsRatio(crude, kZ95), 5.6400846859562455, 4.000589250771749, 7.951467464104599);
    ExpectRatio(KatzRiskRatio(crude, kZ95), 3.467166979362102, 2.7528405949751185, 4.366851783834426);
}

TEST(MantelHaenszel, EmptyStrataAndZeroMarginsAddNothing)
{
    // An empty stratum and strata with an empty row or column leave every summary as it was.
    Strata padded = kOesophagus;
    padded.insert(padded.begin() + 2, CStratumCounts{0, 0, 0, 0});
    padded.push_back({0, 0, 7, 3});  // no exposed
    padded.push_back({4, 9, 0, 0});  // no unexposed
    padded.push_back({0, 5, 0, 12}); // nobody with the outcome
    padded.push_back({1, 0, 0, 0});  // n = 1
    const CMantelHaenszel plain = MantelHaenszelSummary(kOesophagus, kZ95);
    const CMantelHaenszel mh = MantelHaenszelSummary(padded, kZ95);
    ExpectRatio(mh.oddsRatio, plain.oddsRatio.estimate, plain.oddsRatio.lower, plain.oddsRatio.upper, 1e-14);
    ExpectRatio(mh.riskRatio, plain.riskRatio.estimate, plain.riskRatio.lower, plain.riskRatio.upper, 1e-14);
    ExpectRelative(mh.chi2, plain.chi2, 1e-14);
    const CBreslowDay bd = BreslowDayTest(padded, mh.oddsRatio.estimate);
    EXPECT_EQ(bd.tarone.strataUsed, 6);
    EXPECT_EQ(bd.tarone.df, 5);

    // Nothing informative at all: every summary is undefined rather than 0 or a crash.
    const CMantelHaenszel none = MantelHaenszelSummary({{0, 0, 0, 0}, {3, 4, 0, 0}}, kZ95);
    EXPECT_TRUE(std::isnan(none.oddsRatio.estimate));
    EXPECT_TRUE(std::isnan(none.riskRatio.lower));
    EXPECT_TRUE(std::isnan(none.chi2));
    EXPECT_TRUE(std::isnan(none.chi2Corrected));
    EXPECT_TRUE(std::isnan(ChiSquareUpperTail(none.chi2, 1)));
}

TEST(MantelHaenszel, ZeroAndInfiniteRatiosHaveNoLimits)
{
    // No exposed case in any stratum: ORmh = RRmh = 0, whose log limits do not exist.
    CMantelHaenszel mh = MantelHaenszelSummary({{0, 10, 5, 5}, {0, 8, 3, 9}}, kZ95);
    EXPECT_EQ(mh.oddsRatio.estimate, 0);
    EXPECT_TRUE(std::isnan(mh.oddsRatio.lower) && std::isnan(mh.oddsRatio.upper));
    EXPECT_EQ(mh.riskRatio.estimate, 0);
    EXPECT_TRUE(std::isnan(mh.riskRatio.upper));
    EXPECT_GT(mh.chi2, 0);
    // No unexposed case: both ratios are infinite.
    mh = MantelHaenszelSummary({{3, 10, 0, 5}, {2, 8, 0, 9}}, kZ95);
    EXPECT_TRUE(std::isinf(mh.oddsRatio.estimate));
    EXPECT_TRUE(std::isnan(mh.oddsRatio.lower));
    // The crude ratios of a table with a zero cell: an estimate of 0 without limits.
    const CRatioEstimate odds = WoolfOddsRatio({0, 4, 6, 9}, kZ95);
    EXPECT_EQ(odds.estimate, 0);
    EXPECT_TRUE(std::isnan(odds.lower));
}

TEST(MantelHaenszel, ContinuityCorrectionNeverExceedsTheDeviation)
{
    // sum a = 5 against sum E = 4.8: a deviation of 0.2. The corrected statistic is 0, never
    // larger than the uncorrected (R's mantelhaen.test leaves the correction out below 0.5).
    const Strata strata = {{3, 2, 3, 4}, {2, 3, 2, 3}};
    const CMantelHaenszel mh = MantelHaenszelSummary(strata, kZ95);
    EXPECT_GT(mh.chi2, 0);
    EXPECT_EQ(mh.chi2Corrected, 0);
    EXPECT_EQ(ChiSquareUpperTail(mh.chi2Corrected, 1), 1);
}

TEST(BreslowDay, AgreesWithPublishedValuesAndAScipyRootSearch)
{
    // scipy 1.10.1: the fitted cells by brentq (rtol 8.9e-16) on log A (r2 - c1 + A) / ((r1 - A)
    // (c1 - A)) = log ORmh, then the sums of Breslow & Day and Tarone; p by chi2.sf.
    CBreslowDay bd = BreslowDayTest(kOesophagus, MantelHaenszelSummary(kOesophagus, kZ95).oddsRatio.estimate);
    ExpectRelative(bd.uncorrected.chi2, 9.323397092425903);
    ExpectRelative(bd.tarone.chi2, 9.299329078587272);
    EXPECT_EQ(bd.tarone.df, 5);
    ExpectRelative(ChiSquareUpperTail(bd.tarone.chi2, bd.tarone.df), 0.09770424282800266, 1e-8);

    // The Chinese cities: published Breslow-Day chi-square 5.200 on 7 df, p 0.636 (Stanford
    // ED257 course notes, the stratified analysis of Agresti's table); scipy 5.199704846953424.
    bd = BreslowDayTest(kChina, MantelHaenszelSummary(kChina, kZ95).oddsRatio.estimate);
    EXPECT_NEAR(bd.uncorrected.chi2, 5.200, 0.0005);
    EXPECT_NEAR(ChiSquareUpperTail(bd.uncorrected.chi2, 7), 0.636, 0.0005);
    ExpectRelative(bd.uncorrected.chi2, 5.199704846953424);
    ExpectRelative(bd.tarone.chi2, 5.199671172638819);

    // P8120 course notes: X-squared = 4.2069 (p 0.04026) and 0.57493 (p 0.4483), one df.
    bd = BreslowDayTest(kCervical, MantelHaenszelSummary(kCervical, kZ95).oddsRatio.estimate);
    EXPECT_NEAR(bd.uncorrected.chi2, 4.2069, 0.00005);
    ExpectRelative(bd.tarone.chi2, 4.206115395047794);
    EXPECT_NEAR(ChiSquareUpperTail(bd.uncorrected.chi2, 1), 0.04026, 0.000005);
    bd = BreslowDayTest(kTeeth, MantelHaenszelSummary(kTeeth, kZ95).oddsRatio.estimate);
    EXPECT_NEAR(bd.uncorrected.chi2, 0.57493, 0.000005);
    ExpectRelative(bd.tarone.chi2, 0.5749222555176283);

    // scipy, as above: Berkeley admissions, an odds ratio below 1 and strong heterogeneity.
    bd = BreslowDayTest(kBerkeley, MantelHaenszelSummary(kBerkeley, kZ95).oddsRatio.estimate);
    ExpectRelative(bd.uncorrected.chi2, 18.825513705235984);
    ExpectRelative(bd.tarone.chi2, 18.8255012520527);
}

TEST(BreslowDay, FittedCellsReproduceTheOddsRatioAtAnyStrength)
{
    // The fitted table's odds ratio is psi, and its cell stays inside the margins' range, from
    // psi near 0 to psi near infinity and across psi = 1, where the quadratic becomes linear.
    for (const double psi : {1e-9, 0.01, 0.5, 1 - 1e-13, 1.0, 1 + 1e-13, 3.0, 1e4, 1e9}) {
        for (const CStratumCounts& t :
             {CStratumCounts{5, 7, 9, 30}, CStratumCounts{1, 0, 0, 1}, CStratumCounts{4e8, 1e9, 1e9, 2e8}}) {
            const double r1 = t.a + t.b, r2 = t.c + t.d, c1 = t.a + t.c;
            const double fitted = FittedCell(r1, r2, c1, psi);
            ASSERT_GE(fitted, std::max(0.0, c1 - r2)) << psi;
            ASSERT_LE(fitted, std::min(r1, c1)) << psi;
            const double odds = fitted * (r2 - c1 + fitted) / ((r1 - fitted) * (c1 - fitted));
            // At extreme psi the cell lies within a few ulps' worth of relative gap of a bound,
            // and that gap carries the odds ratio: it is then good to 1e-6.
            const double tolerance = psi >= 0.01 && psi <= 1e4 ? 1e-9 : 1e-6;
            EXPECT_NEAR(odds / psi, 1, tolerance) << "psi " << psi << " r1 " << r1;
        }
    }
    EXPECT_NEAR(FittedCell(10, 30, 8, 1), 10.0 * 8 / 40, 1e-12);
    EXPECT_TRUE(std::isnan(FittedCell(10, 0, 5, 2)));
    EXPECT_TRUE(std::isnan(FittedCell(10, 30, 8, 0)));
}

TEST(BreslowDay, UndefinedWithoutTwoInformativeStrataOrAFiniteCommonRatio)
{
    CBreslowDay bd = BreslowDayTest({{5, 3, 2, 8}, {0, 0, 0, 0}, {0, 4, 0, 6}}, 2);
    EXPECT_EQ(bd.tarone.strataUsed, 1);
    EXPECT_TRUE(std::isnan(bd.uncorrected.chi2));
    EXPECT_TRUE(std::isnan(bd.tarone.df));
    bd = BreslowDayTest(kCervical, std::numeric_limits<double>::infinity());
    EXPECT_TRUE(std::isnan(bd.tarone.chi2));
    bd = BreslowDayTest(kCervical, 0);
    EXPECT_TRUE(std::isnan(bd.uncorrected.chi2));
}

TEST(Woolf, AgreesWithAnIndependentComputationAndLeavesOutZeroCells)
{
    // Python 3, from Woolf (1955): sum w (log OR - weighted mean)^2 over strata without a zero
    // cell (strata 1 and 6 of the oesophagus data have one: 3 df).
    CHomogeneityTest woolf = WoolfTest(kOesophagus);
    ExpectRelative(woolf.chi2, 3.644642648338829);
    EXPECT_EQ(woolf.df, 3);
    EXPECT_EQ(woolf.strataUsed, 4);
    woolf = WoolfTest(kBerkeley);
    ExpectRelative(woolf.chi2, 17.90171246979722);
    ExpectRelative(ChiSquareUpperTail(woolf.chi2, woolf.df), 0.003072142308732563, 1e-8);
    ExpectRelative(WoolfTest(kChina).chi2, 5.1865967220825135);
    // Equal odds ratios give 0; one usable stratum leaves the test undefined.
    EXPECT_NEAR(WoolfTest({{2, 4, 3, 6}, {20, 40, 30, 60}, {1, 1, 1, 1}}).chi2, 0, 1e-12);
    woolf = WoolfTest({{2, 4, 3, 6}, {0, 4, 3, 6}});
    EXPECT_TRUE(std::isnan(woolf.chi2));
    EXPECT_EQ(woolf.strataUsed, 1);
}

TEST(StratifiedSummary, TwentyStrataOfABillionStayAccurate)
{
    // scipy and Python floats as above, 20 strata with cells near 10^9: a = 1e9 - 7e6 i,
    // b = 3e8 + 1e7 i, c = 2e8 + 3e6 i, d = 9e8 - 2e7 i.
    Strata strata;
    for (int i = 0; i < 20; ++i)
        strata.push_back({1e9 - 7e6 * i, 3e8 + 1e7 * i, 2e8 + 3e6 * i, 9e8 - 2e7 * i});
    const CMantelHaenszel mh = MantelHaenszelSummary(strata, kZ95);
    ExpectRelative(mh.oddsRatio.estimate, 7.20442593810422);
    ExpectRatio(mh.riskRatio, 2.8719664642573113, 2.8718910555470187, 2.8720418749476484);
    ExpectRelative(mh.chi2, 9278429236.398882);
    const CBreslowDay bd = BreslowDayTest(strata, mh.oddsRatio.estimate);
    ExpectRelative(bd.uncorrected.chi2, 392944387.1850218, 1e-8);
    ExpectRelative(bd.tarone.chi2, 391884467.4435636, 1e-8);
    ExpectRelative(WoolfTest(strata).chi2, 389550103.2726111, 1e-8);
    EXPECT_EQ(ChiSquareUpperTail(bd.tarone.chi2, 19), 0);
    EXPECT_LT(mh.oddsRatio.lower, mh.oddsRatio.estimate);
    EXPECT_GT(mh.oddsRatio.upper, mh.oddsRatio.estimate);
}
