// The measures of a 2x2 table by study design against published examples, R and scipy: the
// conditional odds ratio with its exact and mid-P limits, the exact tests, Woolf's and
// Cornfield's limits, the ratio of proportions with Wald and Koopman's score limits, Newcombe's
// limits of a difference, and the chi-squares; with the empty cells and margins of each.
#include "ConditionalOddsRatio.h"
#include "TwoByTwoIntervals.h"

#include <chrono>
#include <cmath>
#include <gtest/gtest.h>

namespace
{
void ExpectRelative(double actual, double expected, double relative)
{
    EXPECT_NEAR(actual, expected, std::fabs(expected) * relative) << "expected " << expected;
}

void ExpectLimits(const CLimits& limits, double lower, double upper, double relative = 1e-9)
{
    ExpectRelative(limits.lower, lower, relative);
    ExpectRelative(limits.upper, upper, relative);
}

bool Contains(const CLimits& limits, double value)
{
    return limits.lower <= value && value <= limits.upper;
}

/// Conditional estimates and limits of one table, from scipy 1.10.1: the estimate and exact
/// limits by brentq (xtol and rtol 1e-15) on nchypergeom_fisher's mean, sf and cdf, the mid-P
/// limits on sf + pmf / 2 and cdf - pmf / 2 (they agree with
/// scipy.stats.contingency.odds_ratio(table, kind='conditional') to 1e-12).
struct ConditionalCase
{
    CTable2x2 table;
    double level, estimate, exactLower, exactUpper, midPLower, midPUpper;
};
} // namespace

TEST(ConditionalOddsRatio, AgreesWithATightRootSearchInScipy)
{
    const ConditionalCase cases[] = {
        // Agresti's tea-tasting table (R's fisher.test: 6.408309, [0.2117329, 621.9337], looser).
        {{3, 1, 1, 3},
         95,
         6.4083196581996775,
         0.2117355954465791,
         626.2435305888139,
         0.31005488171907974,
         308.5567715811549},
        {{12, 5, 3, 20},
         95,
         14.57002825602352,
         2.656884685812909,
         113.33942760823604,
         3.134318869165836,
         87.07730309771897},
        {{12, 5, 3, 20},
         99,
         14.57002825602352,
         1.7640969670030788,
         218.00451421026258,
         2.029886644994922,
         169.74590061611585},
        {{2, 8, 9, 1},
         95,
         0.03659410268318966,
         0.0005659468564533962,
         0.48591630880316106,
         0.001137547424295707,
         0.3747101877632029},
        {{40, 60, 25, 125},
         95,
         3.316031621418976,
         1.7812811352913402,
         6.275068704290712,
         1.848166992227025,
         6.028061704852339},
    };
    for (const ConditionalCase& c : cases) {
        SCOPED_TRACE(testing::Message() << c.table.a << " " << c.table.b << " " << c.table.c << " " << c.table.d);
        const CConditionalOddsRatio r = ConditionalOddsRatio(c.table, c.level);
        ExpectRelative(r.estimate, c.estimate, 1e-9);
        ExpectLimits(r.exact, c.exactLower, c.exactUpper);
        ExpectLimits(r.midP, c.midPLower, c.midPUpper);
    }
    // Thousands per cell, where only part of the support is summed: scipy 1.10.1
    // odds_ratio(table, kind='conditional') and its confidence_interval(0.95).
    const CConditionalOddsRatio large = ConditionalOddsRatio({2000, 1500, 1800, 2100}, 95);
    ExpectRelative(large.estimate, 1.555461962976963, 1e-9);
    ExpectLimits(large.exact, 1.4174368977848812, 1.7071404632126206);
}

TEST(ConditionalOddsRatio, EmptyCellsAndMarginsGiveZeroInfiniteOrUndefined)
{
    // a = 0 is the least value a can take: estimate and lower limits 0 (scipy: 0, [0, 0.83652]).
    const CConditionalOddsRatio none = ConditionalOddsRatio({0, 10, 5, 5}, 95);
    EXPECT_EQ(none.estimate, 0);
    EXPECT_EQ(none.exact.lower, 0);
    EXPECT_EQ(none.midP.lower, 0);
    ExpectRelative(none.exact.upper, 0.8365217939177363, 1e-9);
    ExpectRelative(none.midP.upper, 0.6076066489156989, 1e-9);
    // b = 0 makes a the greatest value: estimate and upper limits infinite (scipy: inf, [2.57554, inf]).
    const CConditionalOddsRatio all = ConditionalOddsRatio({10, 0, 3, 7}, 95);
    EXPECT_TRUE(std::isinf(all.estimate));
    EXPECT_TRUE(std::isinf(all.exact.upper) && std::isinf(all.midP.upper));
    ExpectRelative(all.exact.lower, 2.57554476489147, 1e-9);
    ExpectRelative(all.midP.lower, 3.5170485866331953, 1e-9);
    // A zero margin leaves nothing to estimate.
    for (const CTable2x2& t : {CTable2x2{0, 0, 3, 7}, CTable2x2{0, 4, 0, 7}, CTable2x2{0, 0, 0, 0}}) {
        const CConditionalOddsRatio r = ConditionalOddsRatio(t, 95);
        EXPECT_TRUE(std::isnan(r.estimate) && std::isnan(r.exact.lower) && std::isnan(r.midP.upper));
        EXPECT_EQ(ExactTests(t).fisher, 1);
    }
}

TEST(ConditionalOddsRatio, MillionCountsGiveFiniteLimitsAroundTheEstimateQuickly)
{
    // Counts of a million: the support holds a million values; only a few thousand matter.
    const auto start = std::chrono::steady_clock::now();
    const CTable2x2 table{1000000, 900000, 950000, 1000000};
    const CConditionalOddsRatio r = ConditionalOddsRatio(table, 95);
    const CExactTests tests = ExactTests(table);
    const double seconds = std::chrono::duration<double>(std::chrono::steady_clock::now() - start).count();
    EXPECT_LT(seconds, 0.5);
    // The sample odds ratio 1.16959 and Woolf's limits lie within a hair of the conditional ones
    // at these counts.
    const double sample = SampleOddsRatio(table);
    ExpectRelative(r.estimate, sample, 1e-5);
    const CLimits woolf = WoolfLimits(table, 95);
    ExpectLimits(r.exact, woolf.lower, woolf.upper, 1e-3);
    EXPECT_TRUE(r.exact.lower < r.midP.lower && r.midP.lower < r.estimate && r.estimate < r.midP.upper &&
                r.midP.upper < r.exact.upper);
    EXPECT_LT(tests.fisher, 1e-100);
    EXPECT_GE(tests.fisher, 0);
    // A million against none: the limits stay finite on the side that has one.
    const CConditionalOddsRatio lopsided = ConditionalOddsRatio({1000000, 0, 1, 1000000}, 99.99);
    EXPECT_TRUE(std::isinf(lopsided.estimate));
    EXPECT_TRUE(std::isfinite(lopsided.exact.lower) && lopsided.exact.lower > 1e6);
}

TEST(ExactTests, FisherAndMidPAgreeWithScipyAndR)
{
    // scipy 1.10.1: fisher_exact(table)[1]; R 4.2.2 fisher.test gives the same. Mid-P, R 4.2.2:
    // 2 * min(phyper(a - 1, m, n, k) + dhyper(a, m, n, k) / 2, phyper(a, m, n, k, lower.tail =
    // FALSE) + dhyper(a, m, n, k) / 2) with m = a + b, n = c + d, k = a + c (scipy's
    // nchypergeom_fisher is off in the eighth digit for the last table).
    const struct
    {
        CTable2x2 table;
        double fisher, midP;
    } cases[] = {
        {{3, 1, 1, 3}, 0.48571428571428565, 0.25714285714285717},
        {{12, 5, 3, 20}, 0.0002999894216743347, 3.0316160080225428e-04},
        {{0, 10, 5, 5}, 0.032507739938080496, 1.6253869969040255e-02},
        {{10, 0, 3, 7}, 0.0030959752321981426, 1.5479876160990741e-03},
        {{2, 8, 9, 1}, 0.005477494641581328, 2.7982853060252440e-03},
        {{40, 60, 25, 125}, 5.9387992348556185e-05, 5.0419253185704965e-05},
    };
    for (const auto& c : cases) {
        const CExactTests tests = ExactTests(c.table);
        ExpectRelative(tests.fisher, c.fisher, 1e-9);
        ExpectRelative(tests.midP, c.midP, 1e-9);
    }
    // Probabilities far below the terms summed around the mode come from the log-gamma function:
    // R 4.2.2, fisher.test and the mid-P as above.
    const CExactTests far = ExactTests({300, 100, 100, 300});
    ExpectRelative(far.fisher, 6.0062998309573441e-47, 1e-9);
    ExpectRelative(far.midP, 3.3335452886960504e-47, 1e-9);
    ExpectRelative(ExactTests({2000, 1500, 1800, 2100}).fisher, 3.6561461417851878e-21, 1e-9);
    // A table at the mode of its distribution, and a symmetric one whose mirror table is exactly
    // as probable: both tails count.
    EXPECT_EQ(ExactTests({5, 5, 5, 5}).fisher, 1);
    ExpectRelative(ExactTests({1, 3, 3, 1}).fisher, 0.48571428571428565, 1e-9);
}

TEST(TwoByTwoIntervals, OddsRatioLimitsOfWoolfAndCornfield)
{
    // R 4.2.2: exp(log(12 * 20 / (5 * 3)) + c(-1, 1) * qnorm(0.975) * sqrt(1/12 + 1/5 + 1/3 + 1/20)).
    ExpectLimits(WoolfLimits({12, 5, 3, 20}, 95), 3.2293627608922701, 79.272605450267676);
    // scipy 1.10.1: brentq on the odds ratio, the fitted cell from the quadratic of each ratio.
    ExpectLimits(CornfieldLimits({12, 5, 3, 20}, 95), 3.3798693931395496, 74.8022086440135);
    ExpectLimits(CornfieldLimits({40, 60, 25, 125}, 95), 1.8596531660655105, 5.97375203408413);
    // Zero cells: Woolf's has no limits; Cornfield's reaches 0 or infinity on that side only.
    EXPECT_TRUE(std::isnan(WoolfLimits({0, 10, 5, 5}, 95).lower));
    const CLimits none = CornfieldLimits({0, 10, 5, 5}, 95);
    EXPECT_EQ(none.lower, 0);
    EXPECT_TRUE(std::isfinite(none.upper) && none.upper > 0);
    // scipy 1.10.1, the same search on the lower side only.
    const CLimits all = CornfieldLimits({10, 0, 3, 7}, 95);
    EXPECT_TRUE(std::isinf(all.upper));
    ExpectRelative(all.lower, 4.3596492115032515, 1e-9);
    EXPECT_TRUE(std::isnan(CornfieldLimits({0, 0, 3, 7}, 95).lower));
    // A cell of 1 beside a million keeps its precision: the limits enclose the estimate.
    const CTable2x2 lopsided{999999, 1, 1, 999999};
    const CLimits wide = CornfieldLimits(lopsided, 99.99);
    EXPECT_TRUE(Contains(wide, SampleOddsRatio(lopsided))) << wide.lower << " " << wide.upper;
}

TEST(TwoByTwoIntervals, RatioOfProportionsWaldAndKoopmanScore)
{
    // Koopman (1984): 36 of 40 against 16 of 80, ratio 4.5, score limits 2.94 to 7.15; to more
    // digits from scipy 1.10.1: the fitted proportions by brentq on the score equation of the
    // likelihood under p1 = ratio * p2 (or p1 = 1 where the maximum lies there), then brentq on
    // the log ratio, xtol 1e-15.
    ExpectLimits(RatioScoreLimits(36, 40, 16, 80, 95), 2.9395691922149947, 7.1522234348660305);
    ExpectLimits(RatioScoreLimits(12, 17, 3, 23, 95), 2.024854848944261, 16.067423643688862);
    ExpectLimits(RatioScoreLimits(10, 10, 3, 10, 95), 1.6577648767052715, 9.27718936851042);
    // R 4.2.2: exp(log(4.5) + c(-1, 1) * qnorm(0.975) * sqrt(1/36 - 1/40 + 1/16 - 1/80)).
    ExpectLimits(RatioWaldLimits(36, 40, 16, 80, 95), 2.8685501986034847, 7.0593151933887883);
    // No events in a group: 0 or infinity on that side; none at all: undefined.
    const CLimits none = RatioScoreLimits(0, 20, 5, 20, 95);
    EXPECT_EQ(none.lower, 0);
    EXPECT_TRUE(std::isfinite(none.upper) && none.upper > 0);
    const CLimits all = RatioScoreLimits(5, 20, 0, 20, 95);
    EXPECT_TRUE(std::isinf(all.upper));
    EXPECT_TRUE(std::isfinite(all.lower) && all.lower > 0);
    EXPECT_TRUE(std::isnan(RatioScoreLimits(0, 20, 0, 20, 95).lower));
    EXPECT_TRUE(std::isnan(RatioWaldLimits(0, 20, 5, 20, 95).upper));
    EXPECT_TRUE(std::isnan(ProportionRatio(3, 0, 5, 20)));
}

TEST(TwoByTwoIntervals, DifferenceOfProportionsNewcombeHybridScore)
{
    // Newcombe (1998), Table II, method 10 (to 4 decimals there); the digits from scipy 1.10.1
    // (Wilson limits from norm.ppf, then the hybrid formula).
    const struct
    {
        double x1, n1, x2, n2, lower, upper;
    } cases[] = {
        {56, 70, 48, 80, 0.052431472402365065, 0.333872654036906},
        {9, 10, 3, 10, 0.17052272393450302, 0.8090179735354881},
        {6, 7, 2, 7, 0.0582279274823122, 0.8062496375242277},
        {5, 56, 0, 29, -0.03813714790353688, 0.19256001385511162},
        {0, 10, 0, 20, -0.16112515805281938, 0.2775327998628892},
        {10, 10, 0, 20, 0.6790860371419147, 1.0},
    };
    for (const auto& c : cases) {
        const CLimits limits = DifferenceNewcombeLimits(c.x1, c.n1, c.x2, c.n2, 95);
        EXPECT_NEAR(limits.lower, c.lower, 1e-12);
        EXPECT_NEAR(limits.upper, c.upper, 1e-12);
    }
    EXPECT_TRUE(std::isnan(DifferenceNewcombeLimits(1, 0, 2, 10, 95).lower));
}

TEST(TwoByTwoIntervals, ChiSquaresAgreeWithR)
{
    // R 4.2.2: chisq.test(matrix(c(12, 3, 5, 20), 2), correct = FALSE) and with the correction.
    const CChiSquares x = TableChiSquares({12, 5, 3, 20});
    ExpectRelative(x.uncorrected, 13.8107416879795, 1e-12);
    ExpectRelative(ChiSquare1UpperTail(x.uncorrected), 2.02177022943201e-04, 1e-9);
    ExpectRelative(x.yates, 11.4646206308610, 1e-12);
    ExpectRelative(ChiSquare1UpperTail(x.yates), 7.09337099235713e-04, 1e-9);
    // |ad - bc| = 10 is below n / 2 = 20: the correction stops at 0 (R: statistic 0, p 1); the
    // textbook formula squared the negative difference into 0.1 instead.
    const CChiSquares small = TableChiSquares({10, 10, 9, 11});
    ExpectRelative(small.uncorrected, 0.100250626566416, 1e-12);
    EXPECT_EQ(small.yates, 0);
    EXPECT_EQ(ChiSquare1UpperTail(small.yates), 1);
    EXPECT_TRUE(std::isnan(TableChiSquares({0, 0, 3, 4}).uncorrected));
}

TEST(TwoByTwoIntervals, EverySmallTableGivesIntervalsAroundTheirEstimates)
{
    // Every table with cells 0 to 4 (zero cells, empty margins, a = all) at three levels: each
    // defined interval holds its estimate, the exact limits hold the mid-P ones, and the tests
    // are probabilities.
    for (int cells = 0; cells < 625; ++cells) {
        const int a = cells % 5, b = cells / 5 % 5, c = cells / 25 % 5, d = cells / 125;
        const CTable2x2 t{double(a), double(b), double(c), double(d)};
        for (double level : {50.0, 95.0, 99.99}) {
            SCOPED_TRACE(testing::Message() << t.a << " " << t.b << " " << t.c << " " << t.d << " at " << level);
            const CConditionalOddsRatio r = ConditionalOddsRatio(t, level);
            if (!std::isnan(r.estimate)) {
                EXPECT_TRUE(Contains(r.midP, r.estimate) && Contains(r.exact, r.midP.lower) &&
                            Contains(r.exact, r.midP.upper))
                    << r.exact.lower << " " << r.midP.lower << " " << r.estimate << " " << r.midP.upper << " "
                    << r.exact.upper;
                const CLimits cornfield = CornfieldLimits(t, level);
                EXPECT_TRUE(Contains(cornfield, SampleOddsRatio(t))) << cornfield.lower << " " << cornfield.upper;
            }
            const double n1 = t.a + t.b, n2 = t.c + t.d;
            const double ratio = ProportionRatio(t.a, n1, t.c, n2);
            if (!std::isnan(ratio)) {
                const CLimits score = RatioScoreLimits(t.a, n1, t.c, n2, level);
                EXPECT_TRUE(Contains(score, ratio)) << score.lower << " " << score.upper;
            }
            if (n1 > 0 && n2 > 0) {
                const CLimits newcombe = DifferenceNewcombeLimits(t.a, n1, t.c, n2, level);
                EXPECT_TRUE(Contains(newcombe, t.a / n1 - t.c / n2) && newcombe.lower >= -1 && newcombe.upper <= 1);
            }
            const CExactTests tests = ExactTests(t);
            EXPECT_TRUE(tests.fisher > 0 && tests.fisher <= 1 && tests.midP > 0 && tests.midP <= 1);
        }
    }
}
