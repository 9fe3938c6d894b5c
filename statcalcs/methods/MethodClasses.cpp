// The table of the newer calculation types: code, class, dialog template and caption.
#include "GetCalcBase.h"

// Agreement, unequal variances, rate ratio
#include "CCompKappa.h"
#include "CCompMeansWelch.h"
#include "CCompRateRatio.h"

const std::vector<CCalcClassInfo>& MethodClassTable()
{
    static const std::vector<CCalcClassInfo> table = {
        // Agreement, unequal variances, rate ratio
        CALC_CLASS("2640", CCompMeansWelch, 330, "Compare - Means - Two means, unequal variances"),
        CALC_CLASS("2700", CCompRateRatio, 331, "Compare - Rate ratio"),
        CALC_CLASS("3600", CCompKappa, 332, "Contingency tables - Agreement (kappa)"),
    };
    return table;
}
