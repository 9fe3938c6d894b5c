// Reports as one HTML file: a heading per report and its text in a fixed-pitch block, every
// style written inline so the file can be pasted or mailed on its own. The output is also
// well-formed XML.
#pragma once

#include "ExportedReport.h"

#include <string>
#include <vector>

/// The whole HTML document; `title` names it in the browser.
std::string ReportsToHtml(const std::vector<CExportedReport>& reports, const std::string& title);
/// One report's text as an HTML fragment (a fixed-pitch block), as the clipboard carries it.
std::string RichTextToHtmlBlock(const CRichText& text);
/// Text with &, <, > and " written as character references.
std::string HtmlEscape(std::string_view text);
