// The table of the newer calculation types: code, class, dialog template and caption.
#include "CPower2Means.h"
#include "CPower2Props.h"
#include "CProbBinomial.h"
#include "CProbPoisson.h"
#include "CSampSizeFormulas.h"
#include "GetCalcBase.h"

const std::vector<CCalcClassInfo>& MethodClassTable()
{
    static const std::vector<CCalcClassInfo> table = {
        // Sample size, power, distributions
        CALC_CLASS("4180", CSampSizeFormulas, 340, "Sampling - Sample size - Two proportions, three formulas"),
        CALC_CLASS("4410", CPower2Props, 341, "Sampling - Power - Two proportions"),
        CALC_CLASS("4420", CPower2Means, 342, "Sampling - Power - Two means"),
        CALC_CLASS("5400", CProbBinomial, 344, "Probability - Binomial distribution"),
        CALC_CLASS("5500", CProbPoisson, 345, "Probability - Poisson distribution"),
    };
    return table;
}
