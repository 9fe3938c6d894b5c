// Writing the reports in each export format.
#include "ReportFileWriter.h"

#include "FileIO.h"
#include "ReportHtml.h"
#include "ReportPrinter.h"
#include "ReportTextDocument.h"

#include <QFile>
#include <QFileInfo>
#include <QPrinter>
#include <QTextDocument>
#include <QTextDocumentWriter>

#include <memory>

namespace
{
QString ToQtPath(const std::filesystem::path& path)
{
    return QFile::decodeName(QByteArray::fromStdString(path.string()));
}

bool WriteBytes(const std::string& bytes, const std::filesystem::path& path, std::string& error)
{
    return WriteWholeFile(path, bytes.data(), bytes.size(), error);
}

bool WritePdf(const QTextDocument& document, const std::filesystem::path& path, const std::string& title,
              std::string& error)
{
    QPrinter printer(QPrinter::HighResolution);
    PreparePdfPrinter(printer, ToQtPath(path));
    printer.setDocName(QString::fromStdString(title));
    // The printer reports an unwritable file only through an inactive painter.
    if (!CReportPrinter::Print(document, printer)) {
        error = "Cannot write " + path.string() + ".";
        return false;
    }
    return true;
}

bool WriteOdt(const QTextDocument& document, const std::filesystem::path& path, std::string& error)
{
    QTextDocumentWriter writer(ToQtPath(path), "odf");
    if (!writer.write(&document)) {
        const QString reason = writer.device() ? writer.device()->errorString() : QString();
        error = "Cannot write " + path.string() + (reason.isEmpty() ? "." : ": " + reason.toStdString());
        return false;
    }
    return true;
}
} // namespace

bool WriteReportsFile(const std::vector<CExportedReport>& reports, CExportFormat format,
                      const std::filesystem::path& path, const std::string& title, std::string& error)
{
    switch (format) {
    case CExportFormat::Text:
        return WriteBytes(ReportsToText(reports), path, error);
    case CExportFormat::Html:
        return WriteBytes(ReportsToHtml(reports, title), path, error);
    case CExportFormat::Pdf:
        return WritePdf(*ReportsToTextDocument(reports), path, title, error);
    case CExportFormat::Odt:
        return WriteOdt(*ReportsToTextDocument(reports), path, error);
    }
    return false;
}
