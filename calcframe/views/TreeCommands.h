// The tree's undoable actions: each change of the calculation tree is a command on the tree
// view's undo stack, which can take it back and do it again. Commands refer to nodes by pointer:
// the stack undoes and redoes in order, so every node a command names is where it left it.
#pragma once

#include "CCalcDocNode.h"

#include <QUndoCommand>

#include <memory>
#include <string>
#include <vector>

class CCalcTreeView;
class CCalculation;

/// A node taken out of the tree, owned while it is out, and where it goes back.
struct CDetachedNode
{
    std::unique_ptr<CCalcNodeBase> node;
    CNodePlace place;
};

/// A calculation taken out of the tree (delete, cut) or put into it (new calculation, note,
/// paste). While the calculation is out, the command owns it and the folders that went with it.
class CTreePlaceCommand : public QUndoCommand
{
public:
    enum class Action
    {
        Remove, ///< redo takes the calculation out
        Insert, ///< the calculation was just filed: undo takes it out, redo puts it back
    };
    CTreePlaceCommand(CCalcTreeView& tree, CCalculation* calc, Action action, const QString& text);
    CTreePlaceCommand(const CTreePlaceCommand&) = delete;
    CTreePlaceCommand& operator=(const CTreePlaceCommand&) = delete;

    void undo() override;
    void redo() override;
    /// False when the calculation could not be taken out (it was not in the tree).
    bool Done() const { return m_done; }

private:
    void TakeOut();
    void PutBack();

    CCalcTreeView& m_tree;
    CCalculation* m_calc;
    Action m_action;
    bool m_firstRedo = true;
    bool m_done = true;
    std::vector<CDetachedNode> m_out; // out of the tree: the calculation, then the folders it emptied
};

/// A new label for a calculation.
class CTreeRenameCommand : public QUndoCommand
{
public:
    CTreeRenameCommand(CCalcTreeView& tree, CCalculation* calc, std::string label, const QString& text);
    void undo() override;
    void redo() override;

private:
    CCalcTreeView& m_tree;
    CCalculation* m_calc;
    std::string m_before;
    std::string m_after;
};

/// A calculation run again: its inputs, label, report and edited mark before and after, in
/// the clipboard's form. The run itself happened before the command was pushed.
class CTreeRecalculateCommand : public QUndoCommand
{
public:
    CTreeRecalculateCommand(CCalcTreeView& tree, CCalculation* calc, std::vector<unsigned char> before,
                            std::vector<unsigned char> after, const QString& text);
    void undo() override;
    void redo() override;

private:
    CCalcTreeView& m_tree;
    CCalculation* m_calc;
    std::vector<unsigned char> m_before;
    std::vector<unsigned char> m_after;
    bool m_firstRedo = true;
};
