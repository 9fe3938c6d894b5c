// Tests of the distribution functions against published table values and closed forms
// (chi-square with 2 df, t with 1 and 2 df, the C library's lgamma), plus non-finite input.
#include "Distributions.h"

#include "TestSupport.h"

#include <cmath>
#include <gtest/gtest.h>
#include <initializer_list>
#include <limits>

namespace
{
const double kNaN = std::numeric_limits<double>::quiet_NaN();
const double kPi = 3.14159265358979323846;
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

TEST(DistributionsTest, Chi2ProbLevelsOffThenFallsToZeroPastItsRange)
{
    // Stopping the series at a relative term of 1e-6 leaves a floor near 1e-6.
    EXPECT_TRUE(Near(Chi2Prob(100, 1), 1e-6, 5e-8));
    // Factor underflows to 0: an extreme statistic is an upper tail of 0, not 1.
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
