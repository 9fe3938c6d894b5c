// Scoped guards for the framework's global hooks (the calculation factory, the report target),
// restored when the scope ends however the test leaves it.
#pragma once

#include "CalcFactory.h"
#include "ReportTarget.h"

/// Installs a calculation factory for a scope. The factory in force cannot be read back, so
/// `restore` is what comes back afterwards (none by default).
class CCalcFactoryGuard
{
public:
    explicit CCalcFactoryGuard(CalcFactoryFunction factory, CalcFactoryFunction restore = nullptr);
    ~CCalcFactoryGuard();
    CCalcFactoryGuard(const CCalcFactoryGuard&) = delete;
    CCalcFactoryGuard& operator=(const CCalcFactoryGuard&) = delete;

private:
    CalcFactoryFunction m_restore;
};

/// Installs a report target for a scope; the target in force before comes back after.
class CReportTargetGuard
{
public:
    explicit CReportTargetGuard(IReportTarget* target);
    ~CReportTargetGuard();
    CReportTargetGuard(const CReportTargetGuard&) = delete;
    CReportTargetGuard& operator=(const CReportTargetGuard&) = delete;

private:
    IReportTarget* m_previous;
};
