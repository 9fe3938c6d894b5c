// Byar and normal limits of a Poisson count and the two-sided tests of a count against its
// expectation, on the exact tails of ExactLimits.
#include "PoissonIntervals.h"

#include <algorithm>
#include <cmath>
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
} // namespace

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

double PoissonTwoSidedP(double x, double expected)
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
