// Scoped guards for the framework's global hooks.
#include "CalcHookGuards.h"

CCalcFactoryGuard::CCalcFactoryGuard(CalcFactoryFunction factory, CalcFactoryFunction restore) : m_restore(restore)
{
    SetCalcFactory(factory);
}

CCalcFactoryGuard::~CCalcFactoryGuard()
{
    SetCalcFactory(m_restore);
}

CReportTargetGuard::CReportTargetGuard(IReportTarget* target) : m_previous(CurrentReportTarget())
{
    SetCurrentReportTarget(target);
}

CReportTargetGuard::~CReportTargetGuard()
{
    SetCurrentReportTarget(m_previous);
}
