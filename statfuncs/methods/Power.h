// The power of a two-sided comparison of two proportions or two means with given group sizes,
// and the smallest effect that reaches a target power. Proportions are fractions; levels and
// powers percentages (the returned power too).
#pragma once

/// Two proportions by the normal approximation of Fleiss, Levin and Paik (the sample-size
/// formula solved for z_b): Phi((|p1 - p2| sqrt(r n1) - z_a sqrt((r + 1) pq)) / sqrt(r p1 q1 +
/// p2 q2)), r = n2 / n1. With `corrected`, n1 is first reduced by the continuity correction to
/// the size that Fleiss' corrected formula would have inflated to n1: (n1 - (r + 1) / (2 r
/// |p1 - p2|))^2 / n1. Only the tail in the direction of the difference counts.
double TwoProportionsPower(double p1, double p2, double n1, double n2, double levelPercent, bool corrected);

/// The proportion 2 above p1 (`above`) or below it at which TwoProportionsPower without the
/// correction reaches `powerPercent`; NaN when no proportion on that side reaches it.
double DetectableProportion(double p1, double n1, double n2, double levelPercent, double powerPercent, bool above);

/// Two means with a common standard deviation, by Student's t: the upper tail of the noncentral
/// t with n1 + n2 - 2 degrees of freedom and noncentrality |difference| / (sd sqrt(1/n1 + 1/n2))
/// beyond the two-sided critical value (the far tail left out, as the usual tables do).
double TwoMeansPowerT(double difference, double sd, double n1, double n2, double levelPercent);

/// The same by the normal approximation: Phi(|difference| / (sd sqrt(1/n1 + 1/n2)) - z_a).
double TwoMeansPowerNormal(double difference, double sd, double n1, double n2, double levelPercent);

/// The positive difference at which TwoMeansPowerT reaches `powerPercent`.
double DetectableDifferenceT(double sd, double n1, double n2, double levelPercent, double powerPercent);

/// The same for the normal approximation, in closed form: (z_a + z_b) sd sqrt(1/n1 + 1/n2).
double DetectableDifferenceNormal(double sd, double n1, double n2, double levelPercent, double powerPercent);
