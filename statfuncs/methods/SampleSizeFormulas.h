// Sample sizes to compare two proportions by the normal approximation: Kelsey's formula, Fleiss'
// formula, and Fleiss' formula with the continuity correction. Group 2 is `ratio` times the size
// of group 1; proportions are fractions, the level and the power percentages.
#pragma once

/// The sizes of the two groups before rounding; NaN where a formula has no answer.
struct CGroupSizes
{
    double group1;
    double group2;
};

/// Kelsey et al., Methods in Observational Epidemiology: n1 = (z_a + z_b)^2 pq (r + 1) /
/// (r (p1 - p2)^2), p the mean proportion weighted by the group sizes.
CGroupSizes KelseySizes(double p1, double p2, double ratio, double levelPercent, double powerPercent);

/// Fleiss, Levin and Paik, Statistical Methods for Rates and Proportions (3rd ed.), without the
/// continuity correction: n1 = (z_a sqrt((r + 1) pq) + z_b sqrt(r p1 q1 + p2 q2))^2 /
/// (r (p1 - p2)^2).
CGroupSizes FleissSizes(double p1, double p2, double ratio, double levelPercent, double powerPercent);

/// The same with the continuity correction: n1' = n1 / 4 (1 + sqrt(1 + 2 (r + 1) / (n1 r |p1 - p2|)))^2.
CGroupSizes FleissCorrectedSizes(double p1, double p2, double ratio, double levelPercent, double powerPercent);

/// A size rounded up to a whole subject; a size within 1e-9 above a whole number (rounding
/// error of the formula) stays at that number.
double RoundUpSize(double size);
