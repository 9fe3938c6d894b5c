// The table of the newer calculation types: code, class, dialog template and caption.
#include "GetCalcBase.h"

const std::vector<CCalcClassInfo>& MethodClassTable()
{
    static const std::vector<CCalcClassInfo> table = {};
    return table;
}
