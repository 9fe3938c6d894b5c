// Printing and print preview of a report: one-inch margins on every side and the lines wrapped
// to the width of the printer's page, as the report is laid out on the screen.
#pragma once

#include <QPageLayout>

class QPrinter;
class QTextDocument;
class QWidget;

class CReportPrinter
{
public:
    static constexpr double kMarginInches = 1.0;
    static constexpr double kTabStopInches = 0.5;

    /// The page a report is laid out for when no printer was chosen: Letter where the locale
    /// measures in US units, A4 elsewhere; one-inch margins.
    static QPageLayout DefaultPageLayout();
    /// Width of a printed line: the page's width less both margins.
    static double LineWidthInches(const QPageLayout& layout);
    /// Gives the printer one-inch margins (the page size stays the printer's).
    static void PrepareLayout(QPrinter& printer);

    /// Prints a copy of the document on the printer: one-inch margins, lines wrapped to the
    /// page width, tab stops every half inch, no header or page numbers. False when the
    /// printer cannot be opened.
    static bool Print(const QTextDocument& document, QPrinter& printer);
    /// Shows the print dialog and prints when it is accepted.
    static bool PrintWithDialog(const QTextDocument& document, QPrinter& printer, QWidget* parent);
    /// Shows the print preview of the document, which can print from there.
    static void Preview(const QTextDocument& document, QPrinter& printer, QWidget* parent);
};
