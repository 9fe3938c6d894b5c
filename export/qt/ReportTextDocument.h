// The reports as one QTextDocument laid out as they print: the result view's 10 pt fixed-pitch
// face, and each report after the first starting a new page, as each is printed on its own.
#pragma once

#include "ExportedReport.h"

#include <QPageLayout>

#include <memory>
#include <vector>

class QPrinter;
class QTextDocument;

std::unique_ptr<QTextDocument> ReportsToTextDocument(const std::vector<CExportedReport>& reports);
/// Sets up a printer to write a PDF file with the page the reports are printed on.
void PreparePdfPrinter(QPrinter& printer, const QString& path);
