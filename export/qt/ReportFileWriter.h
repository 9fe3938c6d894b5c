// Writes reports into a file in any export format: plain text and HTML through the standard
// writers, PDF through QPrinter laid out as the printed pages, ODF text through
// QTextDocumentWriter. Needs a QGuiApplication (any platform, offscreen included).
#pragma once

#include "ExportFormat.h"
#include "ExportedReport.h"

#include <filesystem>
#include <string>
#include <vector>

/// Every format is made whole in memory first, then written as documents are: a file is
/// replaced atomically (a failure keeps the old one) and the open document's own file
/// (`document`, under any name) is refused. False with the reason in `error`. `title` names
/// the HTML and PDF document.
bool WriteReportsFile(const std::vector<CExportedReport>& reports, CExportFormat format,
                      const std::filesystem::path& path, const std::string& title,
                      const std::filesystem::path& document, std::string& error);
