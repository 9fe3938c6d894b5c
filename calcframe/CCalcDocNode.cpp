// A folder node: filing of new calculations, removal of nodes, and the folder's stored form.
#include "CCalcDocNode.h"

#include "CArchive.h"
#include "CCalculation.h"
#include "Vocabulary.h"

#include <vector>

IMPLEMENT_SERIAL(CCalcDocNode, CCalcNodeBase, 0)

CCalcDocNode::CCalcDocNode() = default;

CCalcDocNode::CCalcDocNode(const CCalcType& type)
{
    m_type = type;
}

CCalcDocNode::~CCalcDocNode()
{
    m_calc.reset(); // a calculation destroys its own chain without recursion
    // Folders still to destroy, each taken off its links first so that its destructor finds
    // none: the nesting and the sibling chains are walked here, not by recursion.
    std::vector<std::unique_ptr<CCalcDocNode>> pending;
    if (m_next)
        pending.push_back(std::move(m_next));
    if (m_sub)
        pending.push_back(std::move(m_sub));
    while (!pending.empty()) {
        std::unique_ptr<CCalcDocNode> folder = std::move(pending.back());
        pending.pop_back();
        if (folder->m_next)
            pending.push_back(std::move(folder->m_next));
        if (folder->m_sub)
            pending.push_back(std::move(folder->m_sub));
    }
}

void CCalcDocNode::SetLabel()
{
    m_label = FolderLabel(m_type.GetTypeString());
}

std::unique_ptr<CCalcDocNode> CCalcDocNode::NewFolder(const CCalcType& type)
{
    auto folder = std::make_unique<CCalcDocNode>(type);
    folder->SetLabel();
    return folder;
}

CCalculation* CCalcDocNode::AppendCalc(std::unique_ptr<CCalculation> calc)
{
    CCalculation* added = calc.get();
    if (!m_calc) {
        m_calc = std::move(calc);
    } else {
        CCalculation* last = m_lastCalc ? m_lastCalc : m_calc.get();
        while (last->GetNext())
            last = last->GetNext();
        last->m_next = std::move(calc);
    }
    m_lastCalc = added;
    return added;
}

CCalculation* CCalcDocNode::Add(std::unique_ptr<CCalculation> calc)
{
    if (!calc)
        return nullptr;
    const CCalcType type = calc->GetType();
    if (!type.IsValid())
        return nullptr; // such a code has no folder: the walk below would make folders for ever
    if (type.GetTypeString() == "0000")
        return AppendCalc(std::move(calc));
    // Walk down (sub) and across (next), creating each missing folder on the way, until the
    // folder of the calculation's own type is reached. Every step either ends or moves to a
    // node one link further, and for a valid code the folders created lead to that type, so
    // the walk ends.
    CCalcDocNode* node = this;
    for (;;) {
        const int level = node->GetLevel();
        if (level == -1) {
            if (!node->m_sub)
                node->m_sub = NewFolder(type.GetPromoted(0));
            node = node->m_sub.get();
        } else if (type == node->m_type) {
            return node->AppendCalc(std::move(calc));
        } else if (type.GetLevel() > level && type.GetType(level) == node->m_type.GetType(level)) {
            if (!node->m_sub)
                node->m_sub = NewFolder(type.GetPromoted(level + 1));
            node = node->m_sub.get();
        } else {
            if (!node->m_next)
                node->m_next = NewFolder(type.GetPromoted(level));
            node = node->m_next.get();
        }
    }
}

bool CCalcDocNode::Delete(TreeItemHandle item)
{
    if (!item)
        return false; // nodes that are not shown all have a null item: it names none of them
    for (CCalcDocNode* node = this; node; node = node->m_next.get()) {
        if (CCalculation* first = node->m_calc.get()) {
            if (first->GetTreeHandle() == item) {
                node->m_lastCalc = nullptr;
                const std::unique_ptr<CCalculation> gone = std::move(node->m_calc);
                node->m_calc = gone->TakeNext(); // the rest of the chain stays
                return true;
            }
            if (first->Delete(item)) {
                node->m_lastCalc = nullptr;
                return true;
            }
        }
        if (CCalcDocNode* sub = node->m_sub.get()) {
            if (sub->GetTreeHandle() == item) {
                if (!sub->IsEmptyFolder())
                    return false;
                const std::unique_ptr<CCalcDocNode> gone = std::move(node->m_sub);
                node->m_sub = std::move(gone->m_next);
                return true;
            }
            if (sub->Delete(item))
                return true;
        }
        if (CCalcDocNode* next = node->m_next.get()) {
            if (next->GetTreeHandle() == item) {
                if (!next->IsEmptyFolder())
                    return false;
                const std::unique_ptr<CCalcDocNode> gone = std::move(node->m_next);
                node->m_next = std::move(gone->m_next);
                return true;
            }
        }
    }
    return false;
}

std::unique_ptr<CCalcNodeBase> CCalcDocNode::Detach(CCalcNodeBase* target, CNodePlace& place)
{
    if (!target || target == this)
        return nullptr;
    std::unique_ptr<CCalcNodeBase> taken;
    Walk([&](CCalcNodeBase& visited, int) {
        if (taken || visited.IsCalculation())
            return;
        auto& folder = static_cast<CCalcDocNode&>(visited);
        if (target->IsCalculation()) {
            CCalculation* before = nullptr;
            for (std::unique_ptr<CCalculation>* link = &folder.m_calc; *link; link = &(*link)->m_next) {
                if (link->get() != target) {
                    before = link->get();
                    continue;
                }
                std::unique_ptr<CCalculation> calc = std::move(*link);
                *link = calc->TakeNext();
                folder.m_lastCalc = nullptr; // it may have been the remembered end of the chain
                place = CNodePlace{&folder, before};
                taken = std::move(calc);
                return;
            }
            return;
        }
        CCalcDocNode* before = nullptr;
        for (std::unique_ptr<CCalcDocNode>* link = &folder.m_sub; *link; link = &(*link)->m_next) {
            if (link->get() != target) {
                before = link->get();
                continue;
            }
            if (!(*link)->IsEmptyFolder())
                return;
            std::unique_ptr<CCalcDocNode> sub = std::move(*link);
            *link = std::move(sub->m_next);
            place = CNodePlace{&folder, before};
            taken = std::move(sub);
            return;
        }
    });
    return taken;
}

std::unique_ptr<CCalcNodeBase> CCalcDocNode::Attach(std::unique_ptr<CCalcNodeBase> node, const CNodePlace& place)
{
    CCalcDocNode* folder = place.folder;
    if (!node || !folder)
        return node;
    if (node->IsCalculation()) {
        std::unique_ptr<CCalculation> calc(static_cast<CCalculation*>(node.release()));
        auto* before = static_cast<CCalculation*>(place.before);
        std::unique_ptr<CCalculation>& link = before ? before->m_next : folder->m_calc;
        calc->m_next = std::move(link);
        link = std::move(calc);
        folder->m_lastCalc = nullptr;
        return nullptr;
    }
    std::unique_ptr<CCalcDocNode> sub(static_cast<CCalcDocNode*>(node.release()));
    auto* before = static_cast<CCalcDocNode*>(place.before);
    std::unique_ptr<CCalcDocNode>& link = before ? before->m_next : folder->m_sub;
    sub->m_next = std::move(link);
    link = std::move(sub);
    return nullptr;
}

void CCalcDocNode::Serialize(CArchive& ar)
{
    // Each next sibling is nested inside the one before it and the sub and calc links follow
    // the innermost: walk the sibling chain forwards for the bases, backwards for the links.
    std::vector<CCalcDocNode*> chain{this};
    CCalcNodeBase::Serialize(ar);
    if (ar.IsStoring()) {
        for (CCalcDocNode* node = this; node->m_next; node = node->m_next.get()) {
            ar.WriteObjectHeader(node->m_next.get());
            node->m_next->CCalcNodeBase::Serialize(ar);
            chain.push_back(node->m_next.get());
        }
        ar.WriteObjectHeader(nullptr);
        for (size_t i = chain.size(); i-- > 0;) {
            ar.WriteObject(chain[i]->m_sub.get());
            ar.WriteObject(chain[i]->m_calc.get());
        }
        return;
    }
    for (CCalcDocNode* node = this;;) {
        bool isNull = false;
        const CRuntimeClass* runtimeClass = ar.ReadObjectHeader(RUNTIME_CLASS(CCalcDocNode), isNull);
        if (isNull)
            break;
        // Linked at once: if reading fails later, this chain's owner destroys it all.
        node->m_next.reset(static_cast<CCalcDocNode*>(runtimeClass->CreateObject()));
        node = node->m_next.get();
        node->CCalcNodeBase::Serialize(ar);
        chain.push_back(node);
    }
    // Sub-folders nest through ReadObject, whose depth the archive bounds.
    for (size_t i = chain.size(); i-- > 0;) {
        chain[i]->m_sub.reset(static_cast<CCalcDocNode*>(ar.ReadObject(RUNTIME_CLASS(CCalcDocNode))));
        chain[i]->m_calc.reset(static_cast<CCalculation*>(ar.ReadObject(RUNTIME_CLASS(CCalculation))));
    }
}

void CCalcDocNode::Walk(const std::function<void(CCalcNodeBase& node, int depth)>& visit, int depth)
{
    for (CCalcDocNode* node = this; node; node = node->m_next.get()) {
        visit(*node, depth);
        for (CCalculation* calc = node->m_calc.get(); calc; calc = calc->GetNext())
            visit(*calc, depth + 1);
        if (node->m_sub)
            node->m_sub->Walk(visit, depth + 1);
    }
}
