// The log-scale confidence limits of a ratio.
#include "Estimate.h"

#include "ElementaryFunctions.h"

#include <cmath>

CEstimate RatioLimits(double ratio, double se, double z)
{
    return {ratio, zmath::Exp(zmath::Log(ratio) - z * se), zmath::Exp(zmath::Log(ratio) + z * se)};
}
