// Byar and normal limits of a Poisson count and the two-sided tests of a count against its
// expectation, on the exact tails of ExactLimits.
#include "PoissonIntervals.h"

#include "ConfidenceLevel.h"
#include "ElementaryFunctions.h"
#include "QuietPolicy.h"
#include "RootSearch.h"

#include <algorithm>
#include <boost/math/special_functions/gamma.hpp>
#include <boost/math/tools/toms748_solve.hpp>
#include <cmath>
#include <cstdint>
#include <limits>

namespace
{
constexpr double kNaN = std::numeric_limits<double>::quiet_NaN();

bool ValidCount(double x, double z)
{
    return x >= 0 && std::isfinite(x) && z > 0 && std::isfinite(z);
}

bool ValidTest(double x, double expected)
{
    return x >= 0 && std::isfinite(x) && expected > 0 && std::isfinite(expected);
}

/// The root of g between a and b, where g(a) = ga and g(b) = gb have opposite signs, to a
/// relative 1e-12 (TOMS 748).
template <class G> double RootBetween(G g, double a, double b, double ga, double gb)
{
    if (ga == 0)
        return a;
    if (gb == 0)
        return b;
    if ((ga > 0) == (gb > 0) || !std::isfinite(ga) || !std::isfinite(gb))
        return kNaN;
    std::uintmax_t calls = 100;
    const auto close = [](double u, double v) {
        return std::fabs(u - v) <= 1e-12 * std::fmin(std::fabs(u), std::fabs(v));
    };
    const auto bracket = boost::math::tools::toms748_solve(g, a, b, ga, gb, close, calls, QuietPolicy());
    return 0.5 * (bracket.first + bracket.second);
}
} // namespace

CLimits MidPCountLimits(double x, double levelPercent)
{
    if (!(x >= 0) || !std::isfinite(x) || !(levelPercent >= kMinLevelPercent && levelPercent <= kMaxLevelPercent))
        return {kNaN, kNaN};
    const double half = AlphaOfLevel(levelPercent) / 2;
    if (x == 0)
        return {0, -zmath::Log(2 * half)}; // P(X = 0) / 2 = exp(-mean) / 2 = half
    // The lower limit: P(X > x) + P(X = x) / 2 = half. At the exact lower limit of x, where
    // P(X >= x) = half, the mid-P tail is half - P(X = x) / 2; at that of x + 1, where
    // P(X > x) = half, it is half + P(X = x) / 2.
    const double lowerOfX = boost::math::gamma_p_inv(x, half, QuietPolicy());
    const double lowerOfNext = boost::math::gamma_p_inv(x + 1, half, QuietPolicy());
    const auto lowerTail = [&](double mean) { return PoissonUpperTail(x, mean) - 0.5 * PoissonPoint(x, mean) - half; };
    const double lower = RootBetween(lowerTail, lowerOfX, lowerOfNext, -0.5 * PoissonPoint(x, lowerOfX),
                                     0.5 * PoissonPoint(x, lowerOfNext));
    // The upper limit: P(X < x) + P(X = x) / 2 = half, between the exact upper limits of x - 1
    // (where P(X < x) = half) and of x (where P(X <= x) = half).
    const double upperOfPrevious = boost::math::gamma_q_inv(x, half, QuietPolicy());
    const double upperOfX = boost::math::gamma_q_inv(x + 1, half, QuietPolicy());
    const auto upperTail = [&](double mean) { return PoissonLowerTail(x, mean) - 0.5 * PoissonPoint(x, mean) - half; };
    const double upper = RootBetween(upperTail, upperOfPrevious, upperOfX, 0.5 * PoissonPoint(x, upperOfPrevious),
                                     -0.5 * PoissonPoint(x, upperOfX));
    return {lower, upper};
}

CLimits ByarLimits(double x, double z)
{
    if (!ValidCount(x, z))
        return {kNaN, kNaN};
    double lower = 0;
    if (x > 0) {
        // At high levels and small counts the cube's base turns negative: no lower limit above 0.
        const double base = 1 - 1 / (9 * x) - z / (3 * std::sqrt(x));
        lower = base > 0 ? x * base * base * base : 0;
    }
    const double next = x + 1;
    const double base = 1 - 1 / (9 * next) + z / (3 * std::sqrt(next));
    return {lower, next * base * base * base};
}

CLimits NormalPoissonLimits(double x, double z)
{
    if (!ValidCount(x, z))
        return {kNaN, kNaN};
    const double half = z * std::sqrt(x);
    return {std::max(0.0, x - half), x + half};
}

double PoissonDoubledTailP(double x, double expected)
{
    if (!ValidTest(x, expected))
        return kNaN;
    const double smaller = std::min(PoissonLowerTail(x, expected), PoissonUpperTail(x, expected));
    return std::min(1.0, 2 * smaller);
}

double PoissonMidPTwoSidedP(double x, double expected)
{
    if (!ValidTest(x, expected))
        return kNaN;
    const double half = 0.5 * PoissonPoint(x, expected);
    const double smaller = std::min(PoissonLowerTail(x, expected), PoissonUpperTail(x, expected)) - half;
    return std::min(1.0, 2 * smaller);
}
