// Exact and mid-P limits of a proportion and of a Poisson count, against R and a tight root
// search in scipy.
#include "ExactLimits.h"

#include <cmath>
#include <gtest/gtest.h>

namespace
{
void ExpectLimits(const CLimits& limits, double lower, double upper, double relative = 1e-9)
{
    EXPECT_NEAR(limits.lower, lower, std::fabs(lower) * relative + 1e-300);
    EXPECT_NEAR(limits.upper, upper, std::fabs(upper) * relative);
}
} // namespace

TEST(ExactLimits, ClopperPearsonAgreesWithR)
{
    // R 4.2.2: binom.test(5, 20)$conf.int and with conf.level = 0.99.
    ExpectLimits(ClopperPearsonLimits(5, 20, 95), 0.0865714691014346, 0.4910458717079575);
    ExpectLimits(ClopperPearsonLimits(5, 20, 99), 0.0583339360589518, 0.5597609077584391);
    // R 4.2.2: binom.test(999999, 1e9)$conf.int: a rare event in a billion trials.
    ExpectLimits(ClopperPearsonLimits(999999, 1e9, 95), 0.000998040961654361, 0.001001959927841286);
    // The ends: 0 of 100 starts at 0 (R: binom.test(0, 100)), 100 of 100 ends at 1.
    ExpectLimits(ClopperPearsonLimits(0, 100, 95), 0, 0.0362166926451765);
    EXPECT_EQ(ClopperPearsonLimits(100, 100, 95).upper, 1);
    EXPECT_TRUE(std::isnan(ClopperPearsonLimits(5, 4, 95).lower));
}

TEST(ExactLimits, MidPBinomialAgreesWithATightRootSearch)
{
    // scipy 1.10.1: brentq on binom.sf(x, n, p) + pmf / 2 = 0.025 (and the lower tail), rtol 1e-15.
    ExpectLimits(MidPBinomialLimits(5, 20, 95), 0.0978600849409489, 0.47022379954242133);
    const CLimits none = MidPBinomialLimits(0, 100, 95);
    EXPECT_EQ(none.lower, 0);
    // At x = 0 the upper limit solves (1 - p)^n / 2 = 0.025.
    EXPECT_NEAR(none.upper, 1 - std::pow(0.05, 0.01), 1e-12);
    const CLimits all = MidPBinomialLimits(100, 100, 95);
    EXPECT_EQ(all.upper, 1);
    EXPECT_NEAR(all.lower, std::pow(0.05, 0.01), 1e-12);
}

TEST(ExactLimits, PoissonLimitsAgreeWithRAndScipy)
{
    // R 4.2.2: poisson.test(5)$conf.int and poisson.test(0)$conf.int.
    ExpectLimits(ExactPoissonLimits(5, 95), 1.62348639011842, 11.66833207932267);
    ExpectLimits(ExactPoissonLimits(0, 95), 0, 3.68887945411394);
    // scipy 1.10.1: brentq on poisson.sf(x, m) + pmf / 2 = 0.025 (and the lower tail).
    ExpectLimits(MidPPoissonLimits(5, 95), 1.8319948085284166, 11.082415664992018);
    ExpectLimits(MidPPoissonLimits(0, 95), 0, 2.9957322735539913);
}

TEST(ExactLimits, TailsSumToOneAndHandleTheEnds)
{
    EXPECT_NEAR(BinomialLowerTail(3, 10, 0.3) + BinomialUpperTail(4, 10, 0.3), 1, 1e-15);
    EXPECT_NEAR(BinomialPoint(3, 10, 0.3), 0.2668279320, 1e-10); // R: dbinom(3, 10, 0.3)
    EXPECT_NEAR(PoissonLowerTail(3, 2.5) + PoissonUpperTail(4, 2.5), 1, 1e-15);
    EXPECT_NEAR(PoissonPoint(3, 2.5), 0.2137630172, 1e-10); // R: dpois(3, 2.5)
    EXPECT_EQ(BinomialUpperTail(0, 10, 0.3), 1);
    EXPECT_EQ(PoissonUpperTail(0, 0), 1);
    EXPECT_EQ(PoissonPoint(2, 0), 0);
}
