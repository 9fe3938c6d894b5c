// Printing and print preview of a report.
#include "ReportPrinter.h"

#include <QAbstractTextDocumentLayout>
#include <QLocale>
#include <QPageSize>
#include <QPainter>
#include <QPrintDialog>
#include <QPrintPreviewDialog>
#include <QPrinter>
#include <QTextDocument>
#include <QTextOption>

#include <algorithm>
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

bool CReportPrinter::Print(const QTextDocument& document, QPrinter& printer)
{
    PrepareLayout(printer);
    QPainter painter;
    if (!painter.begin(&printer))
        return false;
    // A copy laid out in the printer's own units: QTextDocument::print would add margins of
    // its own and page numbers. The painter's origin is the corner inside the margins.
    std::unique_ptr<QTextDocument> copy(document.clone());
    copy->documentLayout()->setPaintDevice(&printer);
    copy->setDocumentMargin(0);
    QTextOption option = copy->defaultTextOption();
    option.setTabStopDistance(kTabStopInches * printer.logicalDpiX());
    copy->setDefaultTextOption(option);
    const QRectF body = printer.pageRect(QPrinter::DevicePixel);
    copy->setPageSize(body.size());
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

bool CReportPrinter::PrintWithDialog(const QTextDocument& document, QPrinter& printer, QWidget* parent)
{
    QPrintDialog dialog(&printer, parent);
    if (dialog.exec() != QDialog::Accepted)
        return false;
    return Print(document, printer);
}

void CReportPrinter::Preview(const QTextDocument& document, QPrinter& printer, QWidget* parent)
{
    PrepareLayout(printer);
    QPrintPreviewDialog dialog(&printer, parent);
    QObject::connect(&dialog, &QPrintPreviewDialog::paintRequested,
                     [&document](QPrinter* target) { Print(document, *target); });
    dialog.exec();
}
