// Exact (Clopper-Pearson) and mid-P limits of a proportion that stay within 1e-10 relative up
// to n = 10^9. The un-promoted incomplete beta function and its inverse lose about eight digits
// when x is small and n - x is near 10^9 (the upper limit of 1 of 10^9 came out 9e-9 too high),
// so these evaluate it in extended precision.
#pragma once

#include "ExactLimits.h"

/// Clopper-Pearson limits of x successes in n trials (0 <= x <= n, n >= 1), each tail holding
/// half of 1 - level; 0 at x = 0 and 1 at x = n. NaN limits for other inputs.
CLimits ExactProportionLimits(double x, double n, double levelPercent);

/// Mid-P limits of x in n: P(X > x) + P(X = x) / 2 = (1 - level) / 2 at the lower limit,
/// P(X < x) + P(X = x) / 2 the same at the upper; 0 at x = 0 and 1 at x = n.
CLimits MidPProportionLimits(double x, double n, double levelPercent);
