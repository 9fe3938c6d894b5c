// The factory hook.
#include "CalcFactory.h"

namespace
{
CalcFactoryFunction g_factory = nullptr;
}

void SetCalcFactory(CalcFactoryFunction factory)
{
    g_factory = factory;
}

CCalcBase* MakeCalcBase(const std::string& code)
{
    return g_factory ? g_factory(code) : nullptr;
}
