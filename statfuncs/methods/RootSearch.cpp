// Root searches for exact limits (TOMS 748 with a relative tolerance on the parameter).
#include "RootSearch.h"

#include "QuietPolicy.h"

#include <boost/math/tools/roots.hpp>
#include <boost/math/tools/toms748_solve.hpp>
#include <cmath>
#include <cstdint>
#include <limits>

namespace
{
constexpr double kNaN = std::numeric_limits<double>::quiet_NaN();

/// Stops when the bracket is within kRootTolerance of its ends, relative.
bool CloseEnough(double a, double b)
{
    return std::fabs(a - b) <= kRootTolerance * std::fmin(std::fabs(a), std::fabs(b)) || a == b;
}

double Solve(const std::function<double(double)>& g, double lower, double upper, double gLower, double gUpper,
             int maxCalls)
{
    if (gLower == 0)
        return lower;
    if (gUpper == 0)
        return upper;
    std::uintmax_t calls = static_cast<std::uintmax_t>(maxCalls > 0 ? maxCalls : 1);
    const auto tolerance = [](double a, double b) { return CloseEnough(a, b) || std::fabs(a - b) < 1e-300; };
    const auto bracket =
        boost::math::tools::toms748_solve(g, lower, upper, gLower, gUpper, tolerance, calls, QuietPolicy());
    return 0.5 * (bracket.first + bracket.second);
}
} // namespace

double SolveMonotone(const std::function<double(double)>& f, double target, double lower, double upper, int maxCalls)
{
    const auto g = [&](double x) { return f(x) - target; };
    const double gLower = g(lower);
    const double gUpper = g(upper);
    if (!std::isfinite(gLower) || !std::isfinite(gUpper) || (gLower > 0) == (gUpper > 0))
        return gLower == 0 ? lower : gUpper == 0 ? upper : kNaN;
    return Solve(g, lower, upper, gLower, gUpper, maxCalls - 2);
}

double SolvePositive(const std::function<double(double)>& f, double target, double guess, int maxCalls)
{
    if (!(guess > 0) || !std::isfinite(guess))
        guess = 1;
    // Search t = log(x): relative tolerance on x is an absolute one on t, so compare x itself.
    const auto g = [&](double x) { return f(x) - target; };
    double lower = guess;
    double upper = guess;
    double gLower = g(lower);
    double gUpper = gLower;
    if (!std::isfinite(gLower))
        return kNaN;
    int calls = 1;
    // Widen downwards and upwards until the sign changes (f may rise or fall with x).
    while ((gLower > 0) == (gUpper > 0) && gLower != 0 && gUpper != 0) {
        if (calls >= maxCalls || (lower < 1e-300 && upper > 1e300))
            return kNaN;
        if (lower >= 1e-300) {
            const double next = lower / 10;
            const double gNext = g(next);
            ++calls;
            if (std::isfinite(gNext) && (gNext > 0) != (gLower > 0)) {
                upper = lower;
                gUpper = gLower;
                lower = next;
                gLower = gNext;
                break;
            }
            lower = next;
            gLower = std::isfinite(gNext) ? gNext : gLower;
        }
        if (upper <= 1e300) {
            const double next = upper * 10;
            const double gNext = g(next);
            ++calls;
            if (std::isfinite(gNext) && (gNext > 0) != (gUpper > 0)) {
                lower = upper;
                gLower = gUpper;
                upper = next;
                gUpper = gNext;
                break;
            }
            upper = next;
            gUpper = std::isfinite(gNext) ? gNext : gUpper;
        }
    }
    return Solve(g, lower, upper, gLower, gUpper, maxCalls - calls);
}
