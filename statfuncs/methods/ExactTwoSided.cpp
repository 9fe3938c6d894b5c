// Exact two-sided p-values. The point probability falls on each side of the mean, so the
// outcomes on the far side that are no more probable than the observed one form a tail; its
// cut point is found by bisection on the point probability and the tail summed with the tail
// functions, so n = 10^9 costs some thirty point probabilities instead of 10^9 terms.
#include "ExactTwoSided.h"

#include "ExactLimits.h"

#include <algorithm>
#include <cmath>
#include <functional>
#include <limits>

namespace
{
constexpr double kNaN = std::numeric_limits<double>::quiet_NaN();

/// The least whole k in [from, to] with point(k) <= limit, for point non-increasing there;
/// to + 1 when there is none.
double FirstAtMost(const std::function<double(double)>& point, double limit, double from, double to)
{
    if (point(to) > limit)
        return to + 1;
    while (from < to) { // point(to) <= limit holds throughout
        const double mid = std::floor(from + (to - from) / 2);
        if (point(mid) <= limit)
            to = mid;
        else
            from = mid + 1;
    }
    return to;
}

/// The greatest whole k in [from, to] with point(k) <= limit, for point non-decreasing there;
/// from - 1 when there is none.
double LastAtMost(const std::function<double(double)>& point, double limit, double from, double to)
{
    if (point(from) > limit)
        return from - 1;
    while (from < to) { // point(from) <= limit holds throughout
        const double mid = std::ceil(from + (to - from) / 2);
        if (point(mid) <= limit)
            from = mid;
        else
            to = mid - 1;
    }
    return from;
}

/// Counts up to 10^15 step by whole numbers exactly in a double; beyond, a bisection could stall
/// on a step of less than one.
constexpr double kLargestCount = 1e15;

bool Whole(double x)
{
    return std::isfinite(x) && x == std::floor(x) && std::fabs(x) <= kLargestCount;
}
} // namespace

double BinomialTwoSidedP(double x, double n, double p)
{
    if (!Whole(x) || !Whole(n) || n < 1 || x < 0 || x > n || !(p >= 0 && p <= 1))
        return kNaN;
    const double mean = n * p;
    if (x == mean)
        return 1;
    const double limit = BinomialPoint(x, n, p) * kExactTieFactor;
    const auto point = [&](double k) { return BinomialPoint(k, n, p); };
    double sum = 0;
    if (x < mean) {
        // The point probability does not rise from ceil(np) (at or above the mode) to n.
        const double cut = FirstAtMost(point, limit, std::ceil(mean), n);
        sum = BinomialLowerTail(x, n, p) + (cut > n ? 0 : BinomialUpperTail(cut, n, p));
    } else {
        // Nor does it fall from 0 to floor(np).
        const double cut = LastAtMost(point, limit, 0, std::floor(mean));
        sum = (cut < 0 ? 0 : BinomialLowerTail(cut, n, p)) + BinomialUpperTail(x, n, p);
    }
    return std::min(1.0, sum);
}

double PoissonTwoSidedP(double x, double mean)
{
    if (!Whole(x) || x < 0 || !(mean > 0) || !(mean <= kLargestCount))
        return kNaN;
    if (x == mean)
        return 1;
    const double observed = PoissonPoint(x, mean);
    const double limit = observed * kExactTieFactor;
    const auto point = [&](double k) { return PoissonPoint(k, mean); };
    double sum = 0;
    if (x < mean) {
        // Above the mean the point probability falls without end: double the far end until it
        // is no more probable than x, then bisect.
        double far = std::ceil(2 * mean - x);
        while (point(far) > observed && far < 1e300)
            far *= 2;
        const double cut = FirstAtMost(point, limit, std::ceil(mean), far);
        sum = PoissonLowerTail(x, mean) + PoissonUpperTail(cut, mean);
    } else {
        const double cut = LastAtMost(point, limit, 0, std::floor(mean));
        sum = (cut < 0 ? 0 : PoissonLowerTail(cut, mean)) + PoissonUpperTail(x, mean);
    }
    return std::min(1.0, sum);
}
