// Root searches for exact limits: the parameter at which a monotone tail probability reaches a
// target, found by bracketing and Boost's TOMS 748 to 1e-10 relative.
#pragma once

#include <functional>

/// The x in [lower, upper] with f(x) = target, for f monotone (either way) on the interval; f
/// is evaluated at most `maxCalls` times. NaN when target is not between f(lower) and f(upper)
/// or f is not finite there.
double SolveMonotone(const std::function<double(double)>& f, double target, double lower, double upper,
                     int maxCalls = 300);

/// The same for a positive parameter searched on the log scale (a ratio or a rate): starts from
/// `guess` and widens the bracket by factors of 10 until f crosses the target, up to
/// [1e-300, 1e300]. NaN when it never crosses.
double SolvePositive(const std::function<double(double)>& f, double target, double guess, int maxCalls = 600);

/// Relative tolerance of the searches.
inline constexpr double kRootTolerance = 1e-10;
