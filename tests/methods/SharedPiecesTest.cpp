// The pieces every newer calculation type stands on: the root search of exact limits, the
// normal quantile of any level, and how levels and p-values print.
#include "CMethodCalc.h"
#include "ConfidenceLevel.h"
#include "RootSearch.h"

#include <boost/math/special_functions/beta.hpp>
#include <cmath>
#include <gtest/gtest.h>

TEST(RootSearch, FindsTheParameterOfAMonotoneTailToTheTolerance)
{
    // The upper Clopper-Pearson limit of 0 of 100 at 95 % solves (1 - p)^100 = 0.025 in closed
    // form: 1 - 0.025^(1/100) = 0.0362167...
    const double closed = 1 - std::pow(0.025, 0.01);
    const double found = SolveMonotone([](double p) { return std::pow(1 - p, 100); }, 0.025, 0, 1);
    EXPECT_NEAR(found, closed, closed * kRootTolerance * 10);
    // The same from Boost's inverse of the incomplete beta function.
    EXPECT_NEAR(found, boost::math::ibeta_inv(1.0, 100.0, 0.975), closed * 1e-9);
    // A target outside the function's range has no root.
    EXPECT_TRUE(std::isnan(SolveMonotone([](double p) { return p; }, 2, 0, 1)));
}

TEST(RootSearch, WidensTheBracketOfAPositiveParameterEitherWay)
{
    // Rising and falling functions, roots far above and far below the guess.
    EXPECT_NEAR(SolvePositive([](double x) { return std::log(x); }, std::log(3e7), 1), 3e7, 3e7 * 1e-9);
    EXPECT_NEAR(SolvePositive([](double x) { return 1 / x; }, 1 / 2e-9, 1), 2e-9, 2e-9 * 1e-9);
    EXPECT_TRUE(std::isnan(SolvePositive([](double) { return 0.5; }, 1, 1)));
}

TEST(ConfidenceLevel, NormalQuantilesOfCommonLevels)
{
    // qnorm(0.975), qnorm(0.995), qnorm(0.9995) and qnorm(0.75) in R.
    EXPECT_NEAR(NormalQuantileOfLevel(95), 1.959963984540054, 1e-12);
    EXPECT_NEAR(NormalQuantileOfLevel(99), 2.575829303548901, 1e-12);
    EXPECT_NEAR(NormalQuantileOfLevel(99.9), 3.290526731491926, 1e-12);
    EXPECT_NEAR(NormalQuantileOfLevel(50), 0.6744897501960817, 1e-12);
    EXPECT_NEAR(NormalUpperTail(1.959963984540054), 0.025, 1e-15);
}

TEST(MethodReport, LevelsAndPValuesPrintAsTyped)
{
    EXPECT_EQ(CMethodCalc::LevelText(95), "95%");
    EXPECT_EQ(CMethodCalc::LevelText(97.5), "97.5%");
    EXPECT_EQ(CMethodCalc::LevelText(99.99), "99.99%");
    EXPECT_EQ(CMethodCalc::PValueText(0.0123456), "      0.012346");
    EXPECT_EQ(CMethodCalc::PValueText(0.000001), "      0.000001");
    EXPECT_EQ(CMethodCalc::PValueText(0.00000099), "    < 0.000001");
    EXPECT_EQ(CMethodCalc::PValueText(0), "    < 0.000001");
    EXPECT_EQ(CMethodCalc::PValueText(std::nan("")), "      ****");
}

// Digits beyond the eighth would be noise of the inverse functions, different on each system.
TEST(MethodReport, ValuesShowAtMostEightSignificantDigits)
{
    EXPECT_EQ(CMethodCalc::ValueText(1772.52974, 4), "   1772.5297");
    EXPECT_EQ(CMethodCalc::ValueText(12345.67891, 4), "   12345.679");
    EXPECT_EQ(CMethodCalc::ValueText(99999999.6, 4), "1.0000000e+08"); // rounding lengthens the whole part
    EXPECT_EQ(CMethodCalc::ValueText(35787987.577, 4), "    35787988");
    EXPECT_EQ(CMethodCalc::ValueText(-818690333370963.125, 4), "-8.1869033e+14");
    // Below 10 every decimal asked for stays: tiny limits are told apart by them.
    EXPECT_EQ(CMethodCalc::ValueText(0.0000000099, 11), "      0.00000000990");
    EXPECT_EQ(CMethodCalc::ValueText(1.0000000099, 11), "      1.00000000990");
    EXPECT_EQ(CMethodCalc::ValueText(std::nan(""), 4), "      ****");
}
