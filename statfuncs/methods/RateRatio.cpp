// Conditional (binomial) inference on a rate ratio; see Breslow & Day, Statistical Methods in
// Cancer Research II, section 2.2, and Rothman & Greenland, Modern Epidemiology, chapter 14.
#include "RateRatio.h"

#include "ConfidenceLevel.h"
#include "ElementaryFunctions.h"

#include <algorithm>
#include <cmath>
#include <limits>

namespace
{
constexpr double kNaN = std::numeric_limits<double>::quiet_NaN();

bool Valid(double x1, double t1, double x2, double t2)
{
    return x1 >= 0 && x2 >= 0 && x1 + x2 >= 1 && t1 > 0 && t2 > 0 && std::isfinite(t1) && std::isfinite(t2);
}

/// Ratio limits from binomial limits of x1 of n and of x2 of n (the same interval mirrored):
/// the odds pi / (1 - pi) of a limit of x1 take 1 - pi from the mirrored limit of x2, so the
/// odds keep their relative precision however close pi is to 1.
CLimits RatioFromBinomial(const CLimits& ofX1, const CLimits& ofX2, double t1, double t2)
{
    const double scale = t2 / t1;
    const double lower = ofX1.lower == 0 ? 0 : ofX1.lower / ofX2.upper * scale;
    const double upper = ofX2.lower == 0 ? std::numeric_limits<double>::infinity() : ofX1.upper / ofX2.lower * scale;
    return {lower, upper};
}
} // namespace

CLimits ExactRateRatioLimits(double x1, double t1, double x2, double t2, double levelPercent)
{
    if (!Valid(x1, t1, x2, t2))
        return {kNaN, kNaN};
    return RatioFromBinomial(ClopperPearsonLimits(x1, x1 + x2, levelPercent),
                             ClopperPearsonLimits(x2, x1 + x2, levelPercent), t1, t2);
}

CLimits MidPRateRatioLimits(double x1, double t1, double x2, double t2, double levelPercent)
{
    if (!Valid(x1, t1, x2, t2))
        return {kNaN, kNaN};
    return RatioFromBinomial(MidPBinomialLimits(x1, x1 + x2, levelPercent),
                             MidPBinomialLimits(x2, x1 + x2, levelPercent), t1, t2);
}

CLimits WaldRateRatioLimits(double x1, double t1, double x2, double t2, double levelPercent)
{
    if (!Valid(x1, t1, x2, t2) || x1 == 0 || x2 == 0)
        return {kNaN, kNaN};
    const double logRatio = zmath::Log(x1 / t1) - zmath::Log(x2 / t2);
    const double half = NormalQuantileOfLevel(levelPercent) * std::sqrt(1 / x1 + 1 / x2);
    return {zmath::Exp(logRatio - half), zmath::Exp(logRatio + half)};
}

double ExactRateRatioTestP(double x1, double t1, double x2, double t2)
{
    if (!Valid(x1, t1, x2, t2))
        return kNaN;
    const double n = x1 + x2;
    const double p = t1 / (t1 + t2);
    const double mean = n * p;
    if (x1 == mean)
        return 1;
    // Probabilities within a relative 1e-7 of the observed one count as equal to it, as in R.
    const double threshold = BinomialPoint(x1, n, p) * (1 + 1e-7);
    const auto atMost = [&](double i) { return BinomialPoint(i, n, p) <= threshold; };
    // On the far side of the mean the probabilities fall monotonically away from it, so the
    // counts no more likely than x1 form one run out to the end, found by bisection.
    if (x1 < mean) {
        double lo = std::ceil(mean), hi = n + 1; // first i in [ceil(mean), n] with atMost(i); n + 1 if none
        while (lo < hi) {
            const double mid = std::floor((lo + hi) / 2);
            if (atMost(mid))
                hi = mid;
            else
                lo = mid + 1;
        }
        const double far = lo > n ? 0 : BinomialUpperTail(lo, n, p);
        return std::min(1.0, BinomialLowerTail(x1, n, p) + far);
    }
    double lo = -1, hi = std::floor(mean); // last i in [0, floor(mean)] with atMost(i); -1 if none
    while (lo < hi) {
        const double mid = std::ceil((lo + hi) / 2);
        if (atMost(mid))
            lo = mid;
        else
            hi = mid - 1;
    }
    const double far = lo < 0 ? 0 : BinomialLowerTail(lo, n, p);
    return std::min(1.0, far + BinomialUpperTail(x1, n, p));
}

double MidPRateRatioTestP(double x1, double t1, double x2, double t2)
{
    if (!Valid(x1, t1, x2, t2))
        return kNaN;
    const double n = x1 + x2;
    const double p = t1 / (t1 + t2);
    const double half = 0.5 * BinomialPoint(x1, n, p);
    const double lowerTail = BinomialLowerTail(x1, n, p) - half;
    const double upperTail = BinomialUpperTail(x1, n, p) - half;
    return std::min(1.0, 2 * std::min(lowerTail, upperTail));
}
