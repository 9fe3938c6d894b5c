// Start-up of the statistical library: class registration and the factory hook.
// The program, the command-line tool and the tests call ZNTVStatInit once at start.
#include "ZNTVStat.h"

#include "CNote.h"
#include "CalcFactory.h"
#include "GetCalcBase.h"

void ZNTVStatInit()
{
    for (const CCalcClassInfo& info : AllCalcClasses())
        AfxRegisterClass(info.runtimeClass);
    AfxRegisterClass(RUNTIME_CLASS(CNote));
    SetCalcFactory(&GetCalcBase);
}
