// Every export format of a 2x2 and a stratified report, read back as a reader would: the HTML
// is parsed as XML, the PDF's pages are counted and its text extracted with poppler-utils,
// the ODF text's paragraphs are read from its content. The same through zentavo-cli.
#include "CCalcDoc.h"
#include "CCalcEditView.h"
#include "CalcTestSupport.h"
#include "ExportedReport.h"
#include "ReportFileWriter.h"
#include "ReportHtml.h"
#include "ReportPrinter.h"
#include "ReportTextDocument.h"
#include "TestSupport.h"

#include <QPrintPreviewWidget>
#include <QPrinter>
#include <QProcess>
#include <QRegularExpression>
#include <QTemporaryDir>
#include <QTextDocument>
#include <QXmlStreamReader>

#include <filesystem>
#include <fstream>
#include <iterator>
#include <sstream>

namespace
{
std::vector<std::string> operator+(std::vector<std::string> first, const std::vector<std::string>& second)
{
    first.insert(first.end(), second.begin(), second.end());
    return first;
}

std::vector<std::string> Cells(unsigned a, unsigned b, unsigned c, unsigned d)
{
    return {"1090=" + std::to_string(a), "1091=" + std::to_string(b), "1092=" + std::to_string(c),
            "1093=" + std::to_string(d)};
}

std::vector<std::string> Lines(const std::string& text)
{
    std::vector<std::string> lines;
    std::istringstream in(text);
    for (std::string line; std::getline(in, line);) {
        if (!line.empty() && line.back() == '\r')
            line.pop_back();
        lines.push_back(line);
    }
    return lines;
}

/// Blanks and tabs collapsed to one blank, none at either end: what survives a PDF's layout.
std::string Squeezed(const std::string& text)
{
    return QString::fromStdString(text).simplified().toStdString();
}

std::string ReadFile(const QString& path)
{
    std::ifstream in(path.toStdString(), std::ios::binary);
    return std::string(std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>());
}

/// Standard output of a tool; fails the test when it cannot be run or fails.
std::string ToolOutput(const QString& program, const QStringList& arguments)
{
    QProcess process;
    process.start(program, arguments);
    if (!process.waitForFinished(60000) || process.exitStatus() != QProcess::NormalExit || process.exitCode() != 0) {
        ADD_FAILURE() << program.toStdString() << " failed: " << process.readAllStandardError().toStdString();
        return {};
    }
    return process.readAllStandardOutput().toStdString();
}

int PdfPages(const QString& path)
{
    const QRegularExpression pages(QStringLiteral("^Pages:\\s+(\\d+)"), QRegularExpression::MultilineOption);
    const QRegularExpressionMatch match = pages.match(QString::fromStdString(ToolOutput("pdfinfo", {path})));
    return match.hasMatch() ? match.captured(1).toInt() : -1;
}

/// The pages the print preview shows for the reports, each printed on its own as File > Print
/// does.
int PreviewPages(const std::vector<CExportedReport>& reports)
{
    int pages = 0;
    for (const CExportedReport& report : reports) {
        const std::unique_ptr<QTextDocument> document = ReportsToTextDocument({report});
        QPrinter printer(QPrinter::HighResolution);
        printer.setPageLayout(CReportPrinter::DefaultPageLayout());
        QPrintPreviewWidget preview(&printer);
        QObject::connect(&preview, &QPrintPreviewWidget::paintRequested, [&document](QPrinter* target) {
            CReportPrinter::Print(*document, *target, CCalcEditView::ReportFont());
        });
        preview.updatePreview();
        pages += preview.pageCount();
    }
    return pages;
}

/// The paragraphs of an ODF text document's body, spaces and tabs restored.
std::vector<std::string> OdtParagraphs(const QString& path)
{
    QXmlStreamReader xml(QByteArray::fromStdString(ToolOutput("unzip", {"-p", path, "content.xml"})));
    std::vector<std::string> paragraphs;
    QString current;
    int depth = 0; // inside a paragraph or heading
    while (!xml.atEnd()) {
        xml.readNext();
        const QStringView name = xml.name();
        if (xml.isStartElement()) {
            if (name == QLatin1String("p") || name == QLatin1String("h"))
                ++depth;
            else if (name == QLatin1String("s"))
                current +=
                    QString(std::max(1, xml.attributes().value(QLatin1String("text:c")).toInt()), QLatin1Char(' '));
            else if (name == QLatin1String("tab"))
                current += QLatin1Char('\t');
            else if (name == QLatin1String("line-break"))
                current += QLatin1Char('\n');
        } else if (xml.isCharacters() && depth > 0) {
            current += xml.text();
        } else if (xml.isEndElement() && (name == QLatin1String("p") || name == QLatin1String("h"))) {
            if (--depth == 0) {
                paragraphs.push_back(current.toStdString());
                current.clear();
            }
        }
    }
    EXPECT_FALSE(xml.hasError()) << xml.errorString().toStdString();
    return paragraphs;
}

class ReportExportTest : public CCalcTest
{
protected:
    void SetUp() override
    {
        CCalcTest::SetUp();
        ASSERT_TRUE(m_dir.isValid());
        // A title with the characters HTML must escape, and a stratified table long enough to
        // need a second page.
        const CCalcRunResult table =
            Run("3200", std::vector<std::string>{"1022=Cases & controls <2x2>"} + Cells(40, 15, 5, 40));
        ASSERT_EQ(table.outcome, CCalcRunResult::Written) << table.error;
        std::vector<std::string> strata = std::vector<std::string>{"1022=By age"} + Cells(10, 20, 30, 40);
        for (unsigned i = 1; i < 8; ++i)
            strata = strata + std::vector<std::string>{"@1032"} + Cells(10 + i, 20, 30 - i, 40 + 2 * i);
        const CCalcRunResult stratified = Run("3300", strata);
        ASSERT_EQ(stratified.outcome, CCalcRunResult::Written) << stratified.error;
        m_reports = {CExportedReport{"2x2 table", CRichText::FromRtf(table.rtf)},
                     CExportedReport{"Stratified", CRichText::FromRtf(stratified.rtf)}};
        m_texts = {table.report, stratified.report};
    }
    QString Path(const QString& name) const { return m_dir.filePath(name); }
    bool Write(CExportFormat format, const QString& path)
    {
        std::string error;
        const bool ok = WriteReportsFile(m_reports, format, path.toStdString(), "Study <1>", {}, error);
        EXPECT_TRUE(ok) << error;
        return ok;
    }
    /// Every line of every report, in order, from all reports' text.
    std::vector<std::string> AllLines() const
    {
        std::vector<std::string> lines;
        for (const std::string& text : m_texts)
            for (const std::string& line : Lines(text))
                lines.push_back(line);
        return lines;
    }

    QTemporaryDir m_dir;
    std::vector<CExportedReport> m_reports;
    std::vector<std::string> m_texts;
};

TEST_F(ReportExportTest, PlainTextIsTheDocumentExportBytes)
{
    ASSERT_TRUE(Write(CExportFormat::Text, Path("r.txt")));
    std::string expected;
    for (const std::string& text : m_texts) {
        for (const std::string& line : Lines(text))
            expected += line + "\r\n";
        expected += CCalcDoc::kExportSeparator;
    }
    EXPECT_EQ(ReadFile(Path("r.txt")), expected);
}

TEST_F(ReportExportTest, HtmlParsesAndHoldsEveryLineUnderItsHeading)
{
    ASSERT_TRUE(Write(CExportFormat::Html, Path("r.html")));
    const std::string html = ReadFile(Path("r.html"));
    QXmlStreamReader xml(QByteArray::fromStdString(html));
    std::vector<std::string> headings, blocks;
    QString title;
    std::string* current = nullptr;
    while (!xml.atEnd()) {
        xml.readNext();
        if (xml.isStartElement() && xml.name() == QLatin1String("h2")) {
            current = &headings.emplace_back();
        } else if (xml.isStartElement() && xml.name() == QLatin1String("pre")) {
            current = &blocks.emplace_back();
            EXPECT_TRUE(xml.attributes().value(QLatin1String("style")).contains(QLatin1String("monospace")));
        } else if (xml.isStartElement() && xml.name() == QLatin1String("title")) {
            title = xml.readElementText();
        } else if (xml.isEndElement() && (xml.name() == QLatin1String("h2") || xml.name() == QLatin1String("pre"))) {
            current = nullptr;
        } else if (xml.isCharacters() && current) {
            *current += xml.text().toString().toStdString();
        }
    }
    ASSERT_FALSE(xml.hasError()) << xml.errorString().toStdString();
    EXPECT_EQ(title, QStringLiteral("Study <1>"));
    EXPECT_EQ(headings, (std::vector<std::string>{"2x2 table", "Stratified"}));
    ASSERT_EQ(blocks.size(), 2u);
    for (size_t i = 0; i < blocks.size(); ++i)
        EXPECT_EQ(Lines(blocks[i]), Lines(m_texts[i])); // tabs and runs of blanks kept
    EXPECT_NE(html.find("Cases &amp; controls &lt;2x2&gt;"), std::string::npos);
    EXPECT_NE(html.find("<b>"), std::string::npos);    // the reports' bold headings stay bold
    EXPECT_EQ(html.find("<style"), std::string::npos); // styles inline only
}

TEST_F(ReportExportTest, PdfHasThePreviewsPagesAndEveryLine)
{
    ASSERT_TRUE(Write(CExportFormat::Pdf, Path("r.pdf")));
    const int preview = PreviewPages(m_reports);
    EXPECT_GE(preview, 3); // the stratified report takes two pages, and starts a new one
    EXPECT_EQ(PdfPages(Path("r.pdf")), preview);

    // Lines a page is too narrow for are wrapped: each line is looked for in the whole text.
    const std::string text = " " + Squeezed(ToolOutput("pdftotext", {"-layout", Path("r.pdf"), "-"})) + " ";
    for (const std::string& line : AllLines()) {
        if (!Squeezed(line).empty()) {
            EXPECT_NE(text.find(" " + Squeezed(line) + " "), std::string::npos) << line;
        }
    }
}

TEST_F(ReportExportTest, OdtHoldsEveryLineAsAParagraph)
{
    ASSERT_TRUE(Write(CExportFormat::Odt, Path("r.odt")));
    EXPECT_EQ(ToolOutput("unzip", {"-p", Path("r.odt"), "mimetype"}), "application/vnd.oasis.opendocument.text");
    const std::vector<std::string> paragraphs = OdtParagraphs(Path("r.odt"));
    std::vector<std::string> expected = AllLines();
    expected.emplace_back(); // the empty paragraph after the last line end
    EXPECT_EQ(paragraphs, expected);
}

TEST_F(ReportExportTest, AnUnwritableFileIsReportedInEveryFormat)
{
    const QString missing = Path("no-such-folder/r");
    for (CExportFormat format : {CExportFormat::Text, CExportFormat::Html, CExportFormat::Pdf, CExportFormat::Odt}) {
        std::string error;
        const QString path = missing + QLatin1Char('.') + QLatin1String(ExportFormatExtension(format));
        EXPECT_FALSE(WriteReportsFile(m_reports, format, path.toStdString(), "t", {}, error)) << path.toStdString();
        EXPECT_FALSE(error.empty());
    }
}

TEST_F(ReportExportTest, TheCommandLineToolWritesEachFormat)
{
    // In the sanitizer build the tool, once it has loaded Qt, skips the leak check at exit as
    // the GUI tests do: fontconfig and Qt's plugins keep allocations that are not ours.
    setenv("ASAN_OPTIONS", "detect_leaks=0", 1);
    const std::string document = Path("study.zna").toStdString();
    ASSERT_EQ(RunCli("run 3200 1022=T 1090=40 1091=15 1092=5 1093=40 --doc '" + document + "' >/dev/null").status, 0);
    const CCliRun text = RunCli("export '" + document + "'");
    ASSERT_EQ(text.status, 0);

    const CCliRun html = RunCli("export '" + document + "' --format html");
    EXPECT_EQ(html.status, 0);
    EXPECT_EQ(html.out.rfind("<!DOCTYPE html>", 0), 0u);
    const CCliRun byName = RunCli("export '" + document + "' '" + Path("s.htm").toStdString() + "'");
    EXPECT_EQ(byName.status, 0);
    EXPECT_EQ(ReadFile(Path("s.htm")), html.out);

    // PDF and ODF text without a screen: the tool picks the offscreen platform itself.
    const std::string pdf = Path("s.out").toStdString();
    EXPECT_EQ(RunCli("export '" + document + "' '" + pdf + "' --format pdf").status, 0);
    EXPECT_EQ(PdfPages(Path("s.out")), 1);
    const std::string extracted = Squeezed(ToolOutput("pdftotext", {"-layout", Path("s.out"), "-"}));
    const std::string separator = Squeezed(CCalcDoc::kExportSeparator);
    for (const std::string& line : Lines(text.out)) {
        if (Squeezed(line) != separator) {
            EXPECT_NE(extracted.find(Squeezed(line)), std::string::npos) << line;
        }
    }
    EXPECT_EQ(RunCli("export '" + document + "' '" + Path("s.odt").toStdString() + "'").status, 0);
    EXPECT_EQ(ToolOutput("unzip", {"-p", Path("s.odt"), "mimetype"}), "application/vnd.oasis.opendocument.text");

    const CCliRun noFile = RunCli("export '" + document + "' --format pdf 2>&1");
    EXPECT_EQ(noFile.status, 1);
    EXPECT_NE(noFile.out.find("name OUT"), std::string::npos);
    EXPECT_EQ(RunCli("export '" + document + "' --format rtf 2>/dev/null").status, 1);
    EXPECT_EQ(RunCli("export '" + document + "' --format 2>/dev/null").status, 1);

    // No format may write over the document, whatever name leads to it.
    const std::string stored = ReadFile(QString::fromStdString(document));
    for (const char* format : {"txt", "html", "pdf", "odt"}) {
        const CCliRun over = RunCli("export '" + document + "' '" + document + "' --format " + format + " 2>&1");
        EXPECT_EQ(over.status, 1) << format;
        EXPECT_NE(over.out.find("document itself"), std::string::npos) << format;
    }
    EXPECT_EQ(ReadFile(QString::fromStdString(document)), stored);
    unsetenv("ASAN_OPTIONS");
}

TEST_F(ReportExportTest, AFailedExportKeepsTheOldFileAndTheDocumentIsRefused)
{
    const QString old = Path("old.pdf");
    {
        std::ofstream(old.toStdString()) << "previous";
    }
    // A read-only file is refused (even for a privileged user) and stays as it was.
    std::filesystem::permissions(old.toStdString(), std::filesystem::perms::owner_read);
    for (CExportFormat format : {CExportFormat::Text, CExportFormat::Html, CExportFormat::Pdf, CExportFormat::Odt}) {
        std::string error;
        EXPECT_FALSE(WriteReportsFile(m_reports, format, old.toStdString(), "t", {}, error));
        EXPECT_EQ(ReadFile(old), "previous");
    }
    std::filesystem::permissions(old.toStdString(),
                                 std::filesystem::perms::owner_read | std::filesystem::perms::owner_write);
    for (CExportFormat format : {CExportFormat::Text, CExportFormat::Html, CExportFormat::Pdf, CExportFormat::Odt}) {
        std::string error;
        EXPECT_FALSE(WriteReportsFile(m_reports, format, old.toStdString(), "t", old.toStdString(), error));
        EXPECT_NE(error.find("document itself"), std::string::npos);
    }
    EXPECT_EQ(ReadFile(old), "previous");
}
} // namespace
