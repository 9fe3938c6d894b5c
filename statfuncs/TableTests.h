// Table tests of the statistical library: the Pearson chi-square of a two-way table and
// the Fleiss confidence interval of a single proportion.
#pragma once

#include "Matrix.h"

/// Pearson chi-square statistic of a rows x cols table of observed counts. fractionSmall receives
/// the fraction of cells whose expected count is below 5. The table is taken by value, so the
/// caller's matrix is never changed. A zero row or column total gives a non-finite statistic.
double Chi2FromTable(unsigned int rows, unsigned int cols, Matrix table, double& fractionSmall);

/// Score confidence interval of a proportion p from a sample of n with continuity correction
/// (Fleiss, Statistical Methods for Rates and Proportions); z is the normal deviate of the
/// confidence level. The lower limit is 0 when p is 0 and the upper limit 1 when p is 1; the
/// limits are not otherwise clamped to 0..1.
void FleissCISingProp(double p, double n, double z, double& lower, double& upper);
