// Approximate intervals of a binomial proportion beside the exact ones of ExactLimits.h:
// Wilson's score interval, the score interval with continuity correction, and Agresti and
// Coull's adjusted Wald interval. Each takes the normal deviate z of the confidence level.
#pragma once

#include "ExactLimits.h"

/// Wilson's (1927) score interval of x successes in n trials (0 <= x <= n, n >= 1): the p with
/// |x/n - p| <= z sqrt(p(1 - p)/n). The lower limit is 0 at x = 0 and the upper 1 at x = n.
CLimits WilsonScoreLimits(double x, double n, double z);

/// The score interval with continuity correction, as Fleiss (Statistical Methods for Rates and
/// Proportions) and Newcombe (1998, method 4) give it: 0 below x = 0 and 1 above x = n, and
/// never outside 0..1.
CLimits CorrectedScoreLimits(double x, double n, double z);

/// Agresti and Coull's (1998) interval: the Wald interval of (x + z^2/2) / (n + z^2) with
/// n + z^2 trials, cut to 0..1.
CLimits AgrestiCoullLimits(double x, double n, double z);
