// The table of the newer calculation types: code, class, dialog template and caption.
#include "CCompStratHomog.h"
#include "GetCalcBase.h"

const std::vector<CCalcClassInfo>& MethodClassTable()
{
    static const std::vector<CCalcClassInfo> table = {
        // Stratified tables with homogeneity
        CALC_CLASS("3500", CCompStratHomog, 320, "Contingency tables - Stratified 2x2 with homogeneity"),
    };
    return table;
}
