// Wilson, corrected score and Agresti-Coull intervals of a proportion (closed forms).
#include "ProportionIntervals.h"

#include <algorithm>
#include <cmath>
#include <limits>

namespace
{
constexpr double kNaN = std::numeric_limits<double>::quiet_NaN();

bool Valid(double x, double n, double z)
{
    return n >= 1 && x >= 0 && x <= n && z > 0 && std::isfinite(z) && std::isfinite(n);
}

/// Keeps a limit pair inside 0..1 and pins the bound beyond an observed 0 or n.
CLimits Bounded(double x, double n, double lower, double upper)
{
    lower = x == 0 ? 0 : std::clamp(lower, 0.0, 1.0);
    upper = x == n ? 1 : std::clamp(upper, 0.0, 1.0);
    return {lower, upper};
}
} // namespace

CLimits WilsonScoreLimits(double x, double n, double z)
{
    if (!Valid(x, n, z))
        return {kNaN, kNaN};
    const double zz = z * z;
    const double centre = (x + zz / 2) / (n + zz);
    // x (n - x) / n rather than n p q, so that x = n gives exactly 0 inside the root.
    const double half = z * std::sqrt(x * (n - x) / n + zz / 4) / (n + zz);
    return Bounded(x, n, centre - half, centre + half);
}

CLimits CorrectedScoreLimits(double x, double n, double z)
{
    if (!Valid(x, n, z))
        return {kNaN, kNaN};
    const double zz = z * z;
    const double p = x / n;
    const double q = 1 - p;
    const double denominator = 2 * (n + zz);
    // The roots are negative only beyond an observed 0 or n, where Bounded pins the limit.
    const double lower =
        (2 * x + zz - 1 - z * std::sqrt(std::max(0.0, zz - 2 - 1 / n + 4 * p * (n * q + 1)))) / denominator;
    const double upper =
        (2 * x + zz + 1 + z * std::sqrt(std::max(0.0, zz + 2 - 1 / n + 4 * p * (n * q - 1)))) / denominator;
    return Bounded(x, n, lower, upper);
}

CLimits AgrestiCoullLimits(double x, double n, double z)
{
    if (!Valid(x, n, z))
        return {kNaN, kNaN};
    const double zz = z * z;
    const double trials = n + zz;
    const double centre = (x + zz / 2) / trials;
    const double half = z * std::sqrt(centre * (1 - centre) / trials);
    // Near 0 and n the adjusted Wald interval reaches past 0..1; it is cut there.
    return {std::max(0.0, centre - half), std::min(1.0, centre + half)};
}
