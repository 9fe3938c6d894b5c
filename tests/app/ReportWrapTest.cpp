// Long paragraphs of a report shown split where their lines wrap: the view looks as it would
// with the whole paragraph, at every zoom, while the stored, copied and printed text and every
// change by hand see the paragraph whole.
#include "ReportWrap.h"

#include "CCalcBase.h"
#include "CCalcDoc.h"
#include "CCalcEditView.h"
#include "CCalcTreeView.h"
#include "CCalculation.h"
#include "CQtDocViews.h"
#include "CalcFactory.h"
#include "FrameworkInit.h"
#include "Profile.h"
#include "ReportPrinter.h"
#include "RichTextConvert.h"
#include "TestSupport.h"
#include "UIServices.h"
#include "ViewsWindow.h"

#include <QAbstractTextDocumentLayout>
#include <QApplication>
#include <QClipboard>
#include <QDir>
#include <QFile>
#include <QImage>
#include <QSplitter>
#include <QTest>
#include <QTextBlock>
#include <QTextDocument>
#include <QTextLayout>

#include <cmath>
#include <gtest/gtest.h>
#include <memory>
#include <random>

namespace
{
/// A report like a random list: a heading, then one paragraph of `s_count` numbers of 1 to 9
/// digits between tabs (every seventh a blank), then a last line.
class CLongListCalc : public CCalcBase
{
    DECLARE_SERIAL(CLongListCalc)
public:
    bool Do() override
    {
        SetTitle("List");
        InsertPhrase("Random list\n", kPhraseBold);
        std::mt19937 random(7);
        for (int i = 0; i < s_count; ++i) {
            const unsigned limit = i % 3 == 0 ? 1000000000U : 1000000U;
            InsertPhrase(std::to_string(1 + random() % limit) + (i % 7 == 0 ? " " : "\t"), kPhrasePlain);
        }
        InsertPhrase(s_tail, kPhrasePlain);
        return true;
    }
    static int s_count;
    static std::string s_tail;
};
IMPLEMENT_SERIAL(CLongListCalc, CCalcBase, 0)
int CLongListCalc::s_count = 5000;
std::string CLongListCalc::s_tail = "\nEnd\n";

/// The starts of the lines of `text` as one paragraph laid out in the view's face and width.
std::vector<int> WholeParagraphLines(const QString& text, const QTextDocument& shown, double width)
{
    QTextLayout layout(text, shown.defaultFont());
    layout.setTextOption(shown.defaultTextOption());
    layout.beginLayout();
    std::vector<int> starts;
    for (QTextLine line = layout.createLine(); line.isValid(); line = layout.createLine()) {
        line.setLineWidth(width);
        starts.push_back(line.textStart());
    }
    layout.endLayout();
    return starts;
}

class ReportWrapTest : public ::testing::Test
{
protected:
    void SetUp() override
    {
        ZNTVCalcInit();
        AfxRegisterClass(RUNTIME_CLASS(CLongListCalc));
        CProfile profile;
        profile.Load(ShippedVocabularyPath());
        SetVocabularyProfiles({profile});
        SetUIServices(&m_ui);
        SetCalcFactory(
            [](const std::string& code) -> CCalcBase* { return code == "0000" ? nullptr : new CLongListCalc; });
        CLongListCalc::s_count = 5000;
        CLongListCalc::s_tail = "\nEnd\n";
        m_panes = std::make_unique<CViewsWindow>(m_doc);
        m_tree = m_panes->tree;
        m_edit = m_panes->edit;
        m_views = m_panes->views.get();
        m_doc.OnNewDocument();
        m_views->OnUpdate();
    }
    void TearDown() override
    {
        m_panes.reset();
        SetCalcFactory(nullptr);
        SetUIServices(nullptr);
        ResetVocabulary();
    }

    CCalculation* AddList()
    {
        m_doc.OnNewCalculation(32771);
        QApplication::processEvents();
        CCalcNodeBase* node = m_doc.GetSelectedNode();
        return node && node->IsCalculation() ? static_cast<CCalculation*>(node) : nullptr;
    }
    double LineWidth() const { return m_edit->lineWrapColumnOrWidth() - 2 * m_edit->document()->documentMargin(); }

    /// Checks that the shown blocks of the long paragraph (block 1 on) lay out exactly as the
    /// whole paragraph would: one line per block, breaking where the whole one breaks.
    void ExpectSplitAsWrapped(const std::string& where)
    {
        const QTextDocument& shown = *m_edit->document();
        ASSERT_TRUE(HasSoftBreaks(shown)) << where;
        QString whole;
        std::vector<int> blockStarts;
        QTextBlock block = shown.begin().next();
        for (; block.isValid() && (blockStarts.empty() || IsSoftBreak(block)); block = block.next()) {
            blockStarts.push_back(static_cast<int>(whole.size()));
            whole += block.text();
            // Each block of the split paragraph is one line on screen.
            EXPECT_EQ(shown.documentLayout()->blockBoundingRect(block).height(),
                      shown.documentLayout()->blockBoundingRect(shown.begin().next()).height())
                << where << ": block " << block.blockNumber() << " wraps";
        }
        EXPECT_EQ(blockStarts, WholeParagraphLines(whole, shown, LineWidth())) << where;
    }

    CHeadlessUIServices m_ui;
    CCalcDoc m_doc;
    std::unique_ptr<CViewsWindow> m_panes;
    CCalcTreeView* m_tree = nullptr;
    CCalcEditView* m_edit = nullptr;
    CQtDocViews* m_views = nullptr;
};

TEST_F(ReportWrapTest, ALongParagraphShowsAsItWrapsAtEveryZoomAndStoresWhole)
{
    CCalculation* calc = AddList();
    ASSERT_NE(calc, nullptr);
    const std::string written = m_edit->GetText();
    EXPECT_EQ(std::count(written.begin(), written.end(), '\n'), 3); // heading, paragraph, "End"
    ExpectSplitAsWrapped("new report");
    for (int zoom : {50, 90, 100, 130, 170, 300}) {
        m_edit->SetZoom(zoom);
        ExpectSplitAsWrapped("zoom " + std::to_string(zoom));
        EXPECT_EQ(m_edit->GetText(), written) << zoom;
    }
    m_edit->SetZoom(100);

    // Stored and shown again: the stored report has the paragraph whole.
    m_tree->SelectNode(m_doc.GetHead());
    const std::string stored = CRichText::FromRtf(calc->GetText()).ToPlainText(false);
    EXPECT_EQ(stored, written);
    m_tree->SelectNode(calc);
    ExpectSplitAsWrapped("shown again");
    EXPECT_EQ(m_edit->GetText(), written);

    // Printing lays out the whole paragraph on its own.
    QImage page(800, 1000, QImage::Format_RGB32);
    const auto copy =
        CReportPrinter::LayoutCopy(*m_edit->document(), page, QSizeF(700, 900), CCalcEditView::ReportFont());
    EXPECT_FALSE(HasSoftBreaks(*copy));
    EXPECT_EQ(copy->blockCount(), 4); // three lines and the empty one after the last line end
}

TEST_F(ReportWrapTest, CopiesHoldTheParagraphWhole)
{
    ASSERT_NE(AddList(), nullptr);
    m_edit->selectAll();
    m_edit->copy();
    const QString copied = QGuiApplication::clipboard()->text();
    EXPECT_EQ(copied.count(QLatin1Char('\n')), 3);
    EXPECT_EQ(copied.toStdString(), m_edit->GetText());
    EXPECT_TRUE(HasSoftBreaks(*m_edit->document())); // copying changes nothing
}

TEST_F(ReportWrapTest, ChangesByHandSeeTheParagraphWhole)
{
    CCalculation* calc = AddList();
    ASSERT_NE(calc, nullptr);
    const std::string written = m_edit->GetText();
    m_edit->setFocus();
    // Enter typed in the middle of the paragraph, where a soft break lies: one line end more.
    QTextBlock soft = m_edit->document()->begin().next().next();
    ASSERT_TRUE(IsSoftBreak(soft));
    QTextCursor cursor(soft);
    m_edit->setTextCursor(cursor);
    const int at = cursor.position() - 1; // one soft break before it
    QTest::keyClick(m_edit, Qt::Key_Return);
    EXPECT_FALSE(HasSoftBreaks(*m_edit->document()));
    std::string expected = written;
    expected.insert(static_cast<size_t>(at), "\n");
    EXPECT_EQ(m_edit->GetText(), expected);
    EXPECT_EQ(calc->IsEditted(), 1);

    // Undone, the report is as written.
    QTest::keyClick(m_edit, Qt::Key_Z, Qt::ControlModifier);
    EXPECT_EQ(m_edit->GetText(), written);
}

TEST_F(ReportWrapTest, ParagraphsItCannotFollowStayWhole)
{
    // A hyphen inside a word may break a line: a paragraph of such words is left as it is.
    std::string hyphenated;
    for (int i = 0; i < 1000; ++i)
        hyphenated += "ab-cd ";
    CLongListCalc::s_tail = "\n" + hyphenated + "\n";
    CLongListCalc::s_count = 10; // a short paragraph: not split either
    ASSERT_NE(AddList(), nullptr);
    EXPECT_FALSE(HasSoftBreaks(*m_edit->document()));
    EXPECT_EQ(m_edit->document()->blockCount(), 4); // heading, numbers, hyphenated words, empty last
}
} // namespace

namespace
{
TEST_F(ReportWrapTest, AReportReadFromAFileKeepsItsTabStops)
{
    CCalculation* calc = AddList();
    ASSERT_NE(calc, nullptr);
    const QString path =
        QDir::temp().filePath(QStringLiteral("zentavo-wrap-%1.zna").arg(QCoreApplication::applicationPid()));
    ASSERT_TRUE(m_doc.OnSaveDocument(path.toStdString()));
    ASSERT_TRUE(m_doc.OnOpenDocument(path.toStdString()));
    QFile::remove(path);
    m_views->OnUpdate();
    CCalcNodeBase* node = m_doc.GetHead();
    m_doc.GetHead()->Walk([&node](CCalcNodeBase& each, int) {
        if (each.IsCalculation())
            node = &each;
    });
    m_tree->SelectNode(node);
    QApplication::processEvents();
    const QTextDocument& shown = *m_edit->document();
    ASSERT_TRUE(HasSoftBreaks(shown));
    const QTextBlock line = shown.begin().next();
    shown.documentLayout()->blockBoundingRect(line);
    const int tab = static_cast<int>(line.text().indexOf(QLatin1Char('\t')));
    ASSERT_GT(tab, 0);
    const double stop = shown.defaultTextOption().tabStopDistance();
    EXPECT_EQ(stop, CReportPrinter::kTabStopInches * m_edit->logicalDpiX());
    const double after = line.layout()->lineAt(0).cursorToX(tab + 1);
    EXPECT_GT(after, 0);
    EXPECT_DOUBLE_EQ(std::fmod(after, stop), 0.0) << after;
}
} // namespace
