// Building the printable document of the reports.
#include "ReportTextDocument.h"

#include "ReportPrinter.h"
#include "RichTextConvert.h"

#include <QFont>
#include <QPrinter>
#include <QTextBlock>
#include <QTextCursor>
#include <QTextDocument>

#include <algorithm>

std::unique_ptr<QTextDocument> ReportsToTextDocument(const std::vector<CExportedReport>& reports)
{
    auto document = std::make_unique<QTextDocument>();
    QFont font(QStringLiteral("Courier New"));
    font.setStyleHint(QFont::TypeWriter);
    font.setFixedPitch(true);
    font.setPointSize(10);
    document->setDefaultFont(font);

    QTextCursor cursor(document.get());
    std::vector<int> firstBlocks;
    for (const CExportedReport& report : reports) {
        // A report ends with a line end: the next one starts in the empty paragraph it leaves.
        if (cursor.block().length() > 1)
            cursor.insertBlock();
        firstBlocks.push_back(cursor.blockNumber());
        for (const CTextRun& run : report.text.Runs())
            InsertRun(cursor, run.text, run.flags);
    }
    // New paragraphs copy the format of the one before: the page breaks are set afterwards.
    for (QTextBlock block = document->begin(); block.isValid(); block = block.next()) {
        const bool starts = block.blockNumber() > 0 &&
                            std::find(firstBlocks.begin(), firstBlocks.end(), block.blockNumber()) != firstBlocks.end();
        QTextCursor at(block);
        QTextBlockFormat format = block.blockFormat();
        format.setPageBreakPolicy(starts ? QTextFormat::PageBreak_AlwaysBefore : QTextFormat::PageBreak_Auto);
        at.setBlockFormat(format);
    }
    return document;
}

void PreparePdfPrinter(QPrinter& printer, const QString& path)
{
    printer.setOutputFormat(QPrinter::PdfFormat);
    printer.setOutputFileName(path);
    printer.setPageLayout(CReportPrinter::DefaultPageLayout());
    printer.setCreator(QStringLiteral("Zentavo"));
}
