// Fisher's exact test of a 2x2 table: the one- and two-sided p-values of the hypergeometric
// distribution of the first cell given the margins, fast at any counts the dialogs accept.
#pragma once

#include <cstdint>

/// Relative tolerance under which a table's probability counts as equal to the observed one,
/// so that tables whose probabilities are mathematically equal are never split by rounding.
constexpr double kFisherTolerance = 1e-7;

struct CFisherResult
{
    double observed = 0; // probability of the observed table
    double oneSided = 0; // tables as probable or less, with the observed direction of difference
    double twoSided = 0; // tables as probable or less
};

/// Fisher's exact test of the table a, b (first row), c, d (second row). Every table with the
/// observed margins whose probability P_x is at most P_obs (1 + kFisherTolerance) adds P_x to the
/// two-sided p; it also adds to the one-sided p when sign(x / r1 - (c1 - x) / r2) equals the
/// observed sign (an undefined share counts as -1). When the shares are equal (a / r1 = c / r2),
/// so that no direction was observed, the one-sided p is instead the smaller of P(X <= a) and
/// P(X >= a), each including the observed table. Tables whose probability is zero (or
/// subnormal) in double precision add nothing visible and are skipped.
///
/// The probabilities come from the ratio of neighbouring tables,
///   P(x + 1) / P(x) = (r1 - x)(c1 - x) / ((x + 1)(r2 - c1 + x + 1)),
/// walked outwards from the most probable table and normalised by their sum, so the work is
/// proportional to the spread of the distribution (a few thousand tables at a million per
/// cell), not to the counts, and the probabilities are accurate to about 1e-12 relative.
/// With `showProgress` the progress dialog is shown, updated a few dozen times at most.
CFisherResult FisherExact(uint32_t a, uint32_t b, uint32_t c, uint32_t d, bool showProgress = false);
