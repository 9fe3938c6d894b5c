// zentavo-cli export in HTML, PDF and ODF text, and of the calculations as data. PDF and ODF text are laid out by Qt,
// on its offscreen platform unless QT_QPA_PLATFORM names another, so no screen is needed.
#include "CCalcBase.h"
#include "CCalcDocNode.h"
#include "CCalculation.h"
#include "CliDocument.h"
#include "Commands.h"
#include "ExportedReport.h"
#include "FileIO.h"
#include "OsFiles.h"
#include "ReportHtml.h"
#include "Vocabulary.h"

#ifdef ZENTAVO_QT_EXPORT
#include "ReportFileWriter.h"

#include <QGuiApplication>
#endif

#include <clocale>
#include <cstdio>
#include <cstdlib>

#ifdef ZENTAVO_QT_EXPORT
namespace
{
QtMessageHandler g_qtHandler = nullptr;

/// The offscreen platform's notes about the session it lacks are no output of the tool.
void FilterQtMessages(QtMsgType type, const QMessageLogContext& context, const QString& message)
{
    if (type != QtFatalMsg && (message.contains(QLatin1String("XDG_RUNTIME_DIR")) ||
                               message.contains(QLatin1String("This plugin does not support"))))
        return;
    g_qtHandler(type, context, message);
}
} // namespace
#endif

int ExportInFormat(CCliDocument& document, CExportFormat format, const std::string* out)
{
    const std::vector<CExportedReport> reports = CollectReports(document.Doc().GetHead());
    const std::string title = document.Doc().GetTitle();
    std::string error;
    if (!ExportFormatNeedsQt(format)) {
        const std::string bytes =
            format == CExportFormat::Html ? ReportsToHtml(reports, title) : ReportsToText(reports);
        if (!out)
            return WriteStdout(bytes) ? 0 : CliFailure("cannot write to standard output");
        return WriteExportFile(os::PathFromUtf8(*out), bytes.data(), bytes.size(), document.Doc().GetPathName(), error)
                   ? 0
                   : CliFailure(error);
    }
    if (!out)
        return CliFailure(std::string(ExportFormatExtension(format)) + " is written into a file only: name OUT");
#ifdef ZENTAVO_QT_EXPORT
    if (!os::GetEnv("QT_QPA_PLATFORM"))
        os::SetEnv("QT_QPA_PLATFORM", "offscreen");
    g_qtHandler = qInstallMessageHandler(FilterQtMessages);
    int argc = 1;
    char name[] = "zentavo-cli";
    char* argv[] = {name, nullptr};
    QGuiApplication application(argc, argv);
    std::setlocale(LC_ALL, "C"); // Qt adopts the user's locale; the tool never does
    return WriteReportsFile(reports, format, os::PathFromUtf8(*out), title, document.Doc().GetPathName(), error)
               ? 0
               : CliFailure(error);
#else
    return CliFailure(std::string(ExportFormatExtension(format)) + " export needs a build with the desktop program");
#endif
}

int ExportAsData(CCliDocument& document, CResultFormat format, const std::string* out)
{
    std::string bytes = format == CResultFormat::Json ? std::string() : ResultRowsHeader(format);
    document.Doc().GetHead()->Walk([&](CCalcNodeBase& node, int) {
        if (!node.IsCalculation())
            return;
        const CCalcBase* data = static_cast<const CCalculation&>(node).GetData();
        if (!data)
            return;
        CCalcRecord record = RecordOf(*data);
        // The node's type, as the tree shows it: a note's data keeps no code of its own.
        record.type = node.GetType().GetTypeString();
        record.caption = TypeTitle(record.type);
        if (!record.error.empty())
            std::fprintf(stderr, "zentavo-cli: %s: %s\n", record.title.c_str(), record.error.c_str());
        bytes += format == CResultFormat::Json ? RecordJsonLine(record) : ResultRows(record, format);
    });
    if (!out)
        return FinishStdout(bytes);
    std::string error;
    return WriteExportFile(os::PathFromUtf8(*out), bytes.data(), bytes.size(), document.Doc().GetPathName(), error)
               ? 0
               : CliFailure(error);
}
