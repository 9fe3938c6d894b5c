// Tests that the odds ratios of stratified 2x2 tables are equal: Breslow and Day's test with
// Tarone's correction, against the Mantel-Haenszel odds ratio, and Woolf's test on the log odds
// ratios.
#pragma once

#include "MantelHaenszel.h"

#include <vector>

/// A homogeneity chi-square: NaN statistics (and df) where the test is undefined.
struct CHomogeneityTest
{
    double chi2;
    double df;      // the strata used less one
    int strataUsed; // strata that took part
};

/// The expected a of a table with margins r1 = a + b, r2 = c + d, c1 = a + c, given the odds
/// ratio psi: the root of A (r2 - c1 + A) = psi (r1 - A) (c1 - A) between max(0, c1 - r2) and
/// min(r1, c1). NaN when psi is not positive and finite or a margin is empty.
double FittedCell(double r1, double r2, double c1, double psi);

struct CBreslowDay
{
    CHomogeneityTest uncorrected; // Breslow and Day (1980), sum (a - A)^2 / Var(a)
    CHomogeneityTest tarone;      // less (sum a - sum A)^2 / sum Var(a), Tarone (1985)
};

/// Breslow and Day's test at the common odds ratio psi (the Mantel-Haenszel odds ratio).
/// Strata with an empty row or column have a fixed a and no variance; they are left out, and the
/// degrees of freedom count only the strata used. Undefined with fewer than two strata used or
/// psi not positive and finite.
CBreslowDay BreslowDayTest(const std::vector<CStratumCounts>& strata, double psi);

/// Woolf's test: sum w (log OR_i - mean)^2 with w = 1 / (1/a + 1/b + 1/c + 1/d) and the
/// w-weighted mean. A stratum with a zero cell has no finite log odds ratio and is left out.
CHomogeneityTest WoolfTest(const std::vector<CStratumCounts>& strata);
