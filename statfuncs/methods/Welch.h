// Welch's test of two means with unequal variances, from each group's size, mean and standard
// deviation, with Satterthwaite's degrees of freedom.
#pragma once

/// The difference of means (1 - 2) with its interval, t, df and p; NaN where undefined.
struct CWelchTest
{
    double difference;
    double se; // sqrt(sd1^2 / n1 + sd2^2 / n2)
    double df; // Satterthwaite's, not rounded
    double t;
    double p; // two-sided
    double lower;
    double upper;
};

/// Welch's t test at `levelPercent`; sizes of at least 2 and positive standard deviations give
/// finite results.
CWelchTest WelchTest(double n1, double mean1, double sd1, double n2, double mean2, double sd2, double levelPercent);
