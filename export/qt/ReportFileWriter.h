// Writes reports into a file in any export format: plain text and HTML through the standard
// writers, PDF through QPrinter laid out as the printed pages, ODF text through
// QTextDocumentWriter. Needs a QGuiApplication (any platform, offscreen included).
#pragma once

#include "ExportFormat.h"
#include "ExportedReport.h"

#include <filesystem>
#include <string>
#include <vector>

/// False with the reason in `error` when the file cannot be written. `title` names the HTML
/// and PDF document.
bool WriteReportsFile(const std::vector<CExportedReport>& reports, CExportFormat format,
                      const std::filesystem::path& path, const std::string& title, std::string& error);
