// The HTML writer of the reports.
#include "ReportHtml.h"

namespace
{
// 10 pt fixed-pitch text with a tab stop every six characters: half an inch, as on screen.
const char kBlockStyle[] = "font-family: 'Courier New', 'Liberation Mono', monospace; font-size: 10pt; "
                           "tab-size: 6; -moz-tab-size: 6; white-space: pre; margin: 0 0 2em 0;";
const char kHeadingStyle[] = "font-family: sans-serif; font-size: 13pt; margin: 1.2em 0 0.6em 0;";
const char kBodyStyle[] = "margin: 2em; color: #000000; background: #ffffff;";

void AppendRun(std::string& out, const CTextRun& run)
{
    if (run.IsBold())
        out += "<b>";
    if (run.IsItalic())
        out += "<i>";
    if (run.IsUnderline())
        out += "<u>";
    // A non-breaking space stays one: the columns of a report are kept.
    out += HtmlEscape(run.text);
    if (run.IsUnderline())
        out += "</u>";
    if (run.IsItalic())
        out += "</i>";
    if (run.IsBold())
        out += "</b>";
}
} // namespace

std::string HtmlEscape(std::string_view text)
{
    std::string out;
    out.reserve(text.size());
    for (const char c : text) {
        switch (c) {
        case '&':
            out += "&amp;";
            break;
        case '<':
            out += "&lt;";
            break;
        case '>':
            out += "&gt;";
            break;
        case '"':
            out += "&quot;";
            break;
        default:
            out += c;
        }
    }
    return out;
}

std::string RichTextToHtmlBlock(const CRichText& text)
{
    std::string out = "<pre style=\"";
    out += kBlockStyle;
    out += "\">";
    for (const CTextRun& run : text.Runs())
        AppendRun(out, run);
    out += "</pre>\n";
    return out;
}

std::string ReportsToHtml(const std::vector<CExportedReport>& reports, const std::string& title)
{
    std::string out = "<!DOCTYPE html>\n<html lang=\"en\">\n<head>\n<meta charset=\"utf-8\"/>\n<title>";
    out += HtmlEscape(title);
    out += "</title>\n</head>\n<body style=\"";
    out += kBodyStyle;
    out += "\">\n";
    for (const CExportedReport& report : reports) {
        out += "<h2 style=\"";
        out += kHeadingStyle;
        out += "\">";
        out += HtmlEscape(report.heading);
        out += "</h2>\n";
        out += RichTextToHtmlBlock(report.text);
    }
    out += "</body>\n</html>\n";
    return out;
}
