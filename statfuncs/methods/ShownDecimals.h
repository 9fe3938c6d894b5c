// How many decimals a report of the newer types gives an estimate and its limits: enough to
// tell the limits apart, from tiny proportions and rates up to counts of 10^9.
#pragma once

#include <algorithm>
#include <cmath>

/// Decimals that show two significant digits of `width` (an interval's width), at least `least`
/// and at most 15: 4 for [0.0000, 0.0362], 11 for [0, 3.69e-9].
inline int DecimalsForWidth(double width, int least)
{
    if (!(width > 0) || !std::isfinite(width))
        return least;
    const double wanted = std::ceil(-std::log10(width)) + 2;
    return static_cast<int>(std::clamp(wanted, static_cast<double>(least), 15.0));
}

/// Decimals of a typed input (an expected count, a person-time): the fewest, up to 6, that show
/// it as typed: 0 for 1000, 1 for 2370.5.
inline int DecimalsForInput(double value)
{
    if (!std::isfinite(value))
        return 0;
    int decimals = 0;
    for (double scaled = value; decimals < 6; ++decimals, scaled *= 10)
        if (std::fabs(scaled - std::round(scaled)) <= 1e-9 * std::fmax(1.0, std::fabs(scaled)))
            break;
    return decimals;
}
