// An estimate with its confidence limits, and the log-scale limits of a ratio that the 2x2 table
// analyses (unstratified and stratified) share.
#pragma once

/// An estimate with its lower and upper confidence limits.
struct CEstimate
{
    double value = 0;
    double lower = 0;
    double upper = 0;
};

/// A ratio with the limits exp(log R -/+ z SE), SE being the standard error of log R (the
/// log-based interval of Katz et al. for a risk ratio and of Woolf for an odds ratio). A ratio
/// of 0 or an infinite one, or a non-finite SE, gives non-finite limits that print as "****".
CEstimate RatioLimits(double ratio, double se, double z);
