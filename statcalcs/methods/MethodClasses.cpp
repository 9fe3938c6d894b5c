// The table of the newer calculation types: code, class, dialog template and caption.
#include "CDescPropIntervals.h"
#include "CDescRateExact.h"
#include "CDescSMR.h"
#include "GetCalcBase.h"

const std::vector<CCalcClassInfo>& MethodClassTable()
{
    static const std::vector<CCalcClassInfo> table = {
        // Proportion intervals, rate, standardised mortality ratio
        CALC_CLASS("1130", CDescPropIntervals, 300, "Describe - Proportion - Exact and score intervals"),
        CALC_CLASS("1500", CDescRateExact, 301, "Describe - Rate with exact intervals"),
        CALC_CLASS("1600", CDescSMR, 302, "Describe - Standardised mortality ratio"),
    };
    return table;
}
