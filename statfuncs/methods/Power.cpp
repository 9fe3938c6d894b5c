// Power of two-sided comparisons of two proportions and two means, and detectable effects.
#include "Power.h"

#include "ConfidenceLevel.h"
#include "QuietPolicy.h"
#include "RootSearch.h"

#include <boost/math/distributions/non_central_t.hpp>
#include <boost/math/distributions/students_t.hpp>
#include <cmath>
#include <limits>
#include <stdexcept>

namespace
{
constexpr double kNaN = std::numeric_limits<double>::quiet_NaN();

/// Group sizes beyond 10^12 are no study; the noncentral t is not asked about them.
constexpr double kLargestSize = 1e12;

bool ValidSizes(double n1, double n2)
{
    return n1 > 0 && n2 > 0 && n1 <= kLargestSize && n2 <= kLargestSize;
}

/// The standard error of a difference of means per unit of SD.
double MeanDifferenceScale(double n1, double n2)
{
    return std::sqrt(1 / n1 + 1 / n2);
}
} // namespace

double TwoProportionsPower(double p1, double p2, double n1, double n2, double levelPercent, bool corrected)
{
    if (!(p1 >= 0 && p1 <= 1 && p2 >= 0 && p2 <= 1) || !ValidSizes(n1, n2))
        return kNaN;
    const double ratio = n2 / n1;
    const double difference = std::fabs(p1 - p2);
    double n = n1;
    if (corrected) {
        const double half = (ratio + 1) / (2 * ratio * difference);
        n = n1 > half ? (n1 - half) * (n1 - half) / n1 : 0;
    }
    const double p = (p1 + ratio * p2) / (ratio + 1);
    const double spread = std::sqrt(ratio * p1 * (1 - p1) + p2 * (1 - p2));
    const double z = (difference * std::sqrt(ratio * n) -
                      NormalQuantileOfLevel(levelPercent) * std::sqrt((ratio + 1) * p * (1 - p))) /
                     spread;
    if (std::isnan(z))
        return kNaN;
    return 100 * NormalUpperTail(-z);
}

double DetectableProportion(double p1, double n1, double n2, double levelPercent, double powerPercent, bool above)
{
    if (!(p1 >= 0 && p1 <= 1) || !ValidSizes(n1, n2))
        return kNaN;
    const auto power = [&](double p2) { return TwoProportionsPower(p1, p2, n1, n2, levelPercent, false); };
    // At p2 = p1 itself the power is 0 / 0 when p1 is 0 or 1; a step of 1e-12 away gives the
    // same bracket without it, and no size of up to 10^9 detects a smaller difference.
    constexpr double kStep = 1e-12;
    if (above)
        return p1 + kStep < 1 ? SolveMonotone(power, powerPercent, p1 + kStep, 1) : kNaN;
    return p1 - kStep > 0 ? SolveMonotone(power, powerPercent, 0, p1 - kStep) : kNaN;
}

double TwoMeansPowerT(double difference, double sd, double n1, double n2, double levelPercent)
{
    if (!(sd > 0) || !std::isfinite(difference) || !ValidSizes(n1, n2) || n1 + n2 < 3)
        return kNaN;
    const double df = n1 + n2 - 2;
    const double noncentrality = std::fabs(difference) / (sd * MeanDifferenceScale(n1, n2));
    const boost::math::students_t_distribution<double, QuietPolicy> central(df);
    const double critical = boost::math::quantile(central, 1 - AlphaOfLevel(levelPercent) / 2);
    // Far beyond the critical value the power is 1 to double precision: the shifted t falls
    // below it only when the root of chi-square / df exceeds noncentrality / (2 critical) > 10,
    // some e^-50 even with 1 degree of freedom. The noncentral t's series would also fail on
    // the square of a huge noncentrality.
    if (noncentrality > 20 * critical + 40)
        return 100;
    try {
        const boost::math::non_central_t_distribution<double, QuietPolicy> shifted(df, noncentrality);
        return 100 * boost::math::cdf(boost::math::complement(shifted, critical));
    } catch (const std::exception&) {
        // An error the quiet policy does not cover (a rounding error of the series): no value.
        return kNaN;
    }
}

double TwoMeansPowerNormal(double difference, double sd, double n1, double n2, double levelPercent)
{
    if (!(sd > 0) || !std::isfinite(difference) || !ValidSizes(n1, n2))
        return kNaN;
    const double z = std::fabs(difference) / (sd * MeanDifferenceScale(n1, n2)) - NormalQuantileOfLevel(levelPercent);
    return 100 * NormalUpperTail(-z);
}

double DetectableDifferenceT(double sd, double n1, double n2, double levelPercent, double powerPercent)
{
    const double guess = DetectableDifferenceNormal(sd, n1, n2, levelPercent, powerPercent);
    if (!(guess > 0) || n1 + n2 < 3)
        return kNaN;
    const auto power = [&](double difference) { return TwoMeansPowerT(difference, sd, n1, n2, levelPercent); };
    return SolvePositive(power, powerPercent, guess);
}

double DetectableDifferenceNormal(double sd, double n1, double n2, double levelPercent, double powerPercent)
{
    if (!(sd > 0) || !ValidSizes(n1, n2))
        return kNaN;
    return (NormalQuantileOfLevel(levelPercent) + NormalQuantile(powerPercent / 100)) * sd *
           MeanDifferenceScale(n1, n2);
}
