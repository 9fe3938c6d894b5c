// Welch's unequal-variance t test (Welch 1947) with the Welch-Satterthwaite degrees of freedom
// (Satterthwaite 1946), on Boost.Math's Student t with fractional degrees of freedom.
#include "Welch.h"

#include "ConfidenceLevel.h"
#include "QuietPolicy.h"

#include <boost/math/distributions/students_t.hpp>
#include <cmath>
#include <limits>

CWelchTest WelchTest(double n1, double mean1, double sd1, double n2, double mean2, double sd2, double levelPercent)
{
    constexpr double kNaN = std::numeric_limits<double>::quiet_NaN();
    CWelchTest result{mean1 - mean2, kNaN, kNaN, kNaN, kNaN, kNaN, kNaN};
    if (!(n1 >= 2 && n2 >= 2 && sd1 > 0 && sd2 > 0))
        return result;
    const double v1 = sd1 * sd1 / n1;
    const double v2 = sd2 * sd2 / n2;
    result.se = std::sqrt(v1 + v2);
    // Scaled by the larger variance so that neither the squares nor their sum overflow.
    const double a = v1 / std::fmax(v1, v2);
    const double b = v2 / std::fmax(v1, v2);
    result.df = (a + b) * (a + b) / (a * a / (n1 - 1) + b * b / (n2 - 1));
    if (!std::isfinite(result.se) || !(result.se > 0) || !std::isfinite(result.df))
        return result;
    result.t = result.difference / result.se;
    const boost::math::students_t_distribution<double, QuietPolicy> t(result.df);
    result.p = 2 * boost::math::cdf(boost::math::complement(t, std::fabs(result.t)));
    const double critical = boost::math::quantile(boost::math::complement(t, AlphaOfLevel(levelPercent) / 2));
    result.lower = result.difference - critical * result.se;
    result.upper = result.difference + critical * result.se;
    return result;
}
