// The result view: the right pane of the main window, a rich-text editor showing the report of
// the calculation selected in the tree. Reports are written into it phrase by phrase; the user
// may edit and format them; the text is stored back into its calculation as rich text.
#pragma once

#include <QTextEdit>

#include <deque>
#include <memory>
#include <string>

class CCalcDoc;
class CCalculation;
class QPrinter;
class QTextDocument;

class CCalcEditView : public QTextEdit
{
    Q_OBJECT
public:
    explicit CCalcEditView(QWidget* parent = nullptr);
    ~CCalcEditView() override;

    /// The document whose selected node the view shows (not owned); null detaches it.
    void SetDocument(CCalcDoc* doc) { m_doc = doc; }
    CCalcDoc* GetDocument() const { return m_doc; }
    /// The program's printer (not owned); without one the view uses a printer of its own.
    void SetPrinter(QPrinter* printer);

    /// Appends a phrase at the end of the text: flags 1 bold, 2 italic, 4 underline;
    /// character 7 shows as the list separator. Inside BeginProgramWrite/EndProgramWrite
    /// consecutive phrases with the same flags are inserted together.
    void InsertPhrase(const std::string& phrase, unsigned flags);
    void BeginProgramWrite();
    void EndProgramWrite();
    /// Empties the text (a program change: it marks nothing edited).
    void Clear();
    /// Courier New (any fixed-pitch face where it is missing), 10 pt at the zoom, bold off.
    void DefaultFont();
    /// The report's face at 10 pt, as it prints.
    static QFont ReportFont();

    static constexpr int kMinZoom = 50;
    static constexpr int kMaxZoom = 300;
    static constexpr int kZoomStep = 10;
    /// Shows the report at `percent` of its size (clamped to 50..300); printing keeps 100.
    void SetZoom(int percent);
    int Zoom() const { return m_zoom; }
    void ZoomIn() { SetZoom(m_zoom + kZoomStep); }
    void ZoomOut() { SetZoom(m_zoom - kZoomStep); }
    /// The whole text as plain text with "\n" line ends.
    std::string GetText() const;
    /// Stores the shown text into the calculation on show, if any.
    void UpdateCalculation();
    /// Forgets the calculation on show without storing its text.
    void Reset();
    /// Follows the document's selected node (every view update).
    void OnUpdate();
    CCalculation* GetShownCalculation() const { return m_shown; }

    /// The list separator that stands for character 7: ';' where the decimal point is ',',
    /// else ','.
    static char ListSeparator();

    // Commands of the frame's dispatcher while this view is the active pane.
    void OnEditUndo() { undo(); }
    void OnEditRedo() { redo(); }
    void OnEditCut();
    void OnEditCopy() { copy(); }
    void OnEditPaste();
    void OnSelectAll() { selectAll(); }
    void OnFormatBold();
    void OnFormatItalic();
    void OnFormatUnderline();
    void OnFilePrint();
    void OnFilePrintPreview();
    bool OnUpdateEditUndo() const;
    bool OnUpdateEditRedo() const;
    bool OnUpdateEditCut() const;
    bool OnUpdateEditCopy() const;
    bool OnUpdateEditPaste() const;
    bool OnUpdateSelectAll() const { return isEnabled(); }
    /// Enabled while a calculation is shown; the check mark is IsFormatBold() and so on.
    bool OnUpdateFormat() const { return isEnabled(); }
    bool IsFormatBold() const;
    bool IsFormatItalic() const;
    bool IsFormatUnderline() const;

    /// Generic forms of the above for a dispatcher keyed on command ids (ViewCommands.h):
    /// HandlesCommand says whether the view has a handler at all (Delete has none here).
    bool HandlesCommand(unsigned id) const;
    bool OnCommand(unsigned id);
    bool IsCommandEnabled(unsigned id) const;
    bool IsCommandChecked(unsigned id) const;

signals:
    /// F5 was released in the view: the tree redoes the selected calculation.
    void redoRequested();
    /// The user changed the shown report (every change by hand).
    void editedByHand();
    /// The view marked the document modified (the first change by hand of a shown report).
    void documentModified();

protected:
    void focusInEvent(QFocusEvent* event) override;
    void focusOutEvent(QFocusEvent* event) override;
    void keyPressEvent(QKeyEvent* event) override;
    void keyReleaseEvent(QKeyEvent* event) override;
    void inputMethodEvent(QInputMethodEvent* event) override;
    QMimeData* createMimeDataFromSelection() const override;
    void wheelEvent(QWheelEvent* event) override;
    void contextMenuEvent(QContextMenuEvent* event) override;
    bool canInsertFromMimeData(const QMimeData* source) const override;
    void insertFromMimeData(const QMimeData* source) override;
    void dropEvent(QDropEvent* event) override;

private:
    void OnChange();
    void SetTextInView(CCalculation* calc);
    void StoreTextInView(CCalculation* calc);
    /// The cursor at the start and the text scrolled to its first line.
    void ShowFromTop();
    void FlushPhrases();
    void ShowPlaceholder();
    void SetBackground(bool showing);
    void ApplyPageWidth();
    /// The width lines wrap at inside the document's margins, in pixels.
    double LineWidth() const;
    /// Shows the long paragraphs of the report as a block per wrapped line (ReportWrap.h).
    void SplitLongParagraphs();
    /// Makes the split paragraphs whole before the user changes the text.
    void MakeParagraphsWhole();
    void ToggleEffect(unsigned flag);
    unsigned SelectionFlags() const;
    QPrinter& Printer();
    /// A report document configured like the shown one (font, tab stops), owned by the view.
    QTextDocument* NewReportDocument();
    /// Shows `doc`; the previous document is deleted unless it is kept in the cache.
    void UseDocument(QTextDocument* doc);
    /// Makes sure a program write never changes a cached report: a cached document on show is
    /// replaced by an empty one first.
    void DetachCachedDocument();
    bool IsCached(const QTextDocument* doc) const;
    /// Forgets every cached report but the one on show (after a change of their font).
    void DropCachedReports();

    /// A report already laid out, kept while its calculation's stored text is what it was made
    /// from: showing it again costs no new layout.
    struct CachedReport
    {
        const CCalculation* calc;
        std::string rtf;
        QTextDocument* doc;
    };
    static constexpr std::size_t kCachedReports = 4;
    std::deque<CachedReport> m_cache; // most recently stored first

    CCalcDoc* m_doc = nullptr;
    CCalculation* m_shown = nullptr;
    bool m_suspended = true; // the shown report's next change marks nothing edited
    int m_programDepth = 0;  // program writes in progress: their changes are no edits
    int m_selStart = 0;
    int m_selEnd = 0;
    int m_writeDepth = 0;
    bool m_updating = false;
    QTextDocument* m_writing = nullptr; // a new report being written, not yet on show
    std::string m_pending;
    unsigned m_pendingFlags = 0;
    bool m_clipboardHasText = false;
    int m_zoom = 100;
    QPrinter* m_printer = nullptr;
    std::unique_ptr<QPrinter> m_ownPrinter;
};
