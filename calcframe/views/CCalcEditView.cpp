// The result view: shows, takes edits of, stores and prints the selected calculation's report.
#include "CCalcEditView.h"

#include "CCalcDoc.h"
#include "CCalculation.h"
#include "Profile.h"
#include "ReportPrinter.h"
#include "ReportWrap.h"
#include "RichTextConvert.h"
#include "ViewCommands.h"
#include "ViewMenus.h"

#include <QApplication>
#include <QClipboard>
#include <QContextMenuEvent>
#include <QDropEvent>
#include <QFocusEvent>
#include <QInputMethodEvent>
#include <QKeyEvent>
#include <QMenu>
#include <QMimeData>
#include <QPrinter>
#include <QScrollBar>
#include <QTextBlock>
#include <QTextDocument>
#include <QTextDocumentFragment>
#include <QUrl>
#include <QWheelEvent>

#include <algorithm>
#include <clocale>
#include <utility>

namespace
{
const char kPlaceholder[] = "Right-click the tree view for a new calculation\n";
const char kEmptyReportHint[] = "Type your note here";

/// Runs a program-side change of the text: no edit mark and no undo record.
class CProgramChange
{
public:
    CProgramChange(QTextEdit& edit, int& depth) : m_edit(edit), m_depth(depth)
    {
        ++m_depth;
        m_edit.setUndoRedoEnabled(false);
    }
    ~CProgramChange()
    {
        m_edit.setUndoRedoEnabled(true);
        --m_depth;
    }
    CProgramChange(const CProgramChange&) = delete;
    CProgramChange& operator=(const CProgramChange&) = delete;

private:
    QTextEdit& m_edit;
    int& m_depth;
};

bool IsMenuFocusReason(Qt::FocusReason reason)
{
    // Opening a menu takes the focus for a moment; that is no focus loss for the report.
    return reason == Qt::PopupFocusReason || reason == Qt::MenuBarFocusReason;
}
} // namespace

CCalcEditView::CCalcEditView(QWidget* parent) : QTextEdit(parent)
{
    setAcceptRichText(false);
    UseDocument(NewReportDocument());
    connect(this, &QTextEdit::textChanged, this, &CCalcEditView::OnChange);
    // The clipboard's formats are read once per change, never in each enabling check.
    QClipboard* clipboard = QGuiApplication::clipboard();
    auto readClipboard = [this] {
        const QMimeData* data = QGuiApplication::clipboard()->mimeData(QClipboard::Clipboard);
        m_clipboardHasText = data && data->hasText();
    };
    connect(clipboard, &QClipboard::dataChanged, this, readClipboard);
    readClipboard();
    DefaultFont();
    setFont(document()->defaultFont());
    // Tab stops every half inch, as the reports' columns were laid out for.
    setTabStopDistance(CReportPrinter::kTabStopInches * logicalDpiX());
    ApplyPageWidth();
    Reset();
}

CCalcEditView::~CCalcEditView() = default;

void CCalcEditView::SetPrinter(QPrinter* printer)
{
    m_printer = printer;
    ApplyPageWidth();
}

char CCalcEditView::ListSeparator()
{
    return *std::localeconv()->decimal_point == ',' ? ';' : ',';
}

void CCalcEditView::InsertPhrase(const std::string& phrase, unsigned flags)
{
    std::string text = phrase;
    const char separator = ListSeparator();
    for (char& c : text) {
        if (c == '\a')
            c = separator;
    }
    flags &= kRunEffects;
    if (!m_pending.empty() && flags != m_pendingFlags)
        FlushPhrases();
    m_pending += text;
    m_pendingFlags = flags;
    if (m_writeDepth == 0)
        FlushPhrases();
}

void CCalcEditView::BeginProgramWrite()
{
    ++m_programDepth;
    if (m_writeDepth++ > 0 || !document()->isEmpty())
        return;
    // A new report is written into a document of its own and shown when it is complete: text
    // inserted into the document on show is laid out at once, a long paragraph of it many
    // times over.
    m_writing = NewReportDocument();
    m_writing->setUndoRedoEnabled(false);
}

void CCalcEditView::EndProgramWrite()
{
    FlushPhrases();
    if (m_writeDepth == 0)
        return;
    --m_programDepth;
    if (--m_writeDepth == 0) {
        if (QTextDocument* written = std::exchange(m_writing, nullptr)) {
            ::SplitLongParagraphs(*written, LineWidth());
            written->setUndoRedoEnabled(true);
            UseDocument(written);
        }
        m_suspended = false; // the next change by hand marks the report edited
        m_selStart = 0;
        m_selEnd = 0;
        ShowFromTop();
    }
}

void CCalcEditView::FlushPhrases()
{
    if (m_pending.empty())
        return;
    if (m_writing) {
        QTextCursor cursor(m_writing);
        cursor.movePosition(QTextCursor::End);
        InsertRun(cursor, m_pending, m_pendingFlags);
    } else {
        CProgramChange change(*this, m_programDepth);
        // Written at the end through a cursor of its own: the view's cursor and scroll position
        // stay at the top, where a new report is read from.
        QTextCursor cursor(document());
        cursor.movePosition(QTextCursor::End);
        InsertRun(cursor, m_pending, m_pendingFlags);
    }
    m_pending.clear();
}

void CCalcEditView::Clear()
{
    m_pending.clear();
    if (m_writing)
        RichTextToDocument(CRichText(), *m_writing);
    DetachCachedDocument();
    CProgramChange change(*this, m_programDepth);
    RichTextToDocument(CRichText(), *document());
}

QFont CCalcEditView::ReportFont()
{
    QFont font(QStringLiteral("Courier New"));
    font.setStyleHint(QFont::TypeWriter);
    font.setFixedPitch(true);
    // A report has no ligatures or joined scripts to shape: each character takes its glyph's
    // advance, which lays out a long report several times faster.
    font.setStyleStrategy(QFont::PreferNoShaping);
    font.setPointSize(10);
    return font;
}

void CCalcEditView::SetZoom(int percent)
{
    m_zoom = std::clamp(percent, kMinZoom, kMaxZoom);
    // The font, the tab stops and the line width grow together: lines break where they do on
    // the page at every zoom.
    const double factor = m_zoom / 100.0;
    QFont font = ReportFont();
    font.setPointSizeF(font.pointSizeF() * factor);
    {
        CProgramChange change(*this, m_programDepth);
        document()->setDefaultFont(font);
    }
    setTabStopDistance(CReportPrinter::kTabStopInches * logicalDpiX() * factor);
    ApplyPageWidth();
}

void CCalcEditView::wheelEvent(QWheelEvent* event)
{
    if (event->modifiers() & Qt::ControlModifier) {
        const int steps = event->angleDelta().y() / 120;
        if (steps != 0)
            SetZoom(m_zoom + steps * kZoomStep);
        event->accept();
        return;
    }
    QTextEdit::wheelEvent(event);
}

void CCalcEditView::DefaultFont()
{
    QFont font = ReportFont();
    font.setPointSizeF(font.pointSizeF() * m_zoom / 100.0);
    CProgramChange change(*this, m_programDepth);
    document()->setDefaultFont(font);
    QTextCharFormat format;
    format.setFontWeight(QFont::Normal);
    mergeCurrentCharFormat(format);
}

std::string CCalcEditView::GetText() const
{
    return RichTextFromDocument(*document()).ToPlainText(false);
}

void CCalcEditView::UpdateCalculation()
{
    FlushPhrases();
    if (m_shown)
        StoreTextInView(m_shown);
}

// With no calculation left on show the greyed hint replaces whatever text was there: the view
// never stays blank, nor shows the report of a calculation that is gone.
void CCalcEditView::Reset()
{
    m_shown = nullptr;
    m_suspended = true;
    m_selStart = 0;
    m_selEnd = 0;
    ShowPlaceholder();
}

void CCalcEditView::OnUpdate()
{
    if (!m_doc) {
        if (!m_shown)
            ShowPlaceholder();
        return;
    }
    FlushPhrases();
    m_updating = true;
    CCalcNodeBase* selected = m_doc->GetSelectedNode();
    // Stored on every update, so the text always passes once through its stored form.
    if (m_shown)
        StoreTextInView(m_shown);
    if (selected && selected->IsCalculation()) {
        if (selected != m_shown) {
            m_selStart = 0; // another report: the focus brings the cursor to its start
            m_selEnd = 0;
        }
        SetTextInView(static_cast<CCalculation*>(selected));
        setEnabled(true);
        SetBackground(true);
        // Greyed while the report is empty (a new note) and gone with the first character.
        setPlaceholderText(QString::fromStdString(GetProfileString("Messages", "16", kEmptyReportHint)));
    }
    if (selected)
        m_shown = selected->IsCalculation() ? static_cast<CCalculation*>(selected) : nullptr;
    if (!m_shown)
        ShowPlaceholder();
    m_updating = false;
}

void CCalcEditView::ShowPlaceholder()
{
    setPlaceholderText(QString());
    Clear();
    DefaultFont();
    std::string text = GetProfileString("Messages", "01", kPlaceholder);
    std::replace(text.begin(), text.end(), '\a', ListSeparator());
    {
        CProgramChange change(*this, m_programDepth);
        QTextCursor cursor(document());
        InsertRun(cursor, text, 0);
    }
    setEnabled(false);
    SetBackground(false);
}

void CCalcEditView::SetBackground(bool showing)
{
    QPalette palette = this->palette();
    const QPalette system = QApplication::palette();
    palette.setBrush(QPalette::Base, system.brush(QPalette::Active, showing ? QPalette::Base : QPalette::Window));
    setPalette(palette);
}

void CCalcEditView::ApplyPageWidth()
{
    // Lines break where they will break on the printed page.
    const QPageLayout layout = m_printer ? m_printer->pageLayout() : CReportPrinter::DefaultPageLayout();
    setLineWrapMode(QTextEdit::FixedPixelWidth);
    setLineWrapColumnOrWidth(
        static_cast<int>(CReportPrinter::LineWidthInches(layout) * logicalDpiX() * m_zoom / 100.0));
    // Lines now wrap elsewhere (another page, another zoom): split paragraphs are split anew
    // and cached reports, split for the old width, are dropped.
    if (HasSoftBreaks(*document())) {
        {
            CProgramChange change(*this, m_programDepth);
            JoinSoftBreaks(*document());
        }
        SplitLongParagraphs();
    }
    DropCachedReports();
}

double CCalcEditView::LineWidth() const
{
    return lineWrapColumnOrWidth() - 2 * document()->documentMargin();
}

void CCalcEditView::SplitLongParagraphs()
{
    CProgramChange change(*this, m_programDepth);
    ::SplitLongParagraphs(*document(), LineWidth());
}

void CCalcEditView::MakeParagraphsWhole()
{
    if (!HasSoftBreaks(*document()))
        return;
    // A program change: the text stays the same; the user's cursor keeps its place in it.
    CProgramChange change(*this, m_programDepth);
    JoinSoftBreaks(*document());
}

void CCalcEditView::SetTextInView(CCalculation* calc)
{
    std::string rtf;
    unsigned char block[4096];
    calc->ResetReadPos();
    for (long n; (n = calc->StreamIn(block, sizeof block)) > 0;)
        rtf.append(reinterpret_cast<const char*>(block), static_cast<size_t>(n));
    const auto cached = std::find_if(m_cache.begin(), m_cache.end(),
                                     [&](const CachedReport& entry) { return entry.calc == calc && entry.rtf == rtf; });
    if (cached != m_cache.end()) {
        UseDocument(cached->doc);
    } else {
        // Made aside and then shown, as a new report is (see BeginProgramWrite).
        QTextDocument* doc = NewReportDocument();
        doc->setUndoRedoEnabled(false);
        RichTextToDocument(CRichText::FromRtf(rtf), *doc);
        ::SplitLongParagraphs(*doc, LineWidth());
        doc->setUndoRedoEnabled(true);
        UseDocument(doc);
    }
    ShowFromTop();
    m_suspended = false;
}

QTextDocument* CCalcEditView::NewReportDocument()
{
    const QTextDocument* shown = document();
    auto* doc = new QTextDocument(this);
    doc->setDefaultFont(shown->defaultFont());
    doc->setDefaultTextOption(shown->defaultTextOption());
    doc->setDocumentMargin(shown->documentMargin());
    return doc;
}

void CCalcEditView::UseDocument(QTextDocument* doc)
{
    QTextDocument* old = document();
    if (old == doc)
        return;
    // The editor deletes a document of its own; ours go here unless the cache keeps them.
    const bool ours = old->parent() == this && !IsCached(old);
    ++m_programDepth; // the editor reports the switch as a change of text: no edit
    setDocument(doc);
    --m_programDepth;
    if (ours)
        delete old;
}

bool CCalcEditView::IsCached(const QTextDocument* doc) const
{
    return std::any_of(m_cache.begin(), m_cache.end(), [doc](const CachedReport& entry) { return entry.doc == doc; });
}

void CCalcEditView::DetachCachedDocument()
{
    if (IsCached(document()))
        UseDocument(NewReportDocument());
}

void CCalcEditView::DropCachedReports()
{
    std::deque<CachedReport> dropped;
    dropped.swap(m_cache);
    for (const CachedReport& entry : dropped) {
        if (entry.doc != document())
            delete entry.doc;
    }
}

void CCalcEditView::ShowFromTop()
{
    moveCursor(QTextCursor::Start);
    verticalScrollBar()->setValue(verticalScrollBar()->minimum());
    horizontalScrollBar()->setValue(horizontalScrollBar()->minimum());
}

void CCalcEditView::StoreTextInView(CCalculation* calc)
{
    std::string rtf = RichTextFromDocument(*document()).ToRtf();
    calc->ClearText();
    calc->AppendText(reinterpret_cast<const unsigned char*>(rtf.data()), rtf.size());
    // The shown document is what this text reads back as: kept for the calculation's next show.
    QTextDocument* shown = document();
    std::erase_if(m_cache, [&](const CachedReport& entry) { return entry.calc == calc || entry.doc == shown; });
    m_cache.push_front(CachedReport{calc, std::move(rtf), shown});
    while (m_cache.size() > kCachedReports) {
        QTextDocument* evicted = m_cache.back().doc;
        m_cache.pop_back();
        if (evicted != shown)
            delete evicted;
    }
}

void CCalcEditView::OnChange()
{
    if (m_programDepth > 0 || !m_shown)
        return;
    emit editedByHand();
    if (!m_suspended) {
        m_suspended = true; // only the first change after loading marks the report
        m_shown->Editted(1);
    } else if (!m_doc || m_doc->IsModified()) {
        return;
    }
    // A change after a save marks the document again, so the question before closing comes.
    if (m_doc)
        m_doc->SetModifiedFlag(true);
    emit documentModified();
}

void CCalcEditView::focusOutEvent(QFocusEvent* event)
{
    QTextEdit::focusOutEvent(event);
    if (IsMenuFocusReason(event->reason()) || m_updating || !m_doc || !m_shown)
        return;
    const QTextCursor cursor = textCursor();
    m_selStart = cursor.anchor();
    m_selEnd = cursor.position();
    // The text is stored into its calculation and shown again from there.
    m_doc->SetSelectedNode(m_doc->GetSelectedNode());
}

void CCalcEditView::focusInEvent(QFocusEvent* event)
{
    QTextEdit::focusInEvent(event);
    if (IsMenuFocusReason(event->reason()))
        return;
    const int last = std::max(0, document()->characterCount() - 1);
    QTextCursor cursor(document());
    cursor.setPosition(std::clamp(m_selStart, 0, last));
    cursor.setPosition(std::clamp(m_selEnd, 0, last), QTextCursor::KeepAnchor);
    setTextCursor(cursor);
}

void CCalcEditView::keyPressEvent(QKeyEvent* event)
{
    // Any key that may change the text does so in whole paragraphs; moving, selecting and
    // copying leave them split.
    const bool looks = event->matches(QKeySequence::Copy) || event->matches(QKeySequence::SelectAll);
    const bool changes =
        !looks && (!event->text().isEmpty() || event->key() == Qt::Key_Backspace || event->key() == Qt::Key_Delete ||
                   event->key() == Qt::Key_Return || event->key() == Qt::Key_Enter ||
                   event->matches(QKeySequence::Undo) || event->matches(QKeySequence::Redo));
    if (changes && !isReadOnly())
        MakeParagraphsWhole();
    QTextEdit::keyPressEvent(event);
}

void CCalcEditView::inputMethodEvent(QInputMethodEvent* event)
{
    if (!event->commitString().isEmpty() || !event->preeditString().isEmpty())
        MakeParagraphsWhole();
    QTextEdit::inputMethodEvent(event);
}

QMimeData* CCalcEditView::createMimeDataFromSelection() const
{
    if (!HasSoftBreaks(*document()))
        return QTextEdit::createMimeDataFromSelection();
    // The copy holds the paragraphs as they are stored, without the breaks made for showing.
    QTextDocument copy;
    copy.setDefaultFont(document()->defaultFont());
    QTextCursor(&copy).insertFragment(textCursor().selection());
    JoinSoftBreaks(copy);
    auto* data = new QMimeData;
    data->setText(copy.toPlainText());
    data->setHtml(copy.toHtml());
    return data;
}

void CCalcEditView::keyReleaseEvent(QKeyEvent* event)
{
    // Auto-repeat delivers releases too: one press of F5 redoes once.
    if (event->key() == Qt::Key_F5 && !event->isAutoRepeat())
        emit redoRequested();
    QTextEdit::keyReleaseEvent(event);
}

void CCalcEditView::contextMenuEvent(QContextMenuEvent* event)
{
    QMenu menu(this);
    AddCommandItem(menu, kCmdUndo, MenuItemText("EDIT_UNDO"), IsCommandEnabled(kCmdUndo));
    menu.addSeparator();
    AddCommandItem(menu, kCmdCut, MenuItemText("EDIT_CUT"), IsCommandEnabled(kCmdCut));
    AddCommandItem(menu, kCmdCopy, MenuItemText("EDIT_COPY"), IsCommandEnabled(kCmdCopy));
    AddCommandItem(menu, kCmdPaste, MenuItemText("EDIT_PASTE"), IsCommandEnabled(kCmdPaste));
    AddCommandItem(menu, kCmdDelete, MenuItemText("EDIT_DELETE"), false); // no handler in this view
    menu.addSeparator();
    AddCommandItem(menu, kCmdSelectAll, MenuItemText("EDIT_SELECTALL"), IsCommandEnabled(kCmdSelectAll));
    const QPoint at = event->reason() == QContextMenuEvent::Keyboard
                          ? viewport()->mapToGlobal(cursorRect().bottomLeft())
                          : event->globalPos();
    if (const unsigned id = RunCommandMenu(menu, at))
        OnCommand(id);
    event->accept();
}

bool CCalcEditView::canInsertFromMimeData(const QMimeData* source) const
{
    // Documents dropped on the report are the window's to open, not text to insert.
    if (source && source->hasUrls()) {
        for (const QUrl& url : source->urls()) {
            if (url.isLocalFile() && url.toLocalFile().endsWith(QLatin1String(".zna"), Qt::CaseInsensitive))
                return false;
        }
    }
    return source && source->hasText();
}

void CCalcEditView::insertFromMimeData(const QMimeData* source)
{
    // Plain text only: never rich text, pictures or objects.
    if (source && source->hasText()) {
        MakeParagraphsWhole();
        insertPlainText(source->text());
    }
}

void CCalcEditView::dropEvent(QDropEvent* event)
{
    MakeParagraphsWhole(); // before the drop's edit, which may take text away first
    QTextEdit::dropEvent(event);
}

void CCalcEditView::OnEditCut()
{
    MakeParagraphsWhole();
    cut();
}

void CCalcEditView::OnEditPaste()
{
    if (OnUpdateEditPaste())
        paste();
}

unsigned CCalcEditView::SelectionFlags() const
{
    const QTextCursor cursor = textCursor();
    if (!cursor.hasSelection())
        return RunFlags(currentCharFormat());
    // The format of the selection's first character (a cursor reports the one before it).
    QTextCursor first(document());
    first.setPosition(cursor.selectionStart() + 1);
    return RunFlags(first.charFormat());
}

void CCalcEditView::ToggleEffect(unsigned flag)
{
    if (!isEnabled())
        return;
    MakeParagraphsWhole(); // before the first step the user may undo
    const bool on = (SelectionFlags() & flag) == 0;
    QTextCharFormat format;
    if (flag == kRunBold)
        format.setFontWeight(on ? QFont::Bold : QFont::Normal);
    else if (flag == kRunItalic)
        format.setFontItalic(on);
    else
        format.setFontUnderline(on);
    mergeCurrentCharFormat(format);
}

bool CCalcEditView::IsFormatBold() const
{
    return (SelectionFlags() & kRunBold) != 0;
}

bool CCalcEditView::IsFormatItalic() const
{
    return (SelectionFlags() & kRunItalic) != 0;
}

bool CCalcEditView::IsFormatUnderline() const
{
    return (SelectionFlags() & kRunUnderline) != 0;
}

void CCalcEditView::OnFormatBold()
{
    ToggleEffect(kRunBold);
}

void CCalcEditView::OnFormatItalic()
{
    ToggleEffect(kRunItalic);
}

void CCalcEditView::OnFormatUnderline()
{
    ToggleEffect(kRunUnderline);
}

QPrinter& CCalcEditView::Printer()
{
    if (m_printer)
        return *m_printer;
    if (!m_ownPrinter)
        m_ownPrinter = std::make_unique<QPrinter>(QPrinter::HighResolution);
    return *m_ownPrinter;
}

void CCalcEditView::OnFilePrint()
{
    FlushPhrases();
    CReportPrinter::PrintWithDialog(*document(), Printer(), ReportFont(), this);
}

void CCalcEditView::OnFilePrintPreview()
{
    FlushPhrases();
    CReportPrinter::Preview(*document(), Printer(), ReportFont(), this);
}

bool CCalcEditView::OnUpdateEditUndo() const
{
    return isEnabled() && document()->isUndoAvailable();
}

bool CCalcEditView::OnUpdateEditRedo() const
{
    return isEnabled() && document()->isRedoAvailable();
}

bool CCalcEditView::OnUpdateEditCut() const
{
    return isEnabled() && !isReadOnly() && textCursor().hasSelection();
}

bool CCalcEditView::OnUpdateEditCopy() const
{
    return isEnabled() && textCursor().hasSelection();
}

bool CCalcEditView::OnUpdateEditPaste() const
{
    return isEnabled() && !isReadOnly() && m_clipboardHasText;
}

bool CCalcEditView::HandlesCommand(unsigned id) const
{
    switch (id) {
    case kCmdUndo:
    case kCmdEditRedo:
    case kCmdCut:
    case kCmdCopy:
    case kCmdPaste:
    case kCmdSelectAll:
    case kCmdFormatBold:
    case kCmdFormatItalic:
    case kCmdFormatUnderline:
    case kCmdFilePrint:
    case kCmdFilePrintDirect:
    case kCmdFilePrintPreview:
        return true;
    default:
        return false;
    }
}

bool CCalcEditView::OnCommand(unsigned id)
{
    if (!IsCommandEnabled(id))
        return HandlesCommand(id);
    switch (id) {
    case kCmdUndo:
        OnEditUndo();
        break;
    case kCmdEditRedo:
        OnEditRedo();
        break;
    case kCmdCut:
        OnEditCut();
        break;
    case kCmdCopy:
        OnEditCopy();
        break;
    case kCmdPaste:
        OnEditPaste();
        break;
    case kCmdSelectAll:
        OnSelectAll();
        break;
    case kCmdFormatBold:
        OnFormatBold();
        break;
    case kCmdFormatItalic:
        OnFormatItalic();
        break;
    case kCmdFormatUnderline:
        OnFormatUnderline();
        break;
    case kCmdFilePrint:
        OnFilePrint();
        break;
    case kCmdFilePrintDirect:
        FlushPhrases();
        CReportPrinter::Print(*document(), Printer(), ReportFont());
        break;
    case kCmdFilePrintPreview:
        OnFilePrintPreview();
        break;
    default:
        return false;
    }
    return true;
}

bool CCalcEditView::IsCommandEnabled(unsigned id) const
{
    switch (id) {
    case kCmdUndo:
        return OnUpdateEditUndo();
    case kCmdEditRedo:
        return OnUpdateEditRedo();
    case kCmdCut:
        return OnUpdateEditCut();
    case kCmdCopy:
        return OnUpdateEditCopy();
    case kCmdPaste:
        return OnUpdateEditPaste();
    case kCmdSelectAll:
        return OnUpdateSelectAll();
    case kCmdFormatBold:
    case kCmdFormatItalic:
    case kCmdFormatUnderline:
        return OnUpdateFormat();
    case kCmdFilePrint:
    case kCmdFilePrintDirect:
    case kCmdFilePrintPreview:
        return m_shown != nullptr;
    default:
        return false;
    }
}

bool CCalcEditView::IsCommandChecked(unsigned id) const
{
    switch (id) {
    case kCmdFormatBold:
        return IsFormatBold();
    case kCmdFormatItalic:
        return IsFormatItalic();
    case kCmdFormatUnderline:
        return IsFormatUnderline();
    default:
        return false;
    }
}
