// The table of the newer calculation types: code, class, dialog template and caption.
#include "CCompTableDesign.h"
#include "GetCalcBase.h"

const std::vector<CCalcClassInfo>& MethodClassTable()
{
    static const std::vector<CCalcClassInfo> table = {
        // 2x2 table by study design
        CALC_CLASS("3400", CCompTableDesign, 310, "Contingency tables - 2x2 table by study design"),
    };
    return table;
}
