// Collecting the reports to export.
#include "ExportedReport.h"

#include "CCalcDoc.h"
#include "CCalcDocNode.h"
#include "CCalculation.h"

namespace
{
CExportedReport ReportOf(const CCalculation& calc)
{
    return CExportedReport{calc.GetLabel(), CRichText::FromRtf(calc.GetText())};
}
} // namespace

std::vector<CExportedReport> CollectReports(CCalcNodeBase* node)
{
    std::vector<CExportedReport> reports;
    if (!node)
        return reports;
    if (node->IsCalculation()) {
        reports.push_back(ReportOf(static_cast<const CCalculation&>(*node)));
        return reports;
    }
    if (auto* folder = dynamic_cast<CCalcDocNode*>(node)) {
        folder->Walk([&reports](CCalcNodeBase& visited, int) {
            if (visited.IsCalculation())
                reports.push_back(ReportOf(static_cast<const CCalculation&>(visited)));
        });
    }
    return reports;
}

std::string ReportsToText(const std::vector<CExportedReport>& reports)
{
    std::string out;
    for (const CExportedReport& report : reports) {
        out += report.text.ToPlainText(true);
        out += CCalcDoc::kExportSeparator;
    }
    return out;
}
