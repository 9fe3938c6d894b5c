// The table of the newer calculation types, in type-code order: code, class, dialog template and
// caption.
#include "CCompKappa.h"
#include "CCompMeansWelch.h"
#include "CCompRateRatio.h"
#include "CCompStratHomog.h"
#include "GetCalcBase.h"

const std::vector<CCalcClassInfo>& MethodClassTable()
{
    static const std::vector<CCalcClassInfo> table = {
        CALC_CLASS("2640", CCompMeansWelch, 330, "Compare - Means - Two means, unequal variances"),
        CALC_CLASS("2700", CCompRateRatio, 331, "Compare - Rate ratio"),
        CALC_CLASS("3500", CCompStratHomog, 320, "Contingency tables - Stratified 2x2 with homogeneity"),
        CALC_CLASS("3600", CCompKappa, 332, "Contingency tables - Agreement (kappa)"),
    };
    return table;
}
