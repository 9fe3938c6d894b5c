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
}

QTreeWidgetItem* CCalcTreeView::ItemOf(const CCalcNodeBase* node)
{
    return node ? static_cast<QTreeWidgetItem*>(node->GetTreeHandle()) : nullptr;
}

CCalcNodeBase* CCalcTreeView::NodeOf(const QTreeWidgetItem* item)
{
    return item ? static_cast<CCalcNodeBase*>(item->data(0, Qt::UserRole).value<void*>()) : nullptr;
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

void CCalcTreeView::SetModified()
{
    if (m_doc)
        m_doc->SetModifiedFlag(true);
    emit documentModified();
}

void CCalcTreeView::Reset()
{
    m_fullFill = true;
    m_toSelect = nullptr;
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

QTreeWidgetItem* CCalcTreeView::InsertItem(const std::string& text, QTreeWidgetItem* parent, CCalcNodeBase* node)
{
    // The item knows its node and the node its item before the item joins the control, so any
    // signal the insertion sends finds both.
    auto* item = new QTreeWidgetItem;
    item->setText(0, QString::fromStdString(text));
    item->setData(0, Qt::UserRole, QVariant::fromValue(static_cast<void*>(node)));
    Qt::ItemFlags flags = Qt::ItemIsSelectable | Qt::ItemIsEnabled;
    if (node->IsCalculation())
        flags |= Qt::ItemIsEditable; // only a calculation can be renamed
    item->setFlags(flags);
    node->SetTreeHandle(item);
    QTreeWidgetItem* under = parent ? parent : invisibleRootItem();
    if (m_fullFill)
        under->insertChild(0, item);
    else
        under->addChild(item);
    return item;
}

void CCalcTreeView::UpdateNode(CCalcDocNode* node, QTreeWidgetItem* parent)
{
    if (!node->OnTree())
        InsertItem(node->GetLabel(), parent, node);
    if (CCalcDocNode* next = node->GetNext())
        UpdateNode(next, parent);
    QTreeWidgetItem* item = ItemOf(node);
    if (CCalcDocNode* sub = node->GetSub())
        UpdateNode(sub, item);
    if (CCalculation* calc = node->GetCalc())
        UpdateCalc(calc, item);
}

void CCalcTreeView::UpdateCalc(CCalculation* first, QTreeWidgetItem* parent)
{
    // Last to first: in a full fill each goes first among its siblings, which gives list order.
    std::vector<CCalculation*> chain;
    for (CCalculation* calc = first; calc; calc = calc->GetNext())
        chain.push_back(calc);
    for (auto it = chain.rbegin(); it != chain.rend(); ++it) {
        CCalculation* calc = *it;
        if (calc->OnTree())
            continue;
        QTreeWidgetItem* item = InsertItem(calc->GetLabel(), parent, calc);
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
        AddCommandItem(*menu, id, QStringLiteral("New ") + first + label.mid(1),
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
        const bool wasModified = m_doc->IsModified();
        if (id == kCmdNote)
            m_doc->OnNote();
        else
            m_doc->OnNewCalculation(id);
        if (m_doc->IsModified() != wasModified)
            emit documentModified();
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
        AfxMessageBox(Format("Maximum label length is %d", kMaxLabelLength), MB_OK);
        return false;
    }
    if (label == node->GetLabel())
        return false;
    item->setText(0, text);
    node->SetLabel(label);
    SetModified(); // a new name is a change of the document, however the edit was started
    return true;
}

void CCalcTreeView::OnTreeRename()
{
    QTreeWidgetItem* item = ItemOf(SelectedCalculation());
    if (!item)
        return;
    editItem(item, 0);
    if (state() == QAbstractItemView::EditingState)
        SetModified();
}

bool CCalcTreeView::CopyToClipboard()
{
    CCalculation* calc = SelectedCalculation();
    if (!calc)
        return false;
    if (m_edit)
        m_edit->UpdateCalculation();
    CClipboardData data;
    try {
        CArchive ar(data.calculation);
        calc->Clipboard(ar);
    } catch (const CArchiveException&) {
        AfxMessageBox(CArchiveException::kUserMessage, MB_OK);
        return false;
    }
    data.rtf = calc->GetText();
    data.plainText = CRichText::FromRtf(data.rtf).ToPlainText(false);
    std::string error;
    if (!UIServices().SetClipboard(data, error)) {
        AfxMessageBox(error.empty() ? std::string("Cannot open clipboard") : error, MB_OK);
        return false;
    }
    return true;
}

void CCalcTreeView::OnEditCut()
{
    // The calculation goes only once all three formats are on the clipboard.
    if (CopyToClipboard())
        DeleteSelItem();
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
        AfxMessageBox(CArchiveException::kUserMessage, MB_OK);
        return false;
    }
    if (!m_doc->Add(calc.get())) {
        AfxMessageBox(kAddProblem, MB_OK);
        return false;
    }
    calc.release(); // the tree owns it now, and the views show and select it
    SetModified();
    return true;
}

bool CCalcTreeView::DeleteSelItem()
{
    CCalculation* calc = SelectedCalculation();
    CCalcDocNode* head = m_doc ? m_doc->GetHead() : nullptr;
    QTreeWidgetItem* item = ItemOf(calc);
    if (!head || !item)
        return false;
    // Nothing may point at the calculation once it is gone: the result view forgets it
    // without storing its text, and the document's selection is cleared.
    if (m_edit)
        m_edit->Reset();
    m_doc->SetSelectedNode(nullptr);
    QTreeWidgetItem* survivor = nullptr;
    bool deleted = false;
    {
        // Qt moves the current item by itself while items go; the selection is set below.
        const QSignalBlocker blocker(this);
        if (head->Delete(item)) {
            deleted = true;
            QTreeWidgetItem* parent = item->parent();
            int index = parent ? parent->indexOfChild(item) : indexOfTopLevelItem(item);
            delete item;
            // Folders left empty go too, up to but never including the head (the top item).
            while (parent && parent->parent() && head->Delete(parent)) {
                QTreeWidgetItem* grand = parent->parent();
                index = grand->indexOfChild(parent);
                delete parent;
                parent = grand;
            }
            if (parent)
                survivor = index < parent->childCount() ? parent->child(index) : parent;
        }
    }
    SelectItem(deleted ? survivor : item);
    SetModified();
    return deleted;
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
    if (!calc->Do())
        return; // cancelled: the label and the report stay
    if (m_edit)
        m_edit->Clear();
    const std::string title = calc->GetData()->GetTitle();
    calc->SetLabel(title);
    if (QTreeWidgetItem* item = ItemOf(calc))
        item->setText(0, QString::fromStdString(title));
    SetModified();
    calc->GetData()->Output();
    calc->Editted(0);
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
