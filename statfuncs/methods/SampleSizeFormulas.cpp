// Sample sizes of two proportions by three normal-approximation formulas.
#include "SampleSizeFormulas.h"

#include "ConfidenceLevel.h"

#include <cmath>
#include <limits>

namespace
{
constexpr double kNaN = std::numeric_limits<double>::quiet_NaN();

bool Valid(double p1, double p2, double ratio)
{
    return p1 >= 0 && p1 <= 1 && p2 >= 0 && p2 <= 1 && p1 != p2 && ratio > 0 && std::isfinite(ratio);
}

/// The proportion of both groups together, group 2 weighted by the ratio of the sizes.
double PooledProportion(double p1, double p2, double ratio)
{
    return (p1 + ratio * p2) / (ratio + 1);
}

CGroupSizes Sizes(double group1, double ratio)
{
    return {group1, group1 * ratio};
}
} // namespace

CGroupSizes KelseySizes(double p1, double p2, double ratio, double levelPercent, double powerPercent)
{
    if (!Valid(p1, p2, ratio))
        return {kNaN, kNaN};
    const double z = NormalQuantileOfLevel(levelPercent) + NormalQuantile(powerPercent / 100);
    const double p = PooledProportion(p1, p2, ratio);
    return Sizes(z * z * p * (1 - p) * (ratio + 1) / (ratio * (p1 - p2) * (p1 - p2)), ratio);
}

CGroupSizes FleissSizes(double p1, double p2, double ratio, double levelPercent, double powerPercent)
{
    if (!Valid(p1, p2, ratio))
        return {kNaN, kNaN};
    const double p = PooledProportion(p1, p2, ratio);
    const double root = NormalQuantileOfLevel(levelPercent) * std::sqrt((ratio + 1) * p * (1 - p)) +
                        NormalQuantile(powerPercent / 100) * std::sqrt(ratio * p1 * (1 - p1) + p2 * (1 - p2));
    return Sizes(root * root / (ratio * (p1 - p2) * (p1 - p2)), ratio);
}

CGroupSizes FleissCorrectedSizes(double p1, double p2, double ratio, double levelPercent, double powerPercent)
{
    const double n = FleissSizes(p1, p2, ratio, levelPercent, powerPercent).group1;
    if (!(n > 0))
        return {kNaN, kNaN};
    const double root = 1 + std::sqrt(1 + 2 * (ratio + 1) / (n * ratio * std::fabs(p1 - p2)));
    return Sizes(n / 4 * root * root, ratio);
}

double RoundUpSize(double size)
{
    if (!std::isfinite(size))
        return kNaN;
    return std::ceil(size - 1e-9);
}
