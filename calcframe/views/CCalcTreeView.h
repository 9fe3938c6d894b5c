// The tree view: the left pane of the main window, showing the document's folders and
// calculations. New calculations start from its context menus; redo, rename, delete, cut, copy
// and paste of whole calculations happen here; printing is forwarded to the result view.
#pragma once

#include "CCalcType.h"
#include "TreeCommands.h"

#include <QTreeWidget>
#include <QUndoStack>

#include <string>
#include <vector>

class CCalcDoc;
class CCalcDocNode;
class CCalcEditView;
class CCalcNodeBase;
class CCalculation;
class QMenu;

class CCalcTreeView : public QTreeWidget
{
    Q_OBJECT
public:
    static constexpr int kMaxLabelLength = 50;

    explicit CCalcTreeView(QWidget* parent = nullptr);

    /// The document shown (not owned); null detaches it.
    void SetDocument(CCalcDoc* doc) { m_doc = doc; }
    CCalcDoc* GetDocument() const { return m_doc; }
    /// The result view (not owned) that shows the selected calculation and prints it.
    void SetEditView(CCalcEditView* edit) { m_edit = edit; }

    /// Empties the control (signals blocked) and clears every shown node's item handle; the
    /// next update fills the whole tree and selects the head.
    void Reset();
    /// Inserts the nodes not on the tree yet: all of them after Reset (then the head is
    /// selected), else each new one at the end of its folder, a new calculation selected.
    void OnUpdate();
    /// Selects the node's item; the document's selected node follows.
    void SelectNode(CCalcNodeBase* node);
    /// Text of the head's item (after a save: the file's title; the head's label stays).
    void SetRootText(const std::string& text);
    /// The item that shows the node, or null.
    static QTreeWidgetItem* ItemOf(const CCalcNodeBase* node);
    /// The node an item shows.
    static CCalcNodeBase* NodeOf(const QTreeWidgetItem* item);

    bool CopyToClipboard();
    bool PasteFromClipboard();
    /// Deletes the selected calculation and every folder that becomes empty above it (never the
    /// head), then selects the next sibling, else the parent. False when nothing was deleted.
    bool DeleteSelItem();
    /// Runs the selected calculation again from its stored inputs and rewrites its report,
    /// after asking when the report was edited by hand.
    void RedoCalculation();
    /// The stack of the tree's actions (delete, cut, paste, rename, new calculation, note,
    /// recalculation); emptied when the document is replaced. The document's modified mark
    /// follows its clean state.
    QUndoStack& UndoStack() { return m_undo; }
    /// A change outside the stack (typing in a report): the document stays modified whatever
    /// is undone, until the next save.
    void MarkChangedOutsideStack() { m_undo.resetClean(); }

    // The steps the stack's commands take.
    /// Takes the calculation out of the tree with the folders it leaves empty (never the head),
    /// then selects the next sibling, else the parent. Empty when it is not in the tree.
    std::vector<CDetachedNode> TakeOut(CCalculation* calc);
    /// Puts back what TakeOut took, each node at its place (the tree owns them again, and `out`
    /// keeps only what could not go back), and selects the calculation.
    void PutBack(std::vector<CDetachedNode>& out);
    /// Gives the calculation and its item the label, and selects it.
    void ShowLabel(CCalculation* calc, const std::string& label);
    /// Reads the calculation's clipboard form back into it and shows it selected.
    void RestoreCalculation(CCalculation* calc, const std::vector<unsigned char>& bytes);

    /// The end of an in-place rename: more than kMaxLabelLength characters are refused with a
    /// message; otherwise the item and the node take the text. True when the label changed.
    bool EndLabelEdit(QTreeWidgetItem* item, const QString& text);
    /// The context menu of a folder of this type: its child types as sub-menus and "New ..."
    /// items, each level ending with a separator and the note item. The caller owns it.
    QMenu* CreateContextMenu(const CCalcType& type, QWidget* parent) const;
    /// The context menu of a calculation (Redo, Cut, Copy, Paste, Delete, Rename).
    QMenu* CreateCalculationMenu(QWidget* parent);
    /// Runs a command chosen in a context menu: new calculations and the note go to the
    /// document, the rest to this view's handlers.
    void OnContextCommand(unsigned id);

    // Commands of the frame's dispatcher while this view is the active pane, with enablers.
    void OnEditCopy() { CopyToClipboard(); }
    void OnEditCut();
    void OnEditPaste() { PasteFromClipboard(); }
    void OnEditDelete() { DeleteSelItem(); }
    void OnTreeRename();
    void OnTreeRedo() { RedoCalculation(); }
    void OnEditUndo() { m_undo.undo(); }
    void OnEditRedo() { m_undo.redo(); }
    void OnFilePrint();
    void OnFilePrintPreview();
    bool OnUpdateEditCopy() const { return IsCalculationSelected(); }
    bool OnUpdateEditCut() const { return IsCalculationSelected(); }
    bool OnUpdateEditPaste() const;
    bool OnUpdateEditUndo() const { return m_doc && m_undo.canUndo(); }
    bool OnUpdateEditRedo() const { return m_doc && m_undo.canRedo(); }
    bool OnUpdateEditDelete() const { return IsCalculationSelected(); }
    bool OnUpdateTreeRename() const { return IsCalculationSelected(); }
    bool OnUpdateTreeRedo() const { return IsCalculationSelected(); }
    bool OnUpdateFilePrint() const { return IsCalculationSelected(); }
    bool OnUpdateFilePrintPreview() const { return IsCalculationSelected(); }
    bool OnUpdateNextPane() const { return IsCalculationSelected(); }

    /// Generic forms for a dispatcher keyed on command ids (ViewCommands.h).
    bool HandlesCommand(unsigned id) const;
    bool OnCommand(unsigned id);
    bool IsCommandEnabled(unsigned id) const;

signals:
    /// The view marked the document modified or unmodified (an action done or undone).
    void documentModified();

protected:
    void contextMenuEvent(QContextMenuEvent* event) override;
    void keyPressEvent(QKeyEvent* event) override;
    void keyReleaseEvent(QKeyEvent* event) override;

private:
    void OnSelchanged(QTreeWidgetItem* current);
    bool IsCalculationSelected() const;
    CCalculation* SelectedCalculation() const;
    QTreeWidgetItem* InsertItem(QTreeWidgetItem* parent, CCalcNodeBase* node);
    int PlaceOf(const CCalcNodeBase* node, const QTreeWidgetItem* parent) const;
    void OnStackChanged();
    void UpdateNode(CCalcDocNode* node, QTreeWidgetItem* parent);
    void UpdateCalc(CCalculation* first, QTreeWidgetItem* parent);
    void SelectItem(QTreeWidgetItem* item);
    bool RemoveSelected(const QString& action);
    void ShowContextMenu(QTreeWidgetItem* item, const QPoint& globalPos);

    CCalcDoc* m_doc = nullptr;
    CCalcEditView* m_edit = nullptr;
    bool m_fullFill = true;
    QTreeWidgetItem* m_toSelect = nullptr;
    QUndoStack m_undo;
};
