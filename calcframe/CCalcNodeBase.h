// The common base of the calculation tree's nodes: the type code, the label shown in the tree
// and the (opaque) handle of the tree item that shows the node.
#pragma once

#include "CCalcType.h"
#include "CObject.h"

#include <string>

class CArchive;

/// Handle of the tree item that shows a node; owned by the tree view, null while not shown.
using TreeItemHandle = void*;

class CCalcNodeBase : public CObject
{
    DECLARE_SERIAL(CCalcNodeBase)
public:
    CCalcNodeBase();
    ~CCalcNodeBase() override = default;
    CCalcNodeBase(const CCalcNodeBase&) = delete;
    CCalcNodeBase& operator=(const CCalcNodeBase&) = delete;

    const std::string& GetLabel() const { return m_label; }
    void SetLabel(const std::string& label) { m_label = label; }
    int GetLevel() const { return m_type.GetLevel(); }
    CCalcType GetType() const { return m_type; }
    void SetType(int digit0, int digit1, int digit2, int digit3);

    TreeItemHandle GetTreeHandle() const { return m_treeItem; }
    void SetTreeHandle(TreeItemHandle item) { m_treeItem = item; }
    bool OnTree() const { return m_treeItem != nullptr; }

    virtual bool Delete(TreeItemHandle) { return false; }
    virtual bool IsCalculation() const { return false; }
    virtual bool HasSub() const { return false; }

    /// The type's stored form (level, then the four digits), then the label. Loading refuses
    /// a code that breaks the invariant every code the program makes keeps (CCalcType::IsValid):
    /// its level and digits index arrays and choose tree positions.
    void Serialize(CArchive& ar) override;

protected:
    CCalcType m_type;
    std::string m_label;
    TreeItemHandle m_treeItem = nullptr;
};
