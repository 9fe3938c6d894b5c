// Large-sample limits of the odds ratio, the ratio and the difference of two proportions, and
// the chi-squares of a 2x2 table.
#include "TwoByTwoIntervals.h"

#include "ConfidenceLevel.h"
#include "ElementaryFunctions.h"
#include "RootSearch.h"

#include <algorithm>
#include <cmath>
#include <limits>

namespace
{
constexpr double kNaN = std::numeric_limits<double>::quiet_NaN();
constexpr double kInfinity = std::numeric_limits<double>::infinity();

bool AnyMarginZero(const CTable2x2& t)
{
    return t.a + t.b == 0 || t.c + t.d == 0 || t.a + t.c == 0 || t.b + t.d == 0;
}

/// Cornfield's limit on one side. The table moves by `shift` from the observed towards the
/// side's bound, where the cell `room` reaches 0; the search runs on the distance w of that cell
/// from 0, so the smallest cell, and with it the odds ratio, keeps its relative precision.
double CornfieldLimit(const CTable2x2& t, double zSquared, bool lower)
{
    // Lower limit: a and d fall by the shift, b and c rise; the upper limit the other way.
    const double room = lower ? std::min(t.a, t.d) : std::min(t.b, t.c);
    if (room == 0)
        return lower ? 0 : kInfinity;
    // The falling cells are (cell - room) + w, exact for the one that reaches 0.
    const auto fitted = [&](double w) {
        const double shift = room - w;
        return lower ? CTable2x2{t.a - room + w, t.b + shift, t.c + shift, t.d - room + w}
                     : CTable2x2{t.a + shift, t.b - room + w, t.c - room + w, t.d + shift};
    };
    const auto statistic = [&](double w) {
        const CTable2x2 f = fitted(w);
        const double shift = room - w;
        // The observed table itself may hold a zero cell: its statistic is 0 all the same.
        return shift == 0 ? 0 : shift * shift * (1 / f.a + 1 / f.b + 1 / f.c + 1 / f.d);
    };
    // At w = room the fitted table is the observed one (statistic 0); as w falls to 0 a cell
    // empties and the statistic grows without bound.
    const double w = SolveMonotone(statistic, zSquared, room * 1e-250, room);
    const CTable2x2 f = fitted(w);
    return f.a * f.d / (f.b * f.c);
}

/// Koopman's chi-square at the ratio `ratio`: the proportions fitted under p1 = ratio * p2 by
/// maximum likelihood (the smaller root of N ratio p2^2 - (ratio (n1 + x2) + x1 + n2) p2 +
/// x1 + x2 = 0, in its stable form), then the Pearson chi-square of both binomials.
double KoopmanStatistic(double x1, double n1, double x2, double n2, double ratio)
{
    const double a = ratio * (n1 + n2);
    const double b = ratio * (n1 + x2) + x1 + n2;
    const double c = x1 + x2;
    // b^2 - 4ac as (b - 2 sqrt(ac)) (b + 2 sqrt(ac)): no overflow at ratios far from 1.
    const double root = std::sqrt(a * c);
    const double p2 = 2 * c / (b + std::sqrt(std::max(0.0, b - 2 * root)) * std::sqrt(b + 2 * root));
    const double p1 = std::min(1.0, ratio * p2);
    const auto term = [](double x, double n, double p) {
        const double e = n * p;
        return x == e ? 0 : (x - e) * (x - e) / (e * (1 - p));
    };
    return term(x1, n1, p1) + term(x2, n2, p2);
}

/// The ratio beyond `estimate` (below it when `down`) where `statistic` reaches `target`: the
/// bracket widens by factors of 10 from the estimate, then TOMS 748 closes in.
template <class F> double SolveBeyond(F statistic, double target, double estimate, bool down)
{
    double near = estimate;
    for (int step = 0; step < 620; ++step) {
        const double far = down ? near / 10 : near * 10;
        const double value = statistic(far);
        if (!(value < target) || far < 1e-300 || far > 1e300) {
            if (!(value >= target))
                return kNaN;
            return down ? SolveMonotone(statistic, target, far, near) : SolveMonotone(statistic, target, near, far);
        }
        near = far;
    }
    return kNaN;
}
} // namespace

double SampleOddsRatio(const CTable2x2& t)
{
    return t.a * t.d / (t.b * t.c);
}

CLimits WoolfLimits(const CTable2x2& t, double levelPercent)
{
    if (t.a == 0 || t.b == 0 || t.c == 0 || t.d == 0)
        return {kNaN, kNaN};
    const double logRatio = zmath::Log(SampleOddsRatio(t));
    const double spread = NormalQuantileOfLevel(levelPercent) * std::sqrt(1 / t.a + 1 / t.b + 1 / t.c + 1 / t.d);
    return {zmath::Exp(logRatio - spread), zmath::Exp(logRatio + spread)};
}

CLimits CornfieldLimits(const CTable2x2& t, double levelPercent)
{
    if (AnyMarginZero(t))
        return {kNaN, kNaN};
    const double z = NormalQuantileOfLevel(levelPercent);
    return {CornfieldLimit(t, z * z, true), CornfieldLimit(t, z * z, false)};
}

double ProportionRatio(double x1, double n1, double x2, double n2)
{
    if (n1 == 0 || n2 == 0)
        return kNaN;
    return (x1 / n1) / (x2 / n2);
}

CLimits RatioWaldLimits(double x1, double n1, double x2, double n2, double levelPercent)
{
    if (x1 == 0 || x2 == 0 || n1 == 0 || n2 == 0)
        return {kNaN, kNaN};
    const double logRatio = zmath::Log(ProportionRatio(x1, n1, x2, n2));
    const double spread = NormalQuantileOfLevel(levelPercent) * std::sqrt(1 / x1 - 1 / n1 + 1 / x2 - 1 / n2);
    return {zmath::Exp(logRatio - spread), zmath::Exp(logRatio + spread)};
}

CLimits RatioScoreLimits(double x1, double n1, double x2, double n2, double levelPercent)
{
    const double estimate = ProportionRatio(x1, n1, x2, n2);
    if (std::isnan(estimate))
        return {kNaN, kNaN};
    const double z = NormalQuantileOfLevel(levelPercent);
    const auto statistic = [&](double ratio) { return KoopmanStatistic(x1, n1, x2, n2, ratio); };
    // With x2 = 0 the estimate is infinite and the lower limit is searched for from far above
    // it; with x1 = 0 the upper from far below.
    const double lower = x1 == 0 ? 0 : SolveBeyond(statistic, z * z, x2 == 0 ? 1e200 : estimate, true);
    const double upper = x2 == 0 ? kInfinity : SolveBeyond(statistic, z * z, x1 == 0 ? 1e-200 : estimate, false);
    return {lower, upper};
}

CLimits WilsonLimits(double x, double n, double levelPercent)
{
    if (!(n >= 1 && x >= 0 && x <= n))
        return {kNaN, kNaN};
    const double z = NormalQuantileOfLevel(levelPercent);
    const double centre = (x + z * z / 2) / (n + z * z);
    const double half = z * std::sqrt(x * (n - x) / n + z * z / 4) / (n + z * z);
    return {x == 0 ? 0 : centre - half, x == n ? 1 : centre + half};
}

CLimits DifferenceNewcombeLimits(double x1, double n1, double x2, double n2, double levelPercent)
{
    if (n1 == 0 || n2 == 0)
        return {kNaN, kNaN};
    const double p1 = x1 / n1, p2 = x2 / n2;
    const CLimits w1 = WilsonLimits(x1, n1, levelPercent), w2 = WilsonLimits(x2, n2, levelPercent);
    const double difference = p1 - p2;
    return {difference - std::hypot(p1 - w1.lower, w2.upper - p2),
            difference + std::hypot(w1.upper - p1, p2 - w2.lower)};
}

CChiSquares TableChiSquares(const CTable2x2& t)
{
    if (AnyMarginZero(t))
        return {kNaN, kNaN};
    const double n = t.a + t.b + t.c + t.d;
    const double margins = (t.a + t.b) * (t.c + t.d) * (t.a + t.c) * (t.b + t.d);
    const double cross = std::fabs(t.a * t.d - t.b * t.c);
    const double corrected = std::max(0.0, cross - n / 2);
    return {n * cross / margins * cross, n * corrected / margins * corrected};
}

double ChiSquare1UpperTail(double chiSquare)
{
    if (!(chiSquare >= 0))
        return kNaN;
    return 2 * NormalUpperTail(std::sqrt(chiSquare));
}
