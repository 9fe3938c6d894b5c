// Writing the reports in each export format.
#include "ReportFileWriter.h"

#include "CCalcEditView.h"
#include "FileIO.h"
#include "ReportHtml.h"
#include "ReportPrinter.h"
#include "ReportTextDocument.h"
#include "ScreenText.h"

#include <QBuffer>
#include <QDir>
#include <QPrinter>
#include <QTemporaryFile>
#include <QTextDocument>
#include <QTextDocumentWriter>

#include <memory>

namespace
{
/// The PDF as QPrinter lays out the printed pages. QPrinter writes only into a named file, so it
/// writes a private temporary that is read back.
bool MakePdf(const QTextDocument& document, const std::string& title, QByteArray& bytes)
{
    QTemporaryFile temporary(QDir::tempPath() + QStringLiteral("/zentavo-export-XXXXXX.pdf"));
    if (!temporary.open())
        return false;
    temporary.close();
    {
        QPrinter printer(QPrinter::HighResolution);
        PreparePdfPrinter(printer, temporary.fileName());
        printer.setDocName(QString::fromStdString(title));
        // The printer reports an unwritable file only through an inactive painter.
        if (!CReportPrinter::Print(document, printer, CCalcEditView::ReportFont()))
            return false;
    }
    if (!temporary.open())
        return false;
    bytes = temporary.readAll();
    return !bytes.isEmpty();
}

bool MakeOdt(const QTextDocument& document, QByteArray& bytes)
{
    QBuffer buffer(&bytes);
    buffer.open(QIODevice::WriteOnly);
    QTextDocumentWriter writer(&buffer, "odf");
    return writer.write(&document);
}
} // namespace

bool WriteReportsFile(const std::vector<CExportedReport>& reports, CExportFormat format,
                      const std::filesystem::path& path, const std::string& title,
                      const std::filesystem::path& document, std::string& error)
{
    QByteArray bytes;
    bool made = true;
    switch (format) {
    case CExportFormat::Text:
        bytes = QByteArray::fromStdString(ReportsToText(reports));
        break;
    case CExportFormat::Html:
        bytes = QByteArray::fromStdString(ReportsToHtml(reports, title));
        break;
    case CExportFormat::Pdf:
        made = MakePdf(*ReportsToTextDocument(reports), title, bytes);
        break;
    case CExportFormat::Odt:
        made = MakeOdt(*ReportsToTextDocument(reports), bytes);
        break;
    }
    if (!made) {
        error = ScreenText("CANNOT_WRITE", "Cannot write %1.", {path.string()});
        return false;
    }
    return WriteExportFile(path, bytes.constData(), static_cast<size_t>(bytes.size()), document, error);
}
