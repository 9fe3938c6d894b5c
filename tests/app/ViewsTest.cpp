// The tree view and the result view driven through their real widgets (offscreen): new
// calculations, the report's formats, rename, delete, the clipboard, redo, focus and printing.
#include "CCalcBase.h"
#include "CCalcDoc.h"
#include "CCalcDocNode.h"
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
#include "ViewCommands.h"
#include "ViewsWindow.h"

#include <QAbstractTextDocumentLayout>
#include <QAction>
#include <QApplication>
#include <QClipboard>
#include <QContextMenuEvent>
#include <QFileInfo>
#include <QFocusEvent>
#include <QHeaderView>
#include <QKeyEvent>
#include <QLineEdit>
#include <QMenu>
#include <QMimeData>
#include <QPrinter>
#include <QScrollBar>
#include <QSplitter>
#include <QTemporaryDir>
#include <QTest>
#include <QTextBlock>
#include <QTextDocument>
#include <QTextLayout>
#include <QTimer>
#include <QUndoStack>

#include <functional>
#include <memory>

namespace
{
/// A calculation whose report has a bold heading, an italic line and a plain line holding the
/// list separator; Do can be told to cancel.
class CViewsTestCalc : public CCalcBase
{
    DECLARE_SERIAL(CViewsTestCalc)
public:
    bool Do() override
    {
        if (s_cancel)
            return false;
        SetTitle("Test " + std::to_string(++s_made));
        InsertPhrase(GetTitle() + "\n", kPhraseBold);
        InsertPhrase("Level ", kPhraseItalic);
        InsertPhrase("95%\n", kPhraseItalic);
        InsertPhrase("[1\a 2]\n", kPhrasePlain);
        return true;
    }
    static int s_made;
    static bool s_cancel;
};
IMPLEMENT_SERIAL(CViewsTestCalc, CCalcBase, 0)
int CViewsTestCalc::s_made = 0;
bool CViewsTestCalc::s_cancel = false;

CCalcBase* ViewsTestFactory(const std::string& code)
{
    return code == "0000" ? nullptr : new CViewsTestCalc;
}

const unsigned kPercentage = 32771; // leaf 0: "1110"

QAction* FindCommand(QMenu& menu, unsigned id)
{
    for (QAction* action : menu.actions()) {
        if (QMenu* sub = action->menu()) {
            if (QAction* found = FindCommand(*sub, id))
                return found;
        } else if (action->property("zentavoCommand").toUInt() == id) {
            return action;
        }
    }
    return nullptr;
}

/// Chooses the item of the context menu that opens next, once it is open.
void ChooseInNextPopup(unsigned id, bool* found)
{
    QTimer::singleShot(0, [id, found] {
        auto* menu = qobject_cast<QMenu*>(QApplication::activePopupWidget());
        QAction* action = menu ? FindCommand(*menu, id) : nullptr;
        *found = action != nullptr;
        if (action)
            action->trigger();
        if (menu)
            menu->close();
    });
}

void SendKey(QWidget* widget, QEvent::Type type, int key, bool autoRepeat = false)
{
    QKeyEvent event(type, key, Qt::NoModifier, QString(), autoRepeat);
    QApplication::sendEvent(widget, &event);
}

void SendFocus(QWidget* widget, QEvent::Type type, Qt::FocusReason reason)
{
    QFocusEvent event(type, reason);
    QApplication::sendEvent(widget, &event);
}
} // namespace

class CViewsTest : public ::testing::Test
{
protected:
    void SetUp() override
    {
        ZNTVCalcInit();
        AfxRegisterClass(RUNTIME_CLASS(CViewsTestCalc));
        CProfile profile;
        profile.Load(ShippedVocabularyPath());
        SetVocabularyProfiles({profile});
        SetUIServices(&m_ui);
        SetCalcFactory(&ViewsTestFactory);
        CViewsTestCalc::s_made = 0;
        CViewsTestCalc::s_cancel = false;
        m_panes = std::make_unique<CViewsWindow>(m_doc);
        m_window = m_panes->window.get();
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

    CCalculation* Selected() const
    {
        CCalcNodeBase* node = m_doc.GetSelectedNode();
        return node && node->IsCalculation() ? static_cast<CCalculation*>(node) : nullptr;
    }
    CRichText Shown() const { return RichTextFromDocument(*m_edit->document()); }
    QTreeWidgetItem* HeadItem() const { return CCalcTreeView::ItemOf(m_doc.GetHead()); }

    CHeadlessUIServices m_ui;
    CCalcDoc m_doc;
    std::unique_ptr<CViewsWindow> m_panes;
    QSplitter* m_window = nullptr;
    CCalcTreeView* m_tree = nullptr;
    CCalcEditView* m_edit = nullptr;
    CQtDocViews* m_views = nullptr;
};

TEST_F(CViewsTest, NewCalculationIsSelectedUnderItsFoldersWithItsFormattedReport)
{
    // The empty document: the head selected, the placeholder greyed in the fixed-pitch font.
    ASSERT_EQ(m_tree->currentItem(), HeadItem());
    EXPECT_FALSE(m_edit->isEnabled());
    EXPECT_EQ(m_edit->GetText(), GetProfileString("Messages", "01", "?"));
    EXPECT_EQ(m_edit->document()->defaultFont().family(), "Courier New");
    EXPECT_TRUE(m_edit->document()->defaultFont().fixedPitch());
    EXPECT_EQ(m_edit->document()->defaultFont().pointSize(), 10);

    m_doc.OnNewCalculation(kPercentage);
    CCalculation* calc = Selected();
    ASSERT_NE(calc, nullptr);
    QTreeWidgetItem* item = CCalcTreeView::ItemOf(calc);
    ASSERT_EQ(m_tree->currentItem(), item);
    EXPECT_EQ(item->text(0).toStdString(), "Test 1");
    QStringList path;
    for (QTreeWidgetItem* up = item->parent(); up; up = up->parent())
        path.prepend(up->text(0));
    EXPECT_EQ(path, (QStringList{"Untitled", "Describe", "Proportion", "Percentage"}));
    EXPECT_TRUE(item->parent()->isExpanded());

    // The phrases in their formats; character 7 shows as the C locale's list separator.
    const std::vector<CTextRun> expected{{"Test 1\n", kRunBold}, {"Level 95%\n", kRunItalic}, {"[1, 2]\n", 0}};
    EXPECT_EQ(Shown().Runs(), expected);
    EXPECT_TRUE(m_edit->isEnabled());
    EXPECT_TRUE(m_doc.IsModified());
    EXPECT_EQ(calc->IsEditted(), 0);
    EXPECT_FALSE(m_edit->document()->isUndoAvailable()); // program writes leave no undo record

    // The text reaches the calculation when another node is selected, and comes back.
    m_tree->SelectNode(m_doc.GetHead());
    EXPECT_EQ(CRichText::FromRtf(calc->GetText()).Runs(), expected);
    m_tree->SelectNode(calc);
    EXPECT_EQ(Shown().Runs(), expected);
}

TEST_F(CViewsTest, ContextMenusAreBuiltFromTheVocabularyAndRunTheirCommands)
{
    std::unique_ptr<QMenu> root(m_tree->CreateContextMenu(CCalcType(), nullptr));
    // Every menu at every level ends with a separator and the note.
    std::function<void(QMenu&)> checkEnds = [&](QMenu& menu) {
        const QList<QAction*> actions = menu.actions();
        ASSERT_GE(actions.size(), 2);
        EXPECT_TRUE(actions[actions.size() - 2]->isSeparator());
        EXPECT_EQ(actions.back()->property("zentavoCommand").toUInt(), kCmdNote);
        EXPECT_EQ(actions.back()->text(), "Note");
        for (QAction* action : actions) {
            if (action->menu())
                checkEnds(*action->menu());
        }
    };
    checkEnds(*root);
    EXPECT_EQ(root->actions().size(), GetProfileInt("Levels", "0000", 0) + 2);
    EXPECT_EQ(root->actions()[0]->text(), "Describe");
    EXPECT_NE(FindCommand(*root, kPercentage), nullptr);
    EXPECT_EQ(FindCommand(*root, kPercentage)->text(), "Percentage");

    std::unique_ptr<QMenu> leaf(m_tree->CreateContextMenu(CCalcType(1, 1, 1, 0), nullptr));
    ASSERT_EQ(leaf->actions().size(), 3);
    EXPECT_EQ(leaf->actions()[0]->text(), "New percentage");
    EXPECT_EQ(leaf->actions()[0]->property("zentavoCommand").toUInt(), kPercentage);

    // A right-click on the head opens its menu; the note item files a note in the head.
    bool found = false;
    ChooseInNextPopup(kCmdNote, &found);
    const QPoint at = m_tree->visualItemRect(HeadItem()).center();
    QContextMenuEvent click(QContextMenuEvent::Mouse, at, m_tree->viewport()->mapToGlobal(at));
    QApplication::sendEvent(m_tree->viewport(), &click);
    EXPECT_TRUE(found);
    CCalculation* note = Selected();
    ASSERT_NE(note, nullptr);
    EXPECT_EQ(m_doc.GetHead()->GetCalc(), note);
    EXPECT_EQ(CCalcTreeView::ItemOf(note)->parent(), HeadItem());

    // A right-click on a calculation selects it and offers Redo, Cut, Copy, Paste, Delete, Rename.
    m_tree->SelectNode(m_doc.GetHead());
    const QPoint onNote = m_tree->visualItemRect(CCalcTreeView::ItemOf(note)).center();
    QTimer::singleShot(0, [] {
        auto* menu = qobject_cast<QMenu*>(QApplication::activePopupWidget());
        if (!menu)
            return;
        QStringList texts;
        for (QAction* action : menu->actions())
            texts << action->text();
        EXPECT_EQ(texts, (QStringList{"&Recalculate\tF5", "", "Cu&t\tCtrl+X", "&Copy\tCtrl+C", "&Paste\tCtrl+V", "",
                                      "&Delete", "Rena&me\tF2"}));
        EXPECT_FALSE(FindCommand(*menu, kCmdPaste)->isEnabled()); // nothing on the clipboard yet
        menu->close();
    });
    QContextMenuEvent onCalc(QContextMenuEvent::Mouse, onNote, m_tree->viewport()->mapToGlobal(onNote));
    QApplication::sendEvent(m_tree->viewport(), &onCalc);
    EXPECT_EQ(Selected(), note);
}

TEST_F(CViewsTest, RenameTakesFiftyCharactersAndRefusesMore)
{
    m_doc.OnNewCalculation(kPercentage);
    CCalculation* calc = Selected();
    QTreeWidgetItem* item = CCalcTreeView::ItemOf(calc);
    m_doc.SetModifiedFlag(false);

    EXPECT_FALSE(m_tree->EndLabelEdit(item, QString(51, 'x')));
    ASSERT_EQ(m_ui.m_messages.size(), 1u);
    EXPECT_EQ(m_ui.m_messages[0], "Maximum label length is 50");
    EXPECT_EQ(calc->GetLabel(), "Test 1");
    EXPECT_EQ(item->text(0), "Test 1");
    EXPECT_FALSE(m_doc.IsModified());

    // The in-place editor itself stops at 50 and commits through the same check.
    m_tree->OnTreeRename();
    auto* editor = m_tree->viewport()->findChild<QLineEdit*>();
    ASSERT_NE(editor, nullptr);
    EXPECT_EQ(editor->maxLength(), 50);
    editor->setText(QString(50, 'y'));
    QTest::keyClick(editor, Qt::Key_Return);
    QApplication::processEvents(); // the editor commits through a queued call
    EXPECT_EQ(calc->GetLabel(), std::string(50, 'y'));
    EXPECT_EQ(item->text(0), QString(50, 'y'));
    EXPECT_TRUE(m_doc.IsModified());

    // A label wider than the pane scrolls sideways instead of being cut.
    m_tree->resize(180, 300);
    m_tree->doItemsLayout();
    QApplication::processEvents();
    EXPECT_GT(m_tree->header()->sectionSize(0), m_tree->viewport()->width());
    EXPECT_GT(m_tree->horizontalScrollBar()->maximum(), 0);

    // A folder cannot be renamed.
    m_tree->SelectNode(m_doc.GetHead());
    EXPECT_FALSE(m_tree->OnUpdateTreeRename());
    EXPECT_FALSE(HeadItem()->flags() & Qt::ItemIsEditable);
}

TEST_F(CViewsTest, DeletePrunesEmptyFoldersButNeverTheHead)
{
    m_doc.OnNewCalculation(kPercentage);
    CCalculation* first = Selected();
    m_doc.OnNewCalculation(kPercentage);
    CCalculation* second = Selected();
    m_tree->SelectNode(m_doc.GetHead());
    m_doc.OnNote();
    ASSERT_EQ(m_doc.GetHead()->GetCalc(), Selected());

    // Delete on a folder beeps; held-down Delete (auto-repeated releases) deletes nothing.
    m_tree->SelectNode(m_doc.GetHead());
    SendKey(m_tree, QEvent::KeyRelease, Qt::Key_Delete);
    EXPECT_EQ(m_ui.m_beeps, 1);
    m_tree->SelectNode(first);
    SendKey(m_tree, QEvent::KeyRelease, Qt::Key_Delete, true);
    EXPECT_EQ(Selected(), first);

    // The first of two: the next sibling is selected, the folders stay.
    SendKey(m_tree, QEvent::KeyRelease, Qt::Key_Delete);
    EXPECT_EQ(Selected(), second);
    EXPECT_EQ(m_tree->currentItem(), CCalcTreeView::ItemOf(second));
    EXPECT_EQ(m_edit->GetShownCalculation(), second);

    // The last of its folder: "Percentage", "Proportion" and "Describe" go; the head stays.
    ASSERT_TRUE(m_tree->DeleteSelItem());
    EXPECT_EQ(m_doc.GetHead()->GetSub(), nullptr);
    ASSERT_EQ(m_tree->topLevelItemCount(), 1);
    EXPECT_EQ(HeadItem()->childCount(), 1); // the note
    CCalcNodeBase* selected = m_doc.GetSelectedNode();
    ASSERT_NE(selected, nullptr);
    EXPECT_EQ(m_tree->currentItem(), CCalcTreeView::ItemOf(selected));
    EXPECT_TRUE(m_doc.IsModified());

    // The very last calculation: the head is selected and the placeholder shown.
    m_tree->SelectNode(m_doc.GetHead()->GetCalc());
    ASSERT_TRUE(m_tree->DeleteSelItem());
    EXPECT_EQ(m_doc.GetSelectedNode(), m_doc.GetHead());
    EXPECT_EQ(m_edit->GetShownCalculation(), nullptr);
    EXPECT_FALSE(m_edit->isEnabled());
    EXPECT_EQ(HeadItem()->childCount(), 0);
    EXPECT_FALSE(m_tree->OnUpdateEditDelete());
    // Views update again without touching freed nodes (the sanitizer build checks this).
    m_views->OnUpdate();
    SendFocus(m_edit, QEvent::FocusOut, Qt::TabFocusReason);
}

TEST_F(CViewsTest, CopyAndPasteRoundTripThroughAllThreeFormats)
{
    m_doc.OnNewCalculation(kPercentage);
    CCalculation* original = Selected();
    const CRichText report = Shown();
    ASSERT_TRUE(m_tree->OnUpdateEditCopy());
    ASSERT_TRUE(m_tree->OnCommand(kCmdCopy));
    EXPECT_FALSE(m_ui.m_clipboard.calculation.empty());
    EXPECT_EQ(m_ui.m_clipboard.rtf.rfind("{\\rtf1", 0), 0u);
    EXPECT_EQ(CRichText::FromRtf(m_ui.m_clipboard.rtf), report);
    EXPECT_EQ(m_ui.m_clipboard.plainText, "Test 1\nLevel 95%\n[1, 2]\n");

    // Pasted while the head is selected: filed under its own type's folders, last, selected.
    m_tree->SelectNode(m_doc.GetHead());
    m_doc.SetModifiedFlag(false);
    ASSERT_TRUE(m_tree->OnUpdateEditPaste());
    ASSERT_TRUE(m_tree->PasteFromClipboard());
    CCalculation* pasted = Selected();
    ASSERT_NE(pasted, nullptr);
    EXPECT_NE(pasted, original);
    EXPECT_EQ(original->GetNext(), pasted);
    EXPECT_EQ(CCalcTreeView::ItemOf(pasted)->parent(), CCalcTreeView::ItemOf(original)->parent());
    EXPECT_EQ(pasted->GetLabel(), "Test 1");
    EXPECT_EQ(Shown(), report);
    EXPECT_TRUE(m_doc.IsModified());

    // Cut keeps the calculation when the clipboard refuses the data.
    m_ui.m_clipboardFails = true;
    m_tree->OnEditCut();
    EXPECT_EQ(Selected(), pasted);
    EXPECT_EQ(original->GetNext(), pasted);
    EXPECT_EQ(m_ui.m_messages.back(), "Cannot open clipboard");
    m_ui.m_clipboardFails = false;
    m_tree->OnEditCut();
    EXPECT_EQ(original->GetNext(), nullptr);
    CCalcNodeBase* folder = m_doc.GetSelectedNode(); // no next sibling: the parent
    EXPECT_EQ(CCalcTreeView::ItemOf(folder), CCalcTreeView::ItemOf(original)->parent());

    // A payload that is not a calculation: a message, nothing added, nothing modified. The
    // third is whole, but its type code "1010" has a gap above its level (filing it used to
    // make folders for ever): the type is level, then four digits, at the start.
    std::vector<unsigned char> gap = m_ui.m_clipboard.calculation;
    ASSERT_GT(gap.size(), 20u);
    ASSERT_EQ(gap[0], 2); // level 2: "1110"
    gap[8] = 0;           // the second digit
    for (const std::vector<unsigned char>& junk :
         {std::vector<unsigned char>{1, 2, 3},
          std::vector<unsigned char>(m_ui.m_clipboard.calculation.begin(), m_ui.m_clipboard.calculation.end() - 5),
          gap}) {
        m_ui.m_clipboard.calculation = junk;
        m_doc.SetModifiedFlag(false);
        const size_t messages = m_ui.m_messages.size();
        EXPECT_FALSE(m_tree->PasteFromClipboard());
        ASSERT_EQ(m_ui.m_messages.size(), messages + 1);
        EXPECT_EQ(m_ui.m_messages.back(), "Unexpected file format.");
        EXPECT_EQ(original->GetNext(), nullptr);
        EXPECT_FALSE(m_doc.IsModified());
        EXPECT_EQ(m_doc.GetSelectedNode(), folder);
    }
}

TEST_F(CViewsTest, EditedReportAsksBeforeRedoAndF5RedoesOnce)
{
    m_doc.OnNewCalculation(kPercentage);
    CCalculation* calc = Selected();
    m_doc.SetModifiedFlag(false);
    m_edit->moveCursor(QTextCursor::End);
    QTest::keyClicks(m_edit, "xy");
    EXPECT_EQ(calc->IsEditted(), 1);
    EXPECT_TRUE(m_doc.IsModified());
    // Typing after a save marks the document again (the report stays marked edited).
    m_doc.SetModifiedFlag(false);
    QTest::keyClicks(m_edit, "z");
    EXPECT_TRUE(m_doc.IsModified());
    EXPECT_EQ(m_edit->GetText(), "Test 1\nLevel 95%\n[1, 2]\nxyz");

    // No keeps everything.
    m_ui.m_answers = {IDNO};
    m_tree->RedoCalculation();
    ASSERT_EQ(m_ui.m_messages.size(), 1u);
    EXPECT_EQ(m_ui.m_messages[0],
              GetProfileString("Messages", "11", "?") + "\n" + GetProfileString("Messages", "12", "?"));
    EXPECT_EQ(CViewsTestCalc::s_made, 1);
    EXPECT_EQ(calc->IsEditted(), 1);

    // Yes redoes: new title on the item and the node, the report written afresh, not edited.
    m_ui.m_answers = {IDYES};
    m_tree->RedoCalculation();
    EXPECT_EQ(CViewsTestCalc::s_made, 2);
    EXPECT_EQ(calc->GetLabel(), "Test 2");
    EXPECT_EQ(CCalcTreeView::ItemOf(calc)->text(0), "Test 2");
    EXPECT_EQ(m_edit->GetText(), "Test 2\nLevel 95%\n[1, 2]\n");
    EXPECT_EQ(calc->IsEditted(), 0);

    // F5 released in the result view redoes once; auto-repeated releases do nothing.
    SendKey(m_edit, QEvent::KeyRelease, Qt::Key_F5);
    EXPECT_EQ(CViewsTestCalc::s_made, 3);
    SendKey(m_edit, QEvent::KeyRelease, Qt::Key_F5, true);
    EXPECT_EQ(CViewsTestCalc::s_made, 3);
    // F5 pressed in the tree redoes once too; a cancelled redo changes nothing.
    CViewsTestCalc::s_cancel = true;
    SendKey(m_tree, QEvent::KeyPress, Qt::Key_F5);
    EXPECT_EQ(calc->GetLabel(), "Test 3");
    EXPECT_EQ(m_edit->GetText(), "Test 3\nLevel 95%\n[1, 2]\n");
}

TEST_F(CViewsTest, FocusChangesKeepTextFormatsAndSelection)
{
    m_doc.OnNewCalculation(kPercentage);
    CCalculation* calc = Selected();
    // Underline by hand on "Level": an edit that marks the report.
    QTextCursor cursor(m_edit->document());
    cursor.setPosition(7);
    cursor.setPosition(12, QTextCursor::KeepAnchor);
    m_edit->setTextCursor(cursor);
    EXPECT_FALSE(m_edit->IsFormatUnderline());
    m_edit->OnFormatUnderline();
    EXPECT_TRUE(m_edit->IsFormatUnderline());
    EXPECT_EQ(calc->IsEditted(), 1);
    const CRichText before = Shown();
    ASSERT_EQ(before.Runs().size(), 4u);

    // A menu taking the focus is no focus loss: the undo history survives.
    ASSERT_TRUE(m_edit->OnUpdateEditUndo());
    SendFocus(m_edit, QEvent::FocusOut, Qt::PopupFocusReason);
    EXPECT_TRUE(m_edit->OnUpdateEditUndo());

    std::string stored;
    for (int i = 0; i < 100; ++i) {
        SendFocus(m_edit, QEvent::FocusOut, Qt::MouseFocusReason);
        SendFocus(m_edit, QEvent::FocusIn, Qt::MouseFocusReason);
        if (i == 0)
            stored = calc->GetText();
    }
    EXPECT_EQ(Shown(), before);
    EXPECT_EQ(calc->GetText(), stored);
    EXPECT_EQ(m_edit->textCursor().anchor(), 7);
    EXPECT_EQ(m_edit->textCursor().position(), 12);
    EXPECT_EQ(calc->IsEditted(), 1);
}

TEST_F(CViewsTest, PastesPlainTextOnlyAndPrintsWithOneInchMargins)
{
    m_doc.OnNewCalculation(kPercentage);
    auto* rich = new QMimeData;
    rich->setHtml("<b>bold</b>");
    rich->setText("plain");
    QGuiApplication::clipboard()->setMimeData(rich);
    ASSERT_TRUE(m_edit->OnUpdateEditPaste());
    m_edit->moveCursor(QTextCursor::End);
    m_edit->OnEditPaste();
    EXPECT_EQ(Shown().Runs().back(), (CTextRun{"[1, 2]\nplain", 0}));

    EXPECT_EQ(m_edit->tabStopDistance(), 0.5 * m_edit->logicalDpiX());
    EXPECT_EQ(m_edit->lineWrapMode(), QTextEdit::FixedPixelWidth);
    EXPECT_EQ(
        m_edit->lineWrapColumnOrWidth(),
        static_cast<int>(CReportPrinter::LineWidthInches(CReportPrinter::DefaultPageLayout()) * m_edit->logicalDpiX()));

    QTemporaryDir dir;
    QPrinter printer(QPrinter::HighResolution);
    printer.setOutputFormat(QPrinter::PdfFormat);
    printer.setOutputFileName(dir.filePath("report.pdf"));
    ASSERT_TRUE(CReportPrinter::Print(*m_edit->document(), printer, CCalcEditView::ReportFont()));
    const QMarginsF margins = printer.pageLayout().margins(QPageLayout::Inch);
    EXPECT_TRUE(Near(margins.left(), 1, 1e-9));
    EXPECT_TRUE(Near(margins.top(), 1, 1e-9));
    EXPECT_TRUE(Near(margins.right(), 1, 1e-9));
    EXPECT_TRUE(Near(margins.bottom(), 1, 1e-9));
    EXPECT_GT(QFileInfo(dir.filePath("report.pdf")).size(), 0);
}

TEST_F(CViewsTest, FullFillKeepsStoredOrderAndReselectsTheHead)
{
    m_doc.OnNewCalculation(kPercentage);
    m_doc.OnNewCalculation(kPercentage);
    CCalculation* first = m_doc.GetHead()->GetSub()->GetSub()->GetSub()->GetCalc();
    m_tree->Reset();
    EXPECT_EQ(m_tree->topLevelItemCount(), 0);
    EXPECT_FALSE(first->OnTree());
    m_views->OnUpdate();
    EXPECT_EQ(m_doc.GetSelectedNode(), m_doc.GetHead());
    QTreeWidgetItem* folder = CCalcTreeView::ItemOf(first)->parent();
    ASSERT_EQ(folder->childCount(), 2);
    EXPECT_EQ(folder->child(0)->text(0), "Test 1");
    EXPECT_EQ(folder->child(1)->text(0), "Test 2");
}

namespace
{
/// The text of each laid-out line of a document, and the horizontal position (inches) of the
/// first character after the line's leading tabs.
struct CLaidOutLine
{
    QString text;
    double indentInches = 0;
};

std::vector<CLaidOutLine> LaidOutLines(QTextDocument& document, double dpi)
{
    document.documentLayout()->documentSize(); // lays the whole document out
    std::vector<CLaidOutLine> lines;
    for (QTextBlock block = document.begin(); block.isValid(); block = block.next()) {
        QTextLayout* layout = block.layout();
        for (int i = 0; layout && i < layout->lineCount(); ++i) {
            const QTextLine line = layout->lineAt(i);
            const QString text = block.text().mid(line.textStart(), line.textLength());
            int first = 0;
            while (first < text.size() && text[first] == QLatin1Char('\t'))
                ++first;
            lines.push_back({text, line.cursorToX(line.textStart() + first) / dpi});
        }
    }
    return lines;
}

const char kTwoByTwo[] = "Two by two\n"
                         "\t\t      Outcome\n"
                         "\t       +       - |  Total\n"
                         "\t     + |    10    20 |     30\n"
                         "\t     - |    30    40 |     70\n"
                         "\t-------+-------------+-------\n"
                         "\t Total |    40    60 |    100\n"
                         "Odds ratio        0.67\n";
} // namespace

TEST_F(CViewsTest, PrintedTableLaysOutLineByLineAsOnTheScreen)
{
    m_doc.OnNewCalculation(kPercentage);
    {
        CRichText text;
        text.Append(kTwoByTwo, 0);
        RichTextToDocument(text, *m_edit->document());
    }
    const std::vector<CLaidOutLine> screen = LaidOutLines(*m_edit->document(), m_edit->logicalDpiX());

    QTemporaryDir dir;
    QPrinter printer(QPrinter::HighResolution);
    printer.setOutputFormat(QPrinter::PdfFormat);
    printer.setOutputFileName(dir.filePath("table.pdf"));
    CReportPrinter::PrepareLayout(printer);
    const QSizeF body = printer.pageRect(QPrinter::DevicePixel).size();
    std::unique_ptr<QTextDocument> printed =
        CReportPrinter::LayoutCopy(*m_edit->document(), printer, body, CCalcEditView::ReportFont());
    const std::vector<CLaidOutLine> paper = LaidOutLines(*printed, printer.logicalDpiX());

    // Every line prints whole on one line, its columns where the screen has them.
    ASSERT_EQ(paper.size(), screen.size());
    for (size_t i = 0; i < screen.size(); ++i) {
        EXPECT_EQ(paper[i].text, screen[i].text) << i;
        EXPECT_TRUE(Near(paper[i].indentInches, screen[i].indentInches, 0.05))
            << i << ": " << screen[i].text.toStdString();
    }
    EXPECT_TRUE(Near(paper[3].indentInches, CReportPrinter::kTabStopInches, 0.05));
    EXPECT_TRUE(Near(paper[1].indentInches, 2 * CReportPrinter::kTabStopInches, 0.05));
    // The zoom of the screen changes nothing on paper.
    m_edit->SetZoom(200);
    std::unique_ptr<QTextDocument> zoomed =
        CReportPrinter::LayoutCopy(*m_edit->document(), printer, body, CCalcEditView::ReportFont());
    EXPECT_EQ(zoomed->defaultFont().pointSize(), 10);
    EXPECT_EQ(LaidOutLines(*zoomed, printer.logicalDpiX()).size(), screen.size());
    ASSERT_TRUE(CReportPrinter::Print(*m_edit->document(), printer, CCalcEditView::ReportFont()));
}

namespace
{
/// A calculation whose report is 300 lines long.
class CLongReportCalc : public CCalcBase
{
    DECLARE_SERIAL(CLongReportCalc)
public:
    bool Do() override
    {
        SetTitle("Long");
        InsertPhrase("Heading\n", kPhraseBold);
        for (int i = 1; i < 300; ++i)
            InsertPhrase("Line " + std::to_string(i) + "\n", kPhrasePlain);
        return true;
    }
};
IMPLEMENT_SERIAL(CLongReportCalc, CCalcBase, 0)
} // namespace

TEST_F(CViewsTest, ANewReportOpensAtItsHeadingAndTheThumbFollowsTheText)
{
    AfxRegisterClass(RUNTIME_CLASS(CLongReportCalc));
    SetCalcFactory(
        [](const std::string& code) -> CCalcBase* { return code == "0000" ? nullptr : new CLongReportCalc; });
    m_doc.OnNewCalculation(kPercentage);
    QApplication::processEvents();
    QScrollBar* bar = m_edit->verticalScrollBar();
    ASSERT_GT(bar->maximum(), 0);
    // A view lays its report out as it comes into sight; here the report is laid out in full
    // before its top line is looked for.
    const auto topBlock = [this] {
        m_edit->document()->size();
        return m_edit->cursorForPosition(QPoint(2, 2)).blockNumber();
    };
    EXPECT_EQ(bar->value(), bar->minimum());
    EXPECT_EQ(topBlock(), 0);
    EXPECT_EQ(m_edit->textCursor().position(), 0);

    // Scrolled to the end: the thumb at the bottom, the last lines in sight; and back.
    bar->setValue(bar->maximum());
    QApplication::processEvents();
    EXPECT_GT(topBlock(), 200);
    bar->setValue(bar->minimum());
    QApplication::processEvents();
    EXPECT_EQ(topBlock(), 0);

    // Shown again after another node: from the top again.
    bar->setValue(bar->maximum());
    CCalculation* calc = Selected();
    m_tree->SelectNode(m_doc.GetHead());
    m_tree->SelectNode(calc);
    QApplication::processEvents();
    EXPECT_EQ(bar->value(), bar->minimum());
    EXPECT_EQ(topBlock(), 0);
}

namespace
{
/// The labels of the tree's items depth first, indented by level.
QStringList TreeLines(QTreeWidget& tree)
{
    QStringList lines;
    std::function<void(QTreeWidgetItem*, int)> walk = [&](QTreeWidgetItem* item, int depth) {
        lines << QString(depth, QLatin1Char(' ')) + item->text(0);
        for (int i = 0; i < item->childCount(); ++i)
            walk(item->child(i), depth + 1);
    };
    for (int i = 0; i < tree.topLevelItemCount(); ++i)
        walk(tree.topLevelItem(i), 0);
    return lines;
}

/// The document's nodes in its walk order (the export's), indented the same way.
QStringList DocumentLines(CCalcDoc& doc)
{
    QStringList lines;
    doc.GetHead()->Walk([&lines](CCalcNodeBase& node, int depth) {
        lines << QString(depth, QLatin1Char(' ')) + QString::fromStdString(node.GetLabel());
    });
    return lines;
}

const unsigned kTwoPercentages = kPercentage + 5; // leaf 5: "2110"
const unsigned kMean = kPercentage + 3;           // leaf 3: "1300"
} // namespace

TEST_F(CViewsTest, TheTreeShowsTheStoredOrderAfterReopening)
{
    // Sibling folders at two levels, and a note among the head's folders.
    m_doc.OnNewCalculation(kPercentage);
    m_doc.OnNewCalculation(kMean);
    m_doc.OnNewCalculation(kTwoPercentages);
    m_tree->SelectNode(m_doc.GetHead());
    m_doc.OnNote();
    m_doc.OnNewCalculation(kPercentage);
    const QStringList before = TreeLines(*m_tree);
    ASSERT_EQ(before, DocumentLines(m_doc));

    QTemporaryDir dir;
    const std::string path = dir.filePath("order.zna").toStdString();
    ASSERT_TRUE(m_doc.OnSaveDocument(path));
    const std::string exported = CCalcDoc::Export(m_doc.GetHead());
    ASSERT_TRUE(m_doc.OnOpenDocument(path));
    m_views->OnUpdate();
    QStringList after = TreeLines(*m_tree);
    QStringList expected = before;
    expected[0] = "order"; // the head takes the file's title
    EXPECT_EQ(after, expected);
    EXPECT_EQ(after, DocumentLines(m_doc));
    EXPECT_EQ(CCalcDoc::Export(m_doc.GetHead()), exported);
}

TEST_F(CViewsTest, EveryTreeActionUndoesAndRedoesWithTheModifiedMark)
{
    QUndoStack& stack = m_tree->UndoStack();
    const QStringList empty = TreeLines(*m_tree);
    EXPECT_FALSE(m_doc.IsModified());

    // A new calculation and a note.
    m_doc.SetModifiedFlag(false);
    m_tree->OnContextCommand(kPercentage);
    CCalculation* first = Selected();
    ASSERT_NE(first, nullptr);
    m_tree->SelectNode(m_doc.GetHead());
    m_tree->OnContextCommand(kCmdNote); // filed in the head
    const QStringList two = TreeLines(*m_tree);
    ASSERT_EQ(stack.count(), 2);
    EXPECT_TRUE(m_doc.IsModified());
    stack.undo();
    stack.undo();
    EXPECT_EQ(TreeLines(*m_tree), empty);
    EXPECT_EQ(m_doc.GetHead()->GetSub(), nullptr); // the folders the calculation made went too
    EXPECT_FALSE(m_doc.IsModified());
    EXPECT_EQ(m_edit->GetShownCalculation(), nullptr);
    stack.redo();
    stack.redo();
    EXPECT_EQ(TreeLines(*m_tree), two);
    EXPECT_EQ(TreeLines(*m_tree), DocumentLines(m_doc));
    EXPECT_TRUE(m_doc.IsModified());

    // Saved: the stack is clean there, and undoing past the save marks the document again.
    QTemporaryDir dir;
    ASSERT_TRUE(m_doc.OnSaveDocument(dir.filePath("undo.zna").toStdString()));
    EXPECT_TRUE(stack.isClean());
    EXPECT_FALSE(m_doc.IsModified());

    // Rename.
    m_tree->SelectNode(first);
    ASSERT_TRUE(m_tree->EndLabelEdit(CCalcTreeView::ItemOf(first), QStringLiteral("Renamed")));
    EXPECT_EQ(first->GetLabel(), "Renamed");
    EXPECT_TRUE(m_doc.IsModified());
    stack.undo();
    EXPECT_EQ(first->GetLabel(), "Test 1");
    EXPECT_EQ(CCalcTreeView::ItemOf(first)->text(0), "Test 1");
    EXPECT_FALSE(m_doc.IsModified());
    stack.redo();
    EXPECT_EQ(CCalcTreeView::ItemOf(first)->text(0), "Renamed");

    // Recalculation: inputs, label and report come back.
    m_tree->SelectNode(first);
    const std::string report = m_edit->GetText();
    m_tree->RedoCalculation();
    EXPECT_EQ(first->GetLabel(), "Test 3");
    stack.undo();
    EXPECT_EQ(first->GetLabel(), "Renamed");
    EXPECT_EQ(m_edit->GetShownCalculation(), first);
    EXPECT_EQ(m_edit->GetText(), report);
    stack.redo();
    EXPECT_EQ(first->GetLabel(), "Test 3");
    EXPECT_EQ(m_edit->GetText(), "Test 3\nLevel 95%\n[1, 2]\n");

    // Delete prunes the folders and asks nothing; undo puts everything back where it was,
    // with the report as it was typed.
    m_edit->moveCursor(QTextCursor::End);
    QTest::keyClicks(m_edit, "typed");
    const QStringList full = TreeLines(*m_tree);
    const size_t messages = m_ui.m_messages.size();
    ASSERT_TRUE(m_tree->DeleteSelItem());
    EXPECT_EQ(m_ui.m_messages.size(), messages);
    EXPECT_EQ(m_doc.GetHead()->GetSub(), nullptr);
    stack.undo();
    EXPECT_EQ(TreeLines(*m_tree), full);
    EXPECT_EQ(Selected(), first);
    EXPECT_EQ(m_edit->GetText(), "Test 3\nLevel 95%\n[1, 2]\ntyped");
    stack.redo();
    EXPECT_EQ(m_doc.GetHead()->GetSub(), nullptr);
    stack.undo();

    // Cut, then paste elsewhere; both undo.
    m_tree->SelectNode(first);
    m_tree->OnEditCut();
    EXPECT_EQ(m_doc.GetHead()->GetSub(), nullptr);
    m_tree->SelectNode(m_doc.GetHead());
    ASSERT_TRUE(m_tree->PasteFromClipboard());
    CCalculation* pasted = Selected();
    EXPECT_EQ(TreeLines(*m_tree).mid(1), DocumentLines(m_doc).mid(1)); // the head shows the file's title
    stack.undo();                                                      // the paste
    EXPECT_EQ(m_doc.GetHead()->GetSub(), nullptr);
    stack.undo(); // the cut
    EXPECT_EQ(TreeLines(*m_tree), full);
    EXPECT_NE(pasted, nullptr);

    // Typing in a report is not on the tree's stack: undoing every tree action afterwards
    // leaves the document modified.
    while (stack.canUndo())
        stack.undo();
    EXPECT_TRUE(m_doc.IsModified());

    // A new action after undoing drops what could be redone; the nodes it held are freed (the
    // sanitizer build checks this).
    m_tree->SelectNode(m_doc.GetHead());
    m_tree->OnContextCommand(kPercentage);
    EXPECT_FALSE(stack.canRedo());
    EXPECT_EQ(TreeLines(*m_tree).mid(1), DocumentLines(m_doc).mid(1));
}

TEST_F(CViewsTest, UndoAndRedoGoToThePaneWithTheFocus)
{
    m_tree->OnContextCommand(kPercentage);
    EXPECT_TRUE(m_tree->IsCommandEnabled(kCmdUndo));
    EXPECT_FALSE(m_tree->IsCommandEnabled(kCmdEditRedo));
    EXPECT_FALSE(m_edit->IsCommandEnabled(kCmdUndo)); // nothing typed yet
    m_edit->moveCursor(QTextCursor::End);
    QTest::keyClicks(m_edit, "x");
    ASSERT_TRUE(m_edit->OnCommand(kCmdUndo));
    EXPECT_EQ(m_edit->GetText(), "Test 1\nLevel 95%\n[1, 2]\n");
    EXPECT_TRUE(m_edit->IsCommandEnabled(kCmdEditRedo));
    ASSERT_TRUE(m_edit->OnCommand(kCmdEditRedo));
    EXPECT_EQ(m_edit->GetText(), "Test 1\nLevel 95%\n[1, 2]\nx");
    EXPECT_NE(Selected(), nullptr); // the tree's stack was not touched
    ASSERT_TRUE(m_tree->OnCommand(kCmdUndo));
    EXPECT_EQ(Selected(), nullptr);
    EXPECT_TRUE(m_tree->IsCommandEnabled(kCmdEditRedo));
}

TEST_F(CViewsTest, AContextMenuOpensWithItsFirstItemHighlighted)
{
    QString highlighted;
    bool subMenuOpen = true;
    QTimer::singleShot(50, [this, &highlighted, &subMenuOpen] {
        auto* menu = m_tree->findChild<QMenu*>(QString(), Qt::FindDirectChildrenOnly);
        subMenuOpen = QApplication::activePopupWidget() != menu;
        if (menu && menu->activeAction())
            highlighted = menu->activeAction()->text();
        while (QWidget* popup = QApplication::activePopupWidget())
            popup->close();
    });
    const QPoint at = m_tree->visualItemRect(HeadItem()).center();
    QContextMenuEvent key(QContextMenuEvent::Keyboard, at, m_tree->viewport()->mapToGlobal(at));
    QApplication::sendEvent(m_tree->viewport(), &key);
    EXPECT_EQ(highlighted, "Describe");
    EXPECT_FALSE(subMenuOpen);
}

TEST_F(CViewsTest, ANewNoteTakesTheKeyboardWithAGreyHint)
{
    m_window->activateWindow();
    ASSERT_TRUE(QTest::qWaitForWindowActive(m_window));
    m_tree->setFocus();
    m_tree->OnContextCommand(kCmdNote);
    ASSERT_NE(Selected(), nullptr);
    EXPECT_EQ(m_edit->placeholderText().toStdString(), GetProfileString("Messages", "16", "?"));
    EXPECT_TRUE(m_edit->hasFocus());
    // The placeholder of an empty document is no hint of a report.
    m_tree->SelectNode(m_doc.GetHead());
    EXPECT_TRUE(m_edit->placeholderText().isEmpty());
}

TEST_F(CViewsTest, AReportShownAgainIsWhatItsCalculationNowHolds)
{
    m_doc.OnNewCalculation(kPercentage);
    CCalculation* first = Selected();
    m_doc.OnNewCalculation(kPercentage);
    CCalculation* second = Selected();
    ASSERT_TRUE(first && second && first != second);
    const std::vector<CTextRun> firstRuns{{"Test 1\n", kRunBold}, {"Level 95%\n", kRunItalic}, {"[1, 2]\n", 0}};

    // Shown again unchanged: the same runs, no edit mark, nothing to undo from another report.
    m_doc.SetModifiedFlag(false);
    m_tree->SelectNode(first);
    m_tree->SelectNode(second);
    m_tree->SelectNode(first);
    EXPECT_EQ(Shown().Runs(), firstRuns);
    EXPECT_EQ(first->IsEditted(), 0);
    EXPECT_FALSE(m_doc.IsModified());
    EXPECT_EQ(m_edit->verticalScrollBar()->value(), 0);

    // An edit by hand is stored and shown when the report comes back.
    QTextCursor cursor(m_edit->document());
    cursor.movePosition(QTextCursor::End);
    cursor.insertText(QStringLiteral("typed"));
    EXPECT_EQ(first->IsEditted(), 1);
    EXPECT_TRUE(m_doc.IsModified());
    m_tree->SelectNode(second);
    EXPECT_EQ(Shown().ToPlainText(false), "Test 2\nLevel 95%\n[1, 2]\n");
    m_tree->SelectNode(first);
    EXPECT_EQ(Shown().ToPlainText(false), "Test 1\nLevel 95%\n[1, 2]\ntyped");

    // Text changed in the calculation while another report is on show wins over the old one.
    m_tree->SelectNode(second);
    CRichText replaced;
    replaced.Append("Replaced\n", kRunUnderline);
    const std::string rtf = replaced.ToRtf();
    first->ClearText();
    first->AppendText(reinterpret_cast<const unsigned char*>(rtf.data()), rtf.size());
    m_tree->SelectNode(first);
    EXPECT_EQ(Shown().Runs(), replaced.Runs());

    // A zoom while one report is on show reaches every report shown after it.
    m_edit->SetZoom(150);
    m_tree->SelectNode(second);
    EXPECT_EQ(m_edit->document()->defaultFont().pointSize(), 15);
    m_tree->SelectNode(first);
    EXPECT_EQ(m_edit->document()->defaultFont().pointSize(), 15);
    EXPECT_EQ(Shown().Runs(), replaced.Runs());

    // Deleted and undone: the calculation comes back with its text.
    m_tree->SelectNode(second);
    m_tree->OnContextCommand(kCmdDelete);
    m_tree->UndoStack().undo();
    m_tree->SelectNode(second);
    EXPECT_EQ(Shown().ToPlainText(false), "Test 2\nLevel 95%\n[1, 2]\n");
}
