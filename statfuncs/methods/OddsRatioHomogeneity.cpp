// Homogeneity of stratified odds ratios. The fitted cell of Breslow and Day's test solves a
// quadratic in closed form (the stable root), then one Newton step removes the rounding left by
// cancellation in tables of a billion counts.
#include "OddsRatioHomogeneity.h"

#include "ElementaryFunctions.h"

#include <algorithm>
#include <cmath>
#include <limits>

namespace
{
constexpr double kNaN = std::numeric_limits<double>::quiet_NaN();

CHomogeneityTest Undefined(int used)
{
    return {kNaN, kNaN, used};
}
} // namespace

double FittedCell(double r1, double r2, double c1, double psi)
{
    const double n = r1 + r2;
    if (!(psi > 0) || !std::isfinite(psi) || !(r1 > 0) || !(r2 > 0) || !(c1 > 0) || !(c1 < n))
        return kNaN;
    const double low = std::max(0.0, c1 - r2), high = std::min(r1, c1);
    // f(A) = (1 - psi) A^2 + (r2 - c1 + psi (r1 + c1)) A - psi r1 c1 rises from f(low) < 0 to
    // f(high) > 0.
    const double qa = 1 - psi, qb = r2 - c1 + psi * (r1 + c1), qc = -psi * r1 * c1;
    double fitted = 0;
    if (qa == 0) {
        fitted = -qc / qb;
    } else {
        // The root qc / q is the well-conditioned one as psi nears 1 (qa near 0).
        const double root = std::sqrt(qb * qb - 4 * qa * qc);
        const double q = -0.5 * (qb + std::copysign(root, qb));
        const double first = q / qa, second = qc / q;
        // f rises on [low, high], so only one root lies there; rounding may put it just outside.
        const auto distance = [low, high](double x) {
            return std::isnan(x) ? std::numeric_limits<double>::infinity() : std::max({low - x, x - high, 0.0});
        };
        fitted = distance(first) <= distance(second) ? first : second;
    }
    fitted = std::clamp(fitted, low, high);
    const double value = (qa * fitted + qb) * fitted + qc, slope = 2 * qa * fitted + qb;
    if (slope > 0)
        fitted = std::clamp(fitted - value / slope, low, high);
    return fitted;
}

CBreslowDay BreslowDayTest(const std::vector<CStratumCounts>& strata, double psi)
{
    double sum = 0, sumA = 0, sumFitted = 0, sumVar = 0;
    int used = 0;
    for (const CStratumCounts& t : strata) {
        if (t.HasEmptyMargin())
            continue;
        ++used;
        const double r1 = t.a + t.b, r2 = t.c + t.d, c1 = t.a + t.c;
        const double fitted = FittedCell(r1, r2, c1, psi);
        // The variance of a given the margins and the odds ratio psi (Breslow and Day, eq. 4.30).
        const double var = 1 / (1 / fitted + 1 / (r1 - fitted) + 1 / (c1 - fitted) + 1 / (r2 - c1 + fitted));
        sum += (t.a - fitted) * (t.a - fitted) / var;
        sumA += t.a;
        sumFitted += fitted;
        sumVar += var;
    }
    if (used < 2 || !std::isfinite(sum) || !(sumVar > 0))
        return {Undefined(used), Undefined(used)};
    const double df = used - 1;
    const double correction = (sumA - sumFitted) * (sumA - sumFitted) / sumVar;
    return {{sum, df, used}, {std::max(0.0, sum - correction), df, used}};
}

CHomogeneityTest WoolfTest(const std::vector<CStratumCounts>& strata)
{
    const auto weight = [](const CStratumCounts& t) { return 1 / (1 / t.a + 1 / t.b + 1 / t.c + 1 / t.d); };
    const auto logOddsRatio = [](const CStratumCounts& t) {
        return zmath::Log(t.a) + zmath::Log(t.d) - zmath::Log(t.b) - zmath::Log(t.c);
    };
    double sumW = 0, sumWL = 0;
    int used = 0;
    for (const CStratumCounts& t : strata) {
        if (t.HasZeroCell())
            continue;
        ++used;
        sumW += weight(t);
        sumWL += weight(t) * logOddsRatio(t);
    }
    if (used < 2)
        return Undefined(used);
    const double mean = sumWL / sumW;
    double chi2 = 0;
    for (const CStratumCounts& t : strata)
        if (!t.HasZeroCell())
            chi2 += weight(t) * (logOddsRatio(t) - mean) * (logOddsRatio(t) - mean);
    return {chi2, static_cast<double>(used - 1), used};
}
