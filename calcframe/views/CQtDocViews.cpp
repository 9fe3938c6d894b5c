// The document's two Qt views behind the document's view interface.
#include "CQtDocViews.h"

#include "CCalcDoc.h"
#include "CCalcEditView.h"
#include "CCalcTreeView.h"

CQtDocViews::CQtDocViews(CCalcDoc& doc, CCalcTreeView& tree, CCalcEditView& edit)
    : m_doc(doc), m_tree(tree), m_edit(edit)
{
    m_tree.SetDocument(&doc);
    m_tree.SetEditView(&edit);
    m_edit.SetDocument(&doc);
    QObject::connect(&m_edit, &CCalcEditView::redoRequested, &m_tree, &CCalcTreeView::RedoCalculation);
    QObject::connect(&m_edit, &CCalcEditView::editedByHand, &m_tree, &CCalcTreeView::MarkChangedOutsideStack);
    m_doc.SetViews(this);
}

CQtDocViews::~CQtDocViews()
{
    if (m_doc.GetViews() == this)
        m_doc.SetViews(nullptr);
    QObject::disconnect(&m_edit, &CCalcEditView::redoRequested, &m_tree, &CCalcTreeView::RedoCalculation);
    QObject::disconnect(&m_edit, &CCalcEditView::editedByHand, &m_tree, &CCalcTreeView::MarkChangedOutsideStack);
    m_tree.SetDocument(nullptr);
    m_tree.SetEditView(nullptr);
    m_edit.SetDocument(nullptr);
}

void CQtDocViews::OnUpdate()
{
    m_tree.OnUpdate();
    m_edit.OnUpdate();
}

void CQtDocViews::ResetTree()
{
    m_tree.Reset();
}

void CQtDocViews::ResetResult()
{
    m_edit.Reset();
}

void CQtDocViews::UpdateCalculation()
{
    m_edit.UpdateCalculation();
}

void CQtDocViews::BeginProgramWrite()
{
    m_edit.BeginProgramWrite();
}

void CQtDocViews::InsertPhrase(const std::string& text, unsigned flags)
{
    m_edit.InsertPhrase(text, flags);
}

void CQtDocViews::EndProgramWrite()
{
    m_edit.EndProgramWrite();
}

void CQtDocViews::SelectNode(CCalcNodeBase* node)
{
    m_tree.SelectNode(node);
}

void CQtDocViews::SetRootText(const std::string& text)
{
    m_tree.SetRootText(text);
    // The document sets the root's text once it is saved: what the stack holds now is saved.
    if (!m_doc.IsModified())
        m_tree.UndoStack().setClean();
}
