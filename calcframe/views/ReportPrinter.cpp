// Printing and print preview of a report.
#include "ReportPrinter.h"

#include "ReportWrap.h"

#include <QAbstractTextDocumentLayout>
#include <QGuiApplication>
#include <QLocale>
#include <QPageSize>
#include <QPainter>
#include <QPrintDialog>
#include <QPrintPreviewDialog>
#include <QPrinter>
#include <QScreen>
#include <QTextDocument>
#include <QTextOption>

#include <algorithm>
#include <cmath>
#include <memory>

namespace
{
const QMarginsF kOneInch(CReportPrinter::kMarginInches, CReportPrinter::kMarginInches, CReportPrinter::kMarginInches,
                         CReportPrinter::kMarginInches);
}

QPageLayout CReportPrinter::DefaultPageLayout()
{
    const bool us = QLocale().measurementSystem() == QLocale::ImperialUSSystem;
    return QPageLayout(QPageSize(us ? QPageSize::Letter : QPageSize::A4), QPageLayout::Portrait, kOneInch,
                       QPageLayout::Inch);
}

double CReportPrinter::LayoutDpi()
{
    const QScreen* screen = QGuiApplication::primaryScreen();
    return screen ? std::round(screen->logicalDotsPerInchY()) : 96.0;
}

double CReportPrinter::LineWidthInches(const QPageLayout& layout)
{
    const QSizeF page = layout.fullRect(QPageLayout::Inch).size();
    return std::max(1.0, page.width() - 2 * kMarginInches);
}

void CReportPrinter::PrepareLayout(QPrinter& printer)
{
    printer.setFullPage(false);
    printer.setPageMargins(kOneInch, QPageLayout::Inch);
}

std::unique_ptr<QTextDocument> CReportPrinter::LayoutCopy(const QTextDocument& document, QPaintDevice& device,
                                                          const QSizeF& body, const QFont& font)
{
    // A copy laid out in the device's own units: QTextDocument::print would add margins of
    // its own and page numbers.
    std::unique_ptr<QTextDocument> copy(document.clone());
    JoinSoftBreaks(*copy); // the page wraps the whole paragraphs itself
    copy->documentLayout()->setPaintDevice(&device);
    copy->setDocumentMargin(0);
    copy->setDefaultFont(font);
    // The layout scales tab stops by the device's resolution over the screen's: the distance
    // is given in screen units, as on the screen, or a single tab would be wider than the
    // printed line.
    QTextOption option = copy->defaultTextOption();
    option.setTabStopDistance(kTabStopInches * LayoutDpi());
    copy->setDefaultTextOption(option);
    copy->setPageSize(body);
    return copy;
}

bool CReportPrinter::Print(const QTextDocument& document, QPrinter& printer, const QFont& font)
{
    PrepareLayout(printer);
    QPainter painter;
    if (!painter.begin(&printer))
        return false;
    // The painter's origin is the corner inside the margins.
    const QRectF body = printer.pageRect(QPrinter::DevicePixel);
    std::unique_ptr<QTextDocument> copy = LayoutCopy(document, printer, body.size(), font);
    const int pages = copy->pageCount();
    for (int page = 0; page < pages; ++page) {
        if (page > 0)
            printer.newPage();
        const QRectF view(0, page * body.height(), body.width(), body.height());
        painter.save();
        painter.translate(0, -view.top());
        copy->drawContents(&painter, view);
        painter.restore();
    }
    return painter.end();
}

bool CReportPrinter::PrintWithDialog(const QTextDocument& document, QPrinter& printer, const QFont& font,
                                     QWidget* parent)
{
    QPrintDialog dialog(&printer, parent);
    if (dialog.exec() != QDialog::Accepted)
        return false;
    return Print(document, printer, font);
}

void CReportPrinter::Preview(const QTextDocument& document, QPrinter& printer, const QFont& font, QWidget* parent)
{
    PrepareLayout(printer);
    QPrintPreviewDialog dialog(&printer, parent);
    QObject::connect(&dialog, &QPrintPreviewDialog::paintRequested,
                     [&document, &font](QPrinter* target) { Print(document, *target, font); });
    dialog.exec();
}
