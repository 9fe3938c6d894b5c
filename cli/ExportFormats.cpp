// zentavo-cli export in HTML, PDF and ODF text. PDF and ODF text are laid out by Qt, on its
// offscreen platform unless QT_QPA_PLATFORM names another, so no screen is needed.
#include "CCalcDocNode.h"
#include "CliDocument.h"
#include "Commands.h"
#include "ExportedReport.h"
#include "FileIO.h"
#include "ReportHtml.h"

#ifdef ZENTAVO_QT_EXPORT
#include "ReportFileWriter.h"

#include <QGuiApplication>
#endif

#include <clocale>
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
        return WriteExportFile(*out, bytes.data(), bytes.size(), document.Doc().GetPathName(), error)
                   ? 0
                   : CliFailure(error);
    }
    if (!out)
        return CliFailure(std::string(ExportFormatExtension(format)) + " is written into a file only: name OUT");
#ifdef ZENTAVO_QT_EXPORT
    setenv("QT_QPA_PLATFORM", "offscreen", 0);
    g_qtHandler = qInstallMessageHandler(FilterQtMessages);
    int argc = 1;
    char name[] = "zentavo-cli";
    char* argv[] = {name, nullptr};
    QGuiApplication application(argc, argv);
    std::setlocale(LC_ALL, "C"); // Qt adopts the user's locale; the tool never does
    return WriteReportsFile(reports, format, *out, title, document.Doc().GetPathName(), error) ? 0 : CliFailure(error);
#else
    return CliFailure(std::string(ExportFormatExtension(format)) + " export needs a build with the desktop program");
#endif
}

std::optional<CExportFormat> TakeExportFormat(std::vector<std::string>& args, std::string& error)
{
    std::optional<CExportFormat> format;
    for (size_t i = 0; i < args.size(); ++i) {
        if (args[i] != "--format")
            continue;
        if (i + 1 >= args.size()) {
            error = "--format needs txt, html, pdf or odt";
            return std::nullopt;
        }
        format = ExportFormatNamed(args[i + 1]);
        if (!format) {
            error = "unknown export format '" + args[i + 1] + "': use txt, html, pdf or odt";
            return std::nullopt;
        }
        args.erase(args.begin() + static_cast<std::ptrdiff_t>(i), args.begin() + static_cast<std::ptrdiff_t>(i) + 2);
        --i;
    }
    if (!format && args.size() == 2 && ExportFormatOfPath(args[1]) != CExportFormat::Text)
        format = ExportFormatOfPath(args[1]);
    return format;
}
