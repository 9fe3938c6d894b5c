// Tests of the distribution functions against published table values and closed forms
// (chi-square with 1, 2 and 4 df, t with 1 and 2 df, the C library's lgamma), plus non-finite
// input, and of where the chi-square tail leaves its series for the incomplete gamma function.
#include "Distributions.h"

#include "ElementaryFunctions.h"
#include "TestSupport.h"

#include <cmath>
#include <gtest/gtest.h>
#include <initializer_list>
#include <limits>
#include <vector>

namespace
{
const double kNaN = std::numeric_limits<double>::quiet_NaN();
const double kPi = 3.14159265358979323846;

/// The tail as it was computed for every printed value: 1 minus the lower incomplete gamma
/// series stopped at a relative term of 1e-6. Kept here as the reference of those digits, with
/// the same exp and log as the calculations (a C runtime's may be off in the last bit).
double SeriesChi2Prob(double chi2, int df)
{
    const double h = 0.5 * chi2;
    const double a = 0.5 * df;
    const double e = zmath::Exp(a * zmath::Log(h) - LogGamma(a + 1) - h);
    if (e == 0)
        return chi2 > 0 ? 0.0 : 1.0;
    double term = 1;
    double sum = 1;
    double k = a;
    do {
        k = k + 1;
        term = term * h / k;
        sum = sum + term;
    } while (term / sum > 1e-6);
    const double result = 1 - sum * e;
    if (chi2 > 0 && !(std::isfinite(result) && result >= 0))
        return 0.0;
    return result;
}
} // namespace

TEST(DistributionsTest, LogGammaMatchesTheLibraryFunction)
{
    EXPECT_TRUE(Near(LogGamma(1), 0, 1e-10));
    EXPECT_TRUE(Near(LogGamma(2), 0, 1e-10));
    EXPECT_TRUE(Near(LogGamma(0.5), std::log(std::sqrt(kPi)), 1e-10));
    for (double x : {0.1, 1.5, 3.0, 10.0, 57.5, 500.0})
        EXPECT_TRUE(Near(LogGamma(x), std::lgamma(x), 1e-9 * (1 + std::fabs(std::lgamma(x))))) << x;
}

TEST(DistributionsTest, Chi2ProbMatchesTableValues)
{
    for (int df : {1, 2, 5, 30})
        EXPECT_EQ(Chi2Prob(0, df), 1.0) << df;
    // Upper 5 % and 1 % points of chi-square with 1 df.
    EXPECT_TRUE(Near(Chi2Prob(3.841459, 1), 0.05, 1e-5));
    EXPECT_TRUE(Near(Chi2Prob(6.634897, 1), 0.01, 1e-5));
    EXPECT_TRUE(Near(Chi2Prob(18.307038, 10), 0.05, 1e-5));
    // With 2 df the upper tail is exp(-chi2 / 2).
    for (double chi2 : {0.5, 2.0, 5.991465, 12.0})
        EXPECT_TRUE(Near(Chi2Prob(chi2, 2), std::exp(-chi2 / 2), 2e-6)) << chi2;
}

TEST(DistributionsTest, Chi2ProbSmallTailsAreAccurateThenZero)
{
    // Closed forms of the upper tail: erfc(sqrt(chi2 / 2)) with 1 df, exp(-chi2 / 2) with 2 df
    // and exp(-chi2 / 2) (1 + chi2 / 2) with 4 df. Where the series stopped at a relative 1e-6
    // levelled off near 1e-6 (and rose), these are now met to 1e-12 relative.
    for (double chi2 : {30.0, 45.0, 60.0, 100.0, 250.0, 1000.0}) {
        const double h = chi2 / 2;
        EXPECT_TRUE(Near(Chi2Prob(chi2, 1), std::erfc(std::sqrt(h)), 1e-12 * std::erfc(std::sqrt(h)))) << chi2;
        EXPECT_TRUE(Near(Chi2Prob(chi2, 2), std::exp(-h), 1e-12 * std::exp(-h))) << chi2;
        EXPECT_TRUE(Near(Chi2Prob(chi2, 4), std::exp(-h) * (1 + h), 1e-12 * std::exp(-h) * (1 + h))) << chi2;
    }
    // Where the series printed 0.000000, 0.000001 and 0.000004; the tails are erfc's, as above.
    EXPECT_TRUE(Near(Chi2Prob(30, 1), 4.32046e-8, 1e-13));
    EXPECT_TRUE(Near(Chi2Prob(60, 1), 9.48574e-15, 1e-20));
    EXPECT_TRUE(Near(Chi2Prob(1000, 1), 1.79583e-219, 1e-224));
    // Beyond the smallest double the tail is 0, not 1.
    EXPECT_EQ(Chi2Prob(1500, 1), 0.0);
    EXPECT_EQ(Chi2Prob(1e6, 3), 0.0);
    EXPECT_EQ(Chi2Prob(std::numeric_limits<double>::infinity(), 1), 0.0);
    // Near the end of the finite range every result is a probability.
    for (double chi2 = 1000; chi2 <= 1600; chi2 += 50) {
        for (int df : {1, 4, 50, 400}) {
            const double p = Chi2Prob(chi2, df);
            EXPECT_TRUE(std::isfinite(p) && p >= 0 && p < 1e-5) << chi2 << " " << df << " " << p;
        }
    }
}

TEST(DistributionsTest, Chi2ProbKeepsTheSeriesFromTheFloorUp)
{
    // Every result of 1e-5 or more is the series' own, bit for bit: those digits are printed.
    int kept = 0;
    for (int df : {1, 2, 3, 5, 8, 13, 20, 25, 60, 250}) {
        for (double chi2 = 0; chi2 <= 400; chi2 += 0.01) {
            const double series = SeriesChi2Prob(chi2, df);
            if (series < 1e-5)
                break;
            ASSERT_EQ(Chi2Prob(chi2, df), series) << chi2 << " " << df;
            ++kept;
        }
    }
    EXPECT_GT(kept, 20000);
}

TEST(DistributionsTest, Chi2ProbNeverRisesWithTheStatistic)
{
    // Every df of 1 to 25, and large ones such as the probability calculator takes (up to 250).
    std::vector<int> dfs = {60, 120, 250};
    for (int df = 1; df <= 25; ++df)
        dfs.push_back(df);
    for (int df : dfs) {
        double previous = Chi2Prob(0, df);
        double previousChi2 = 0;
        for (double chi2 = 0.005; chi2 <= 10000; chi2 += chi2 < 100 ? 0.005 : 0.25) {
            const double p = Chi2Prob(chi2, df);
            ASSERT_TRUE(p >= 0 && p <= previous)
                << df << ": " << previousChi2 << " " << previous << ", " << chi2 << " " << p;
            previous = p;
            previousChi2 = chi2;
        }
        EXPECT_EQ(previous, 0.0) << df;
    }
}

TEST(DistributionsTest, Chi2ProbIsOneFarBelowTheMean)
{
    // The series' factor (chi2 / 2)^(df / 2) underflows here, and the series gave 0.
    EXPECT_EQ(Chi2Prob(1e-300, 3), 1.0);
    EXPECT_EQ(Chi2Prob(0.1, 250), 1.0);
    EXPECT_EQ(Chi2Prob(0.01, 170), 1.0);
    EXPECT_EQ(SeriesChi2Prob(0.1, 250), 0.0);
}

TEST(DistributionsTest, Chi2ProbStepsDownWhereTheSeriesEnds)
{
    // The two neighbouring doubles at which the series falls below 1e-5: the series is kept on
    // one side, the accurate tail taken on the other, and the switch must not raise p there.
    for (int df = 1; df <= 25; ++df) {
        double lo = 0;
        double hi = 200;
        for (double mid = lo + (hi - lo) / 2; mid > lo && mid < hi; mid = lo + (hi - lo) / 2) {
            if (SeriesChi2Prob(mid, df) >= 1e-5)
                lo = mid;
            else
                hi = mid;
        }
        ASSERT_GE(SeriesChi2Prob(lo, df), 1e-5) << df;
        ASSERT_LT(SeriesChi2Prob(hi, df), 1e-5) << df;
        EXPECT_EQ(Chi2Prob(lo, df), SeriesChi2Prob(lo, df)) << df;
        EXPECT_LT(Chi2Prob(hi, df), 1e-5) << df;
        EXPECT_LE(Chi2Prob(hi, df), Chi2Prob(lo, df)) << df;
        if (df == 2) {
            EXPECT_TRUE(Near(Chi2Prob(hi, df), std::exp(-hi / 2), 1e-12 * std::exp(-hi / 2)));
        }
    }
}

TEST(DistributionsTest, Chi2ProbEndsOnNonFiniteInput)
{
    EXPECT_TRUE(std::isnan(Chi2Prob(kNaN, 3)));
    EXPECT_FALSE(std::isfinite(Chi2Prob(-1, 1)));
}

TEST(DistributionsTest, TProbMatchesClosedFormsAndTables)
{
    for (int df : {1, 2, 3, 10, 101})
        EXPECT_EQ(TProb(0, df), 0.5) << df;
    EXPECT_TRUE(Near(TProb(12.706, 1), 0.025, 1e-5));
    EXPECT_TRUE(Near(TProb(4.303, 2), 0.025, 1e-5));
    EXPECT_TRUE(Near(TProb(2.228, 10), 0.025, 1e-4));
    EXPECT_TRUE(Near(TProb(2.750, 30), 0.005, 1e-5));
    for (double t : {0.3, 1.0, 3.5}) {
        // 1 df: Cauchy, 0.5 - atan(t) / pi; 2 df: 0.5 - t / (2 sqrt(2 + t^2)).
        EXPECT_TRUE(Near(TProb(t, 1), 0.5 - std::atan(t) / kPi, 1e-8)) << t;
        EXPECT_TRUE(Near(TProb(t, 2), 0.5 - t / (2 * std::sqrt(2 + t * t)), 1e-12)) << t;
    }
}

TEST(DistributionsTest, TProbIsSymmetricAndEndsOnOddInput)
{
    for (int df : {1, 2, 3, 4, 7, 20})
        for (double t : {0.5, 1.7, 4.0})
            EXPECT_TRUE(Near(TProb(-t, df), 1 - TProb(t, df), 1e-12)) << t << " " << df;
    EXPECT_TRUE(std::isnan(TProb(kNaN, 5)));
    EXPECT_FALSE(std::isfinite(TProb(0, 0))); // df 0 makes no rounds
}

TEST(DistributionsTest, NormalPercPtAndNormalProb)
{
    EXPECT_EQ(NormalPercPt(0.5), 0.0);
    EXPECT_TRUE(Near(NormalPercPt(0.975), 1.959964, 4.5e-4));
    EXPECT_TRUE(Near(NormalPercPt(0.995), 2.575829, 4.5e-4));
    EXPECT_EQ(NormalPercPt(0.025), -NormalPercPt(0.975));
    EXPECT_FALSE(std::isfinite(NormalPercPt(0)));
    EXPECT_FALSE(std::isfinite(NormalPercPt(1)));
    EXPECT_TRUE(std::isnan(NormalPercPt(kNaN)));

    EXPECT_TRUE(Near(NormalProb(1.96), 0.0249979, 1e-6));
    EXPECT_EQ(NormalProb(-1.96), NormalProb(1.96));
    EXPECT_TRUE(Near(NormalProb(0), 0.5, 1e-7));
    EXPECT_TRUE(Near(NormalProb(3), 0.0013499, 1e-6));
}

TEST(DistributionsTest, TPercPtClosedFormsAndIteration)
{
    EXPECT_EQ(TPercPt(0.975, 1), std::tan(1.57079633 * 0.95));
    EXPECT_TRUE(Near(TPercPt(0.975, 1), 12.706, 1e-3));
    EXPECT_EQ(TPercPt(0.975, 2), 0.95 * std::sqrt(2 / (1 - 0.95 * 0.95)));
    EXPECT_TRUE(Near(TPercPt(0.975, 2), 4.303, 1e-3));
    // Table values of Student's t; the iteration stops at a step of 1e-4.
    EXPECT_TRUE(Near(TPercPt(0.975, 10), 2.228139, 2e-4));
    EXPECT_TRUE(Near(TPercPt(0.025, 10), -2.228139, 2e-4));
    EXPECT_TRUE(Near(TPercPt(0.995, 3), 5.840909, 2e-4));
    EXPECT_TRUE(Near(TPercPt(0.995, 30), 2.749996, 2e-4));
    EXPECT_TRUE(Near(TPercPt(0.975, 1000), 1.962339, 2e-4));
}

TEST(DistributionsTest, TPercPtEndsOnDegenerateInput)
{
    for (int df : {3, 10, 60}) {
        EXPECT_FALSE(std::isfinite(TPercPt(0, df))) << df;
        EXPECT_FALSE(std::isfinite(TPercPt(1, df))) << df;
        EXPECT_FALSE(std::isfinite(TPercPt(kNaN, df))) << df;
    }
    EXPECT_FALSE(std::isfinite(TPercPt(0.975, 0)));
    // Far in the tail Newton's steps cycle without settling; the result is then non-finite.
    EXPECT_FALSE(std::isfinite(TPercPt(1e-13, 20)));
    EXPECT_FALSE(std::isfinite(TPercPt(1e-12, 8)));
}

TEST(DistributionsTest, AbsdNeverReturnsNegativeZero)
{
    EXPECT_FALSE(std::signbit(absd(0.0)));
    EXPECT_FALSE(std::signbit(absd(-0.0)));
    EXPECT_EQ(absd(-2.5), 2.5);
    EXPECT_EQ(absd(2.5), 2.5);
}
