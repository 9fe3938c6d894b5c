// The export commands of the main frame.
#include "CReportExport.h"

#include "CCalcDoc.h"
#include "CCalcDocNode.h"
#include "DocViews.h"
#include "ExportFormat.h"
#include "ExportedReport.h"
#include "Profile.h"
#include "ReportFileWriter.h"
#include "UIServices.h"

#include <optional>
#include <string>

namespace
{
/// The file types of the dialog, the first one proposed; the name's extension picks the format.
std::string FileTypes()
{
    return GetProfileString("Export", "TEXT", "Text Files (*.txt)") + ";;" +
           GetProfileString("Export", "HTML", "HTML Files (*.html *.htm)") + ";;" +
           GetProfileString("Export", "PDF", "PDF Files (*.pdf)") + ";;" +
           GetProfileString("Export", "ODT", "ODF Text Documents (*.odt)");
}
} // namespace

bool CReportExport::OnExportAll()
{
    return Export(m_doc.GetHead(), true);
}

bool CReportExport::OnExportSelected()
{
    CCalcNodeBase* selected = m_doc.GetSelectedNode();
    return selected && Export(selected, false);
}

bool CReportExport::Export(CCalcNodeBase* scope, bool all)
{
    CFileDialogRequest request;
    request.save = true;
    request.title = all ? GetProfileString("Messages", "10", "10")
                        : GetProfileString("Export", "SELECTED_TITLE", "Export Selected Reports");
    request.filterName = FileTypes();
    request.filterPattern = "*.txt";
    request.defaultExtension = "txt";
    request.confirmOverwrite = true;
    const std::optional<std::string> name = UIServices().AskFileName(request);
    if (!name)
        return false;
    const CExportFormat format = ExportFormatOfPath(*name);
    // Every report as plain text: the document's own export, byte for byte as before.
    if (all && format == CExportFormat::Text)
        return m_doc.ExportToFile(*name);

    CWaitCursor wait;
    // The reports are taken from their stored rich text; the one on show is stored first.
    CCalcNodeBase* remembered = m_doc.GetSelectedNode();
    m_views.UpdateCalculation();
    std::string error;
    const bool ok =
        WriteReportsFile(CollectReports(scope), format, *name, m_doc.GetTitle(), m_doc.GetPathName(), error);
    if (remembered)
        m_views.SelectNode(remembered);
    if (!ok)
        AfxMessageBox(error, MB_OK);
    return ok;
}
