// A folder node of the calculation tree: a group or type of calculations, with its first
// sub-folder, its first calculation and its next sibling folder.
#pragma once

#include "CCalcNodeBase.h"

#include <functional>
#include <memory>

class CCalcDocNode;
class CCalculation;

/// Where a node sat before it was detached: the folder that held it and the node just before it
/// in the same chain (null when it was the first). A calculation's chain is its folder's
/// calculations; a folder's chain is its parent's sub-folders.
struct CNodePlace
{
    CCalcDocNode* folder = nullptr;
    CCalcNodeBase* before = nullptr;
};

class CCalcDocNode : public CCalcNodeBase
{
    DECLARE_SERIAL(CCalcDocNode)
public:
    /// Type "0000", label "Unlabelled", no links (used when loading).
    CCalcDocNode();
    /// As the default, then the type; the label stays "Unlabelled" until SetLabel().
    explicit CCalcDocNode(const CCalcType& type);
    /// Destroys the calculation chain, the next siblings and the sub-folders (without recursion).
    ~CCalcDocNode() override;

    /// Files the calculation below this node (called on the head), creating the folders its
    /// type needs on the way down, and returns it. Null for null or an invalid type code: then
    /// nothing in the tree changed and the calculation is destroyed.
    CCalculation* Add(std::unique_ptr<CCalculation> calc);
    CCalculation* GetCalc() const { return m_calc.get(); }
    CCalcDocNode* GetSub() const { return m_sub.get(); }
    CCalcDocNode* GetNext() const { return m_next.get(); }
    bool HasSub() const override { return m_sub != nullptr; }
    bool IsCalculation() const override { return false; }

    using CCalcNodeBase::SetLabel;
    /// Label from the vocabulary: Labels/<type string>, "Corrupt .INI file" when missing.
    void SetLabel();

    /// Removes the node shown by `item` from this subtree: a calculation, or a folder that holds
    /// nothing. False when the item is not found, is null, or names a folder that is not empty.
    bool Delete(TreeItemHandle item) override;

    /// Takes a calculation, or a folder that holds nothing, out of this subtree without
    /// destroying it (called on the head) and hands it to the caller, with where it sat in
    /// `place`. Null (nothing changed) when the node is not found below this one, or is a
    /// folder that is not empty.
    std::unique_ptr<CCalcNodeBase> Detach(CCalcNodeBase* target, CNodePlace& place);
    /// Puts a detached node back at its place, which must still exist as it was left, and the
    /// tree owns it again. A place without a folder takes nothing: the node comes back.
    static std::unique_ptr<CCalcNodeBase> Attach(std::unique_ptr<CCalcNodeBase> node, const CNodePlace& place);

    /// Base, then next, sub and calc as objects; next siblings are walked in a loop.
    void Serialize(CArchive& ar) override;

    /// Visits this folder, its calculations and everything below it depth first: each folder,
    /// then its calculations in chain order, then its sub-folders; `depth` counts from 0 at
    /// this node. Sibling chains are walked in loops; only the (bounded) nesting recurses.
    void Walk(const std::function<void(CCalcNodeBase& node, int depth)>& visit, int depth = 0);

private:
    CCalculation* AppendCalc(std::unique_ptr<CCalculation> calc);
    bool IsEmptyFolder() const { return !m_sub && !m_calc; }
    static std::unique_ptr<CCalcDocNode> NewFolder(const CCalcType& type);

    std::unique_ptr<CCalcDocNode> m_sub;
    std::unique_ptr<CCalculation> m_calc;
    std::unique_ptr<CCalcDocNode> m_next;
    /// A calculation of this folder's chain at or before its end, null when not known: filing
    /// starts the search for the end there, so adding n calculations costs time linear in n.
    /// Every removal from the chain goes through Delete, which forgets it.
    CCalculation* m_lastCalc = nullptr;
};
