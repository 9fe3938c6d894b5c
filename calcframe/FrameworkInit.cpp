// Start-up of the calculation framework.
#include "FrameworkInit.h"

#include "CCalcBase.h"
#include "CCalcDocNode.h"
#include "CCalculation.h"

void ZNTVCalcInit()
{
    AfxRegisterClass(RUNTIME_CLASS(CCalcDocNode));
    AfxRegisterClass(RUNTIME_CLASS(CCalculation));
    AfxRegisterClass(RUNTIME_CLASS(CCalcBase));
}
