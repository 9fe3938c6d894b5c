// The tree's undoable actions.
#include "TreeCommands.h"

#include "CCalcTreeView.h"
#include "CCalculation.h"

CTreePlaceCommand::CTreePlaceCommand(CCalcTreeView& tree, CCalculation* calc, Action action, const QString& text)
    : QUndoCommand(text), m_tree(tree), m_calc(calc), m_action(action)
{}

void CTreePlaceCommand::TakeOut()
{
    m_out = m_tree.TakeOut(m_calc);
    m_done = !m_out.empty();
}

void CTreePlaceCommand::PutBack()
{
    m_tree.PutBack(m_out);
}

void CTreePlaceCommand::redo()
{
    const bool first = m_firstRedo;
    m_firstRedo = false;
    if (m_action == Action::Remove)
        TakeOut();
    else if (!first)
        PutBack();
}

void CTreePlaceCommand::undo()
{
    if (m_action == Action::Remove)
        PutBack();
    else
        TakeOut();
}

CTreeRenameCommand::CTreeRenameCommand(CCalcTreeView& tree, CCalculation* calc, std::string label, const QString& text)
    : QUndoCommand(text), m_tree(tree), m_calc(calc), m_before(calc->GetLabel()), m_after(std::move(label))
{}

void CTreeRenameCommand::redo()
{
    m_tree.ShowLabel(m_calc, m_after);
}

void CTreeRenameCommand::undo()
{
    m_tree.ShowLabel(m_calc, m_before);
}

CTreeRecalculateCommand::CTreeRecalculateCommand(CCalcTreeView& tree, CCalculation* calc,
                                                 std::vector<unsigned char> before, std::vector<unsigned char> after,
                                                 const QString& text)
    : QUndoCommand(text), m_tree(tree), m_calc(calc), m_before(std::move(before)), m_after(std::move(after))
{}

void CTreeRecalculateCommand::redo()
{
    if (m_firstRedo) {
        m_firstRedo = false;
        return;
    }
    m_tree.RestoreCalculation(m_calc, m_after);
}

void CTreeRecalculateCommand::undo()
{
    m_tree.RestoreCalculation(m_calc, m_before);
}
