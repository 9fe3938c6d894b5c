// The tree view: fills the control from the document's tree, keeps the selection in step with
// the document, and runs the commands on whole calculations.
#include "CCalcTreeView.h"

#include "CArchive.h"
#include "CCalcBase.h"
#include "CCalcDoc.h"
#include "CCalcDocNode.h"
#include "CCalcEditView.h"
#include "CCalculation.h"
#include "Format.h"
#include "Profile.h"
#include "RichText.h"
#include "ScreenText.h"
#include "UIServices.h"
#include "ViewCommands.h"
#include "ViewMenus.h"
#include "Vocabulary.h"

#include <QContextMenuEvent>
#include <QHeaderView>
#include <QKeyEvent>
#include <QLineEdit>
#include <QMenu>
#include <QSignalBlocker>
#include <QStyledItemDelegate>

#include <memory>
#include <optional>
#include <vector>

namespace
{
const char kAddProblem[] = "There was an unexpected problem adding the calculation";
constexpr int kUndoLimit = 200;

/// An item that keeps its node and reads the label from it when the control asks, so that a
/// tree of many calculations holds no second copy of every label. A text set on the item (the
/// head's, which is the document's title, or one in the middle of an edit) is kept and shown
/// instead.
class CNodeItem : public QTreeWidgetItem
{
public:
    static constexpr int kType = QTreeWidgetItem::UserType;
    explicit CNodeItem(CCalcNodeBase* node) : QTreeWidgetItem(kType), m_node(node) {}
    CCalcNodeBase* Node() const { return m_node; }

    QVariant data(int column, int role) const override
    {
        if (column != 0 || (role != Qt::DisplayRole && role != Qt::EditRole))
            return QTreeWidgetItem::data(column, role);
        return m_text ? *m_text : QString::fromStdString(m_node->GetLabel());
    }
    void setData(int column, int role, const QVariant& value) override
    {
        if (column != 0 || (role != Qt::DisplayRole && role != Qt::EditRole)) {
            QTreeWidgetItem::setData(column, role, value);
            return;
        }
        m_text = std::make_unique<QString>(value.toString());
        emitDataChanged();
    }

private:
    CCalcNodeBase* m_node;
    std::unique_ptr<QString> m_text; // rarely set: a pointer keeps the common item small
};

/// A command whose first step already ran before it joined the stack.
class CDoneCommand : public QUndoCommand
{
public:
    explicit CDoneCommand(std::unique_ptr<QUndoCommand> done) : QUndoCommand(done->text()), m_done(std::move(done)) {}
    void redo() override
    {
        if (!m_first)
            m_done->redo();
        m_first = false;
    }
    void undo() override { m_done->undo(); }

private:
    std::unique_ptr<QUndoCommand> m_done;
    bool m_first = true;
};

/// The calculation's clipboard form; false (message shown) when it cannot be written.
bool ClipboardForm(CCalculation& calc, std::vector<unsigned char>& bytes)
{
    try {
        CArchive ar(bytes);
        calc.Clipboard(ar);
        return true;
    } catch (const CArchiveException&) {
        AfxMessageBox(FileFormatMessage(), MB_OK);
        return false;
    }
}

/// The in-place label editor: at most kMaxLabelLength characters typed, and the end of the
/// edit goes through the view's checks instead of writing the item directly.
class CLabelDelegate : public QStyledItemDelegate
{
public:
    explicit CLabelDelegate(CCalcTreeView* view) : QStyledItemDelegate(view), m_view(view) {}

    QWidget* createEditor(QWidget* parent, const QStyleOptionViewItem& option, const QModelIndex& index) const override
    {
        QWidget* editor = QStyledItemDelegate::createEditor(parent, option, index);
        if (auto* line = qobject_cast<QLineEdit*>(editor))
            line->setMaxLength(CCalcTreeView::kMaxLabelLength);
        return editor;
    }
    void setModelData(QWidget* editor, QAbstractItemModel*, const QModelIndex& index) const override
    {
        if (auto* line = qobject_cast<QLineEdit*>(editor))
            m_view->EndLabelEdit(m_view->itemFromIndex(index), line->text());
    }

private:
    CCalcTreeView* m_view;
};
} // namespace

CCalcTreeView::CCalcTreeView(QWidget* parent) : QTreeWidget(parent)
{
    setColumnCount(1);
    setHeaderHidden(true);
    // Long labels scroll sideways, as in a tree control, instead of being cut to the pane.
    header()->setStretchLastSection(false);
    header()->setSectionResizeMode(0, QHeaderView::ResizeToContents);
    setRootIsDecorated(true);
    setUniformRowHeights(true);
    setSelectionMode(QAbstractItemView::SingleSelection);
    setDragDropMode(QAbstractItemView::NoDragDrop);
    setEditTriggers(QAbstractItemView::SelectedClicked);
    setItemDelegate(new CLabelDelegate(this));
    connect(this, &QTreeWidget::currentItemChanged, this,
            [this](QTreeWidgetItem* current, QTreeWidgetItem*) { OnSelchanged(current); });
    m_undo.setUndoLimit(kUndoLimit);
    connect(&m_undo, &QUndoStack::indexChanged, this, &CCalcTreeView::OnStackChanged);
    connect(&m_undo, &QUndoStack::cleanChanged, this, &CCalcTreeView::OnStackChanged);
}

void CCalcTreeView::OnStackChanged()
{
    if (!m_doc)
        return;
    m_doc->SetModifiedFlag(!m_undo.isClean());
    emit documentModified();
}

QTreeWidgetItem* CCalcTreeView::ItemOf(const CCalcNodeBase* node)
{
    return node ? static_cast<QTreeWidgetItem*>(node->GetTreeHandle()) : nullptr;
}

CCalcNodeBase* CCalcTreeView::NodeOf(const QTreeWidgetItem* item)
{
    return item && item->type() == CNodeItem::kType ? static_cast<const CNodeItem*>(item)->Node() : nullptr;
}

bool CCalcTreeView::IsCalculationSelected() const
{
    return SelectedCalculation() != nullptr;
}

CCalculation* CCalcTreeView::SelectedCalculation() const
{
    CCalcNodeBase* node = m_doc ? m_doc->GetSelectedNode() : nullptr;
    return node && node->IsCalculation() ? static_cast<CCalculation*>(node) : nullptr;
}

void CCalcTreeView::Reset()
{
    m_fullFill = true;
    m_toSelect = nullptr;
    // The actions on the stack name nodes of the tree that goes.
    {
        const QSignalBlocker stackBlocker(&m_undo);
        m_undo.clear();
    }
    // Qt frees the items; the nodes must not keep pointers to them.
    const QSignalBlocker blocker(this);
    for (QTreeWidgetItemIterator it(this); *it; ++it) {
        if (CCalcNodeBase* node = NodeOf(*it))
            node->SetTreeHandle(nullptr);
    }
    clear();
}

void CCalcTreeView::OnUpdate()
{
    CCalcDocNode* head = m_doc ? m_doc->GetHead() : nullptr;
    if (!head)
        return;
    m_fullFill = !head->OnTree();
    m_toSelect = nullptr;
    UpdateNode(head, nullptr);
    // Selected after the walk: selecting updates every view, which may call back in here.
    QTreeWidgetItem* select = m_fullFill ? ItemOf(head) : m_toSelect;
    m_toSelect = nullptr;
    if (select) {
        scrollToItem(select);
        SelectItem(select);
    }
}

QTreeWidgetItem* CCalcTreeView::InsertItem(QTreeWidgetItem* parent, CCalcNodeBase* node)
{
    // The item knows its node and the node its item before the item joins the control, so any
    // signal the insertion sends finds both.
    auto* item = new CNodeItem(node); // shows the node's label
    Qt::ItemFlags flags = Qt::ItemIsSelectable | Qt::ItemIsEnabled;
    if (node->IsCalculation())
        flags |= Qt::ItemIsEditable; // only a calculation can be renamed
    item->setFlags(flags);
    node->SetTreeHandle(item);
    QTreeWidgetItem* under = parent ? parent : invisibleRootItem();
    // A full fill walks the tree in its stored order; a node inserted later goes to its place.
    if (m_fullFill)
        under->addChild(item);
    else
        under->insertChild(PlaceOf(node, parent), item);
    return item;
}

// A folder's items show its calculations in chain order, then its sub-folders in chain order,
// as the document is walked when it is exported. The place counts the nodes before this one
// that are on the tree.
int CCalcTreeView::PlaceOf(const CCalcNodeBase* node, const QTreeWidgetItem* parent) const
{
    const auto* folder = static_cast<const CCalcDocNode*>(NodeOf(parent));
    if (!folder || folder->IsCalculation())
        return parent ? parent->childCount() : topLevelItemCount();
    int place = 0;
    for (const CCalculation* calc = folder->GetCalc(); calc && calc != node; calc = calc->GetNext())
        place += calc->OnTree() ? 1 : 0;
    if (node->IsCalculation())
        return place;
    for (const CCalcDocNode* sub = folder->GetSub(); sub && sub != node; sub = sub->GetNext())
        place += sub->OnTree() ? 1 : 0;
    return place;
}

void CCalcTreeView::UpdateNode(CCalcDocNode* node, QTreeWidgetItem* parent)
{
    // Siblings in chain order; under each folder its calculations, then its sub-folders.
    for (CCalcDocNode* sibling = node; sibling; sibling = sibling->GetNext()) {
        if (!sibling->OnTree())
            InsertItem(parent, sibling);
        QTreeWidgetItem* item = ItemOf(sibling);
        if (CCalculation* calc = sibling->GetCalc())
            UpdateCalc(calc, item);
        if (CCalcDocNode* sub = sibling->GetSub())
            UpdateNode(sub, item);
    }
}

void CCalcTreeView::UpdateCalc(CCalculation* first, QTreeWidgetItem* parent)
{
    for (CCalculation* calc = first; calc; calc = calc->GetNext()) {
        if (calc->OnTree())
            continue;
        QTreeWidgetItem* item = InsertItem(parent, calc);
        for (QTreeWidgetItem* up = item->parent(); up && !up->isExpanded(); up = up->parent())
            up->setExpanded(true);
        if (!m_fullFill)
            m_toSelect = item;
    }
}

void CCalcTreeView::SelectItem(QTreeWidgetItem* item)
{
    if (!item)
        return;
    if (currentItem() != item) {
        setCurrentItem(item); // OnSelchanged tells the document
    } else if (m_doc && m_doc->GetSelectedNode() != NodeOf(item)) {
        m_doc->SetSelectedNode(NodeOf(item));
    }
}

void CCalcTreeView::SelectNode(CCalcNodeBase* node)
{
    SelectItem(ItemOf(node));
}

void CCalcTreeView::SetRootText(const std::string& text)
{
    if (QTreeWidgetItem* item = m_doc ? ItemOf(m_doc->GetHead()) : nullptr)
        item->setText(0, QString::fromStdString(text));
}

void CCalcTreeView::OnSelchanged(QTreeWidgetItem* current)
{
    if (m_doc && current)
        m_doc->SetSelectedNode(NodeOf(current));
}

void CCalcTreeView::contextMenuEvent(QContextMenuEvent* event)
{
    event->accept();
    // With the mouse the menu opens on the press, for the item under the pointer (selected
    // first); from the keyboard it opens at the current item.
    QTreeWidgetItem* item = nullptr;
    QPoint at;
    if (event->reason() == QContextMenuEvent::Mouse) {
        item = itemAt(event->pos());
        at = event->globalPos();
    } else {
        item = currentItem();
        if (item)
            at = viewport()->mapToGlobal(visualItemRect(item).center());
    }
    if (!item)
        return;
    SelectItem(item);
    ShowContextMenu(item, at);
}

void CCalcTreeView::ShowContextMenu(QTreeWidgetItem* item, const QPoint& globalPos)
{
    CCalcNodeBase* node = NodeOf(item);
    if (!node)
        return;
    std::unique_ptr<QMenu> menu(node->IsCalculation() ? CreateCalculationMenu(this)
                                                      : CreateContextMenu(node->GetType(), this));
    const unsigned id = RunCommandMenu(*menu, globalPos);
    menu.reset();
    if (id)
        OnContextCommand(id);
}

QMenu* CCalcTreeView::CreateCalculationMenu(QWidget* parent)
{
    auto* menu = new QMenu(parent);
    AddCommandItem(*menu, kCmdRedo, MenuItemText("EDIT_REDO"), IsCommandEnabled(kCmdRedo));
    menu->addSeparator();
    AddCommandItem(*menu, kCmdCut, MenuItemText("EDIT_CUT"), IsCommandEnabled(kCmdCut));
    AddCommandItem(*menu, kCmdCopy, MenuItemText("EDIT_COPY"), IsCommandEnabled(kCmdCopy));
    AddCommandItem(*menu, kCmdPaste, MenuItemText("EDIT_PASTE"), IsCommandEnabled(kCmdPaste));
    menu->addSeparator();
    AddCommandItem(*menu, kCmdDelete, MenuItemText("EDIT_DELETE"), IsCommandEnabled(kCmdDelete));
    AddCommandItem(*menu, kCmdRename, MenuItemText("EDIT_RENAME"), IsCommandEnabled(kCmdRename));
    return menu;
}

QMenu* CCalcTreeView::CreateContextMenu(const CCalcType& type, QWidget* parent) const
{
    auto* menu = new QMenu(parent);
    const int children = ChildCount(type);
    for (int i = 1; i <= children; ++i) {
        CCalcType child = type;
        child.SetType(i, type.GetLevel() + 1);
        const std::string code = child.GetTypeString();
        if (ChildCount(child) != 0) {
            QMenu* sub = CreateContextMenu(child, menu);
            sub->setTitle(QString::fromStdString(GetProfileString("Labels", code, "No popup label")));
            menu->addMenu(sub);
        } else {
            // Leaves past the document's last command id cannot be made: shown, but disabled.
            const unsigned id = CCalcDoc::kFirstCalculationCommand + static_cast<unsigned>(child.GetTypeInt());
            AddCommandItem(*menu, id, QString::fromStdString(GetProfileString("Labels", code, "No label")),
                           id <= CCalcDoc::kLastCalculationCommand);
        }
    }
    if (children == 0) {
        // A folder of one type: "New proportion" from the label Proportion (a one-letter
        // label keeps its case).
        const QString label = QString::fromStdString(GetProfileString("Labels", type.GetTypeString(), ""));
        const QString first = label.size() > 1 ? label.left(1).toLower() : label.left(1);
        const unsigned id = CCalcDoc::kFirstCalculationCommand + static_cast<unsigned>(type.GetTypeInt());
        const std::string lowered = (first + label.mid(1)).toStdString();
        AddCommandItem(*menu, id, QString::fromStdString(ScreenText("NEW_ITEM", "New %1", {lowered})),
                       id <= CCalcDoc::kLastCalculationCommand);
    }
    menu->addSeparator();
    AddCommandItem(*menu, kCmdNote, QString::fromStdString(GetProfileString("Labels", "9999", "")));
    return menu;
}

void CCalcTreeView::OnContextCommand(unsigned id)
{
    if (id == kCmdNote || (id >= CCalcDoc::kFirstCalculationCommand && id <= CCalcDoc::kLastCalculationCommand)) {
        if (!m_doc)
            return;
        CCalculation* added = id == kCmdNote ? m_doc->OnNote() : m_doc->OnNewCalculation(id);
        // A calculation filed is undoable; a cancelled one leaves no trace.
        if (added)
            m_undo.push(new CTreePlaceCommand(*this, added, CTreePlaceCommand::Action::Insert,
                                              id == kCmdNote ? QStringLiteral("Note") : QStringLiteral("New")));
        // A new note is written at once: the keyboard goes to its text.
        if (id == kCmdNote && added && m_edit && m_edit->GetShownCalculation() == added)
            m_edit->setFocus(Qt::OtherFocusReason);
        return;
    }
    OnCommand(id);
}

void CCalcTreeView::keyPressEvent(QKeyEvent* event)
{
    // The item view would copy an item's text on Ctrl+C by itself: the keys belong to the
    // calculation commands, and do nothing while those are disabled.
    if (event->matches(QKeySequence::Copy) || event->matches(QKeySequence::Cut) ||
        event->matches(QKeySequence::Paste)) {
        const unsigned id = event->matches(QKeySequence::Copy)  ? kCmdCopy
                            : event->matches(QKeySequence::Cut) ? kCmdCut
                                                                : kCmdPaste;
        if (!event->isAutoRepeat())
            OnCommand(id);
        event->accept();
        return;
    }
    if (event->matches(QKeySequence::SelectAll)) {
        event->accept();
        return;
    }
    if (event->key() == Qt::Key_F2 || event->key() == Qt::Key_F5) {
        if (!event->isAutoRepeat())
            OnCommand(event->key() == Qt::Key_F2 ? kCmdRename : kCmdRedo);
        event->accept();
        return;
    }
    QTreeWidget::keyPressEvent(event);
}

void CCalcTreeView::keyReleaseEvent(QKeyEvent* event)
{
    // Deleting on release; auto-repeat sends releases too, and holding the key must not
    // delete calculation after calculation.
    if (event->key() == Qt::Key_Delete && !event->isAutoRepeat()) {
        if (IsCalculationSelected())
            OnEditDelete();
        else
            UIServices().Beep(440, 100);
    }
    QTreeWidget::keyReleaseEvent(event);
}

bool CCalcTreeView::EndLabelEdit(QTreeWidgetItem* item, const QString& text)
{
    CCalcNodeBase* node = NodeOf(item);
    if (!node || !node->IsCalculation())
        return false;
    const std::string label = text.toStdString();
    if (Utf8Length(label) > static_cast<size_t>(kMaxLabelLength)) {
        AfxMessageBox(ScreenText("LABEL_TOO_LONG", "Maximum label length is %1", {Format("%d", kMaxLabelLength)}),
                      MB_OK);
        return false;
    }
    if (label == node->GetLabel())
        return false;
    m_undo.push(new CTreeRenameCommand(*this, static_cast<CCalculation*>(node), label, QStringLiteral("Rename")));
    return true;
}

void CCalcTreeView::ShowLabel(CCalculation* calc, const std::string& label)
{
    calc->SetLabel(label);
    if (QTreeWidgetItem* item = ItemOf(calc))
        item->setText(0, QString::fromStdString(label));
    SelectNode(calc);
}

void CCalcTreeView::OnTreeRename()
{
    QTreeWidgetItem* item = ItemOf(SelectedCalculation());
    if (!item)
        return;
    editItem(item, 0);
}

bool CCalcTreeView::CopyToClipboard()
{
    CCalculation* calc = SelectedCalculation();
    if (!calc)
        return false;
    if (m_edit)
        m_edit->UpdateCalculation();
    CClipboardData data;
    if (!ClipboardForm(*calc, data.calculation))
        return false;
    data.rtf = calc->GetText();
    data.plainText = CRichText::FromRtf(data.rtf).ToPlainText(false);
    std::string error;
    if (!UIServices().SetClipboard(data, error)) {
        AfxMessageBox(error.empty() ? ScreenText("NO_CLIPBOARD", "Cannot open clipboard") : error, MB_OK);
        return false;
    }
    return true;
}

void CCalcTreeView::OnEditCut()
{
    // The calculation goes only once all three formats are on the clipboard.
    if (CopyToClipboard())
        RemoveSelected(QStringLiteral("Cut"));
}

bool CCalcTreeView::PasteFromClipboard()
{
    if (!m_doc || !m_doc->GetHead())
        return false;
    const std::optional<std::vector<unsigned char>> payload = UIServices().GetClipboardCalculation();
    if (!payload || payload->empty())
        return false;
    // Any program can put anything under our format: a payload that does not read as one
    // calculation is freed whole, and the document stays as it was.
    auto calc = std::make_unique<CCalculation>();
    try {
        CArchive ar(payload->data(), payload->size());
        calc->Clipboard(ar);
    } catch (const std::exception&) {
        AfxMessageBox(FileFormatMessage(), MB_OK);
        return false;
    }
    // Filed, the tree owns it and the views show and select it; refused, it is gone.
    CCalculation* pasted = m_doc->Add(std::move(calc));
    if (!pasted) {
        AfxMessageBox(ScreenText("ADD_PROBLEM", kAddProblem), MB_OK);
        return false;
    }
    m_undo.push(new CTreePlaceCommand(*this, pasted, CTreePlaceCommand::Action::Insert, QStringLiteral("Paste")));
    return true;
}

bool CCalcTreeView::DeleteSelItem()
{
    return RemoveSelected(QStringLiteral("Delete"));
}

bool CCalcTreeView::RemoveSelected(const QString& action)
{
    CCalculation* calc = SelectedCalculation();
    if (!calc || !ItemOf(calc))
        return false;
    auto command = std::make_unique<CTreePlaceCommand>(*this, calc, CTreePlaceCommand::Action::Remove, action);
    command->redo();
    if (!command->Done())
        return false;
    // Pushed once done: the stack's own first redo is the one just run.
    m_undo.push(new CDoneCommand(std::move(command)));
    return true;
}

std::vector<CDetachedNode> CCalcTreeView::TakeOut(CCalculation* calc)
{
    std::vector<CDetachedNode> out;
    CCalcDocNode* head = m_doc ? m_doc->GetHead() : nullptr;
    QTreeWidgetItem* item = ItemOf(calc);
    if (!head || !item)
        return out;
    // The calculation leaves with the report on show stored; then nothing may point at it: the
    // result view forgets what it shows, and the document's selection is cleared.
    if (m_edit) {
        m_edit->UpdateCalculation();
        m_edit->Reset();
    }
    CCalcNodeBase* selected = m_doc->GetSelectedNode();
    m_doc->SetSelectedNode(nullptr);
    QTreeWidgetItem* survivor = nullptr;
    {
        // Qt moves the current item by itself while items go; the selection is set below.
        const QSignalBlocker blocker(this);
        CDetachedNode taken;
        taken.node = head->Detach(calc, taken.place);
        if (!taken.node) {
            SelectNode(selected);
            return out;
        }
        out.push_back(std::move(taken));
        calc->SetTreeHandle(nullptr);
        QTreeWidgetItem* parent = item->parent();
        int index = parent ? parent->indexOfChild(item) : indexOfTopLevelItem(item);
        delete item;
        // Folders left empty go too, up to but never including the head (the top item).
        while (parent && parent->parent()) {
            CDetachedNode folder;
            folder.node = head->Detach(NodeOf(parent), folder.place);
            if (!folder.node)
                break;
            folder.node->SetTreeHandle(nullptr);
            out.push_back(std::move(folder));
            QTreeWidgetItem* grand = parent->parent();
            index = grand->indexOfChild(parent);
            delete parent;
            parent = grand;
        }
        if (parent)
            survivor = index < parent->childCount() ? parent->child(index) : parent;
    }
    SelectItem(survivor);
    return out;
}

void CCalcTreeView::PutBack(std::vector<CDetachedNode>& out)
{
    if (!m_doc || out.empty())
        return;
    if (m_edit)
        m_edit->UpdateCalculation();
    CCalcNodeBase* calc = out.front().node.get();
    // The outermost folder first: each node's place exists when it is attached. A node that
    // cannot go back stays with its owner.
    for (size_t i = out.size(); i-- > 0;)
        out[i].node = CCalcDocNode::Attach(std::move(out[i].node), out[i].place);
    std::erase_if(out, [](const CDetachedNode& node) { return !node.node; });
    // The update inserts the items at their places and selects the calculation.
    OnUpdate();
    SelectNode(calc);
}

void CCalcTreeView::RestoreCalculation(CCalculation* calc, const std::vector<unsigned char>& bytes)
{
    // The shown report is replaced, not stored over the restored one.
    if (m_edit && m_edit->GetShownCalculation() == calc)
        m_edit->Reset();
    try {
        CArchive ar(bytes.data(), bytes.size());
        calc->Clipboard(ar);
    } catch (const std::exception&) {
        AfxMessageBox(FileFormatMessage(), MB_OK);
    }
    if (QTreeWidgetItem* item = ItemOf(calc))
        item->setText(0, QString::fromStdString(calc->GetLabel()));
    if (currentItem() == ItemOf(calc) && m_doc)
        m_doc->SetSelectedNode(calc);
    else
        SelectNode(calc);
}

void CCalcTreeView::RedoCalculation()
{
    CCalculation* calc = SelectedCalculation();
    if (!calc || !calc->GetData())
        return;
    if (calc->IsEditted()) {
        const std::string question =
            GetProfileString("Messages", "11", "11") + "\n" + GetProfileString("Messages", "12", "12");
        if (AfxMessageBox(question, MB_YESNO) != IDYES)
            return;
    }
    // The calculation as it was, with the report on show, for the undo.
    if (m_edit)
        m_edit->UpdateCalculation();
    std::vector<unsigned char> before;
    if (!ClipboardForm(*calc, before))
        return;
    if (!calc->Do())
        return; // cancelled: the label and the report stay
    if (m_edit)
        m_edit->Clear();
    const std::string title = calc->GetData()->GetTitle();
    calc->SetLabel(title);
    if (QTreeWidgetItem* item = ItemOf(calc))
        item->setText(0, QString::fromStdString(title));
    calc->GetData()->Output();
    calc->Editted(0);
    if (m_edit)
        m_edit->UpdateCalculation();
    std::vector<unsigned char> after;
    if (ClipboardForm(*calc, after))
        m_undo.push(new CTreeRecalculateCommand(*this, calc, std::move(before), std::move(after),
                                                QStringLiteral("Recalculate")));
    else
        MarkChangedOutsideStack();
}

void CCalcTreeView::OnFilePrint()
{
    if (m_edit)
        m_edit->OnFilePrint();
}

void CCalcTreeView::OnFilePrintPreview()
{
    if (m_edit)
        m_edit->OnFilePrintPreview();
}

bool CCalcTreeView::OnUpdateEditPaste() const
{
    return m_doc && UIServices().ClipboardHasCalculation();
}

bool CCalcTreeView::HandlesCommand(unsigned id) const
{
    switch (id) {
    case kCmdCopy:
    case kCmdCut:
    case kCmdPaste:
    case kCmdDelete:
    case kCmdRename:
    case kCmdRedo:
    case kCmdFilePrint:
    case kCmdFilePrintDirect:
    case kCmdFilePrintPreview:
    case kCmdUndo:
    case kCmdEditRedo:
        return true;
    default:
        return false;
    }
}

bool CCalcTreeView::OnCommand(unsigned id)
{
    if (!IsCommandEnabled(id))
        return HandlesCommand(id);
    switch (id) {
    case kCmdCopy:
        OnEditCopy();
        break;
    case kCmdCut:
        OnEditCut();
        break;
    case kCmdPaste:
        OnEditPaste();
        break;
    case kCmdDelete:
        OnEditDelete();
        break;
    case kCmdRename:
        OnTreeRename();
        break;
    case kCmdRedo:
        OnTreeRedo();
        break;
    case kCmdFilePrint:
        OnFilePrint();
        break;
    case kCmdFilePrintDirect:
        if (m_edit)
            m_edit->OnCommand(kCmdFilePrintDirect);
        break;
    case kCmdFilePrintPreview:
        OnFilePrintPreview();
        break;
    case kCmdUndo:
        OnEditUndo();
        break;
    case kCmdEditRedo:
        OnEditRedo();
        break;
    default:
        return false;
    }
    return true;
}

bool CCalcTreeView::IsCommandEnabled(unsigned id) const
{
    switch (id) {
    case kCmdPaste:
        return OnUpdateEditPaste();
    case kCmdUndo:
        return OnUpdateEditUndo();
    case kCmdEditRedo:
        return OnUpdateEditRedo();
    case kCmdCopy:
    case kCmdCut:
    case kCmdDelete:
    case kCmdRename:
    case kCmdRedo:
    case kCmdFilePrint:
    case kCmdFilePrintDirect:
    case kCmdFilePrintPreview:
    case kCmdNextPane:
        return IsCalculationSelected();
    default:
        return false;
    }
}
