// The process-wide report target (the current document).
#include "ReportTarget.h"

namespace
{
IReportTarget* g_target = nullptr;
}

IReportTarget* CurrentReportTarget()
{
    return g_target;
}

void SetCurrentReportTarget(IReportTarget* target)
{
    g_target = target;
}
