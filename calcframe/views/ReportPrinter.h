// Printing and print preview of a report: one-inch margins on every side and the lines wrapped
// to the width of the printer's page, as the report is laid out on the screen.
#pragma once

#include <QPageLayout>

#include <memory>

class QFont;
class QPaintDevice;
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
    /// The resolution text layouts measure tab stops in before scaling them to their paint
    /// device: the primary screen's vertical dots per inch (96 without a screen).
    static double LayoutDpi();
    /// Width of a printed line: the page's width less both margins.
    static double LineWidthInches(const QPageLayout& layout);
    /// Gives the printer one-inch margins (the page size stays the printer's).
    static void PrepareLayout(QPrinter& printer);

    /// A copy of the document laid out for the device as it is printed: no margin of its own,
    /// the font given (the screen's zoom left out), tab stops every half inch, lines wrapped
    /// to the body's width (device units).
    static std::unique_ptr<QTextDocument> LayoutCopy(const QTextDocument& document, QPaintDevice& device,
                                                     const QSizeF& body, const QFont& font);
    /// Prints a copy of the document on the printer: one-inch margins, lines wrapped to the
    /// page width, tab stops every half inch, no header or page numbers. False when the
    /// printer cannot be opened.
    static bool Print(const QTextDocument& document, QPrinter& printer, const QFont& font);
    /// Shows the print dialog and prints when it is accepted.
    static bool PrintWithDialog(const QTextDocument& document, QPrinter& printer, const QFont& font, QWidget* parent);
    /// Shows the print preview of the document, which can print from there.
    static void Preview(const QTextDocument& document, QPrinter& printer, const QFont& font, QWidget* parent);
};
