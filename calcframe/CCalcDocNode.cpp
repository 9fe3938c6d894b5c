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
    delete m_calc; // a calculation destroys its own chain without recursion
    // Folders still to destroy; each is unlinked first so that its destructor finds no links.
    std::vector<CCalcDocNode*> pending;
    if (m_next)
        pending.push_back(m_next);
    if (m_sub)
        pending.push_back(m_sub);
    while (!pending.empty()) {
        CCalcDocNode* folder = pending.back();
        pending.pop_back();
        if (folder->m_next)
            pending.push_back(folder->m_next);
        if (folder->m_sub)
            pending.push_back(folder->m_sub);
        folder->m_next = nullptr;
        folder->m_sub = nullptr;
        delete folder;
    }
}

void CCalcDocNode::SetLabel()
{
    m_label = FolderLabel(m_type.GetTypeString());
}

void CCalcDocNode::Reset()
{
    m_sub = nullptr;
    m_calc = nullptr;
    m_next = nullptr;
    m_lastCalc = nullptr;
}

CCalcDocNode* CCalcDocNode::NewFolder(const CCalcType& type)
{
    auto* folder = new CCalcDocNode(type);
    folder->SetLabel();
    return folder;
}

void CCalcDocNode::AppendCalc(CCalculation* calc)
{
    if (!m_calc) {
        m_calc = calc;
    } else {
        CCalculation* last = m_lastCalc ? m_lastCalc : m_calc;
        while (last->GetNext())
            last = last->GetNext();
        last->m_next = calc;
    }
    m_lastCalc = calc;
}

bool CCalcDocNode::Add(CCalculation* calc)
{
    if (!calc)
        return false;
    const CCalcType type = calc->GetType();
    if (!type.IsValid())
        return false; // such a code has no folder: the walk below would make folders for ever
    if (type.GetTypeString() == "0000") {
        AppendCalc(calc);
        return true;
    }
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
            node = node->m_sub;
        } else if (type == node->m_type) {
            node->AppendCalc(calc);
            return true;
        } else if (type.GetLevel() > level && type.GetType(level) == node->m_type.GetType(level)) {
            if (!node->m_sub)
                node->m_sub = NewFolder(type.GetPromoted(level + 1));
            node = node->m_sub;
        } else {
            if (!node->m_next)
                node->m_next = NewFolder(type.GetPromoted(level));
            node = node->m_next;
        }
    }
}

bool CCalcDocNode::Delete(TreeItemHandle item)
{
    if (!item)
        return false; // nodes that are not shown all have a null item: it names none of them
    for (CCalcDocNode* node = this; node; node = node->m_next) {
        if (CCalculation* first = node->m_calc) {
            if (first->GetTreeHandle() == item) {
                node->m_lastCalc = nullptr;
                node->m_calc = first->m_next;
                first->m_next = nullptr; // destroyed on its own, not with the rest of the chain
                delete first;
                return true;
            }
            if (first->Delete(item)) {
                node->m_lastCalc = nullptr;
                return true;
            }
        }
        if (CCalcDocNode* sub = node->m_sub) {
            if (sub->GetTreeHandle() == item) {
                if (!sub->IsEmptyFolder())
                    return false;
                node->m_sub = sub->m_next;
                sub->m_next = nullptr;
                delete sub;
                return true;
            }
            if (sub->Delete(item))
                return true;
        }
        if (CCalcDocNode* next = node->m_next) {
            if (next->GetTreeHandle() == item) {
                if (!next->IsEmptyFolder())
                    return false;
                node->m_next = next->m_next;
                next->m_next = nullptr;
                delete next;
                return true;
            }
        }
    }
    return false;
}

bool CCalcDocNode::Detach(CCalcNodeBase* target, CNodePlace& place)
{
    if (!target || target == this)
        return false;
    bool found = false;
    Walk([&](CCalcNodeBase& visited, int) {
        if (found || visited.IsCalculation())
            return;
        auto& folder = static_cast<CCalcDocNode&>(visited);
        if (target->IsCalculation()) {
            CCalculation* before = nullptr;
            for (CCalculation* calc = folder.m_calc; calc; before = calc, calc = calc->m_next) {
                if (calc != target)
                    continue;
                (before ? before->m_next : folder.m_calc) = calc->m_next;
                calc->m_next = nullptr;
                folder.m_lastCalc = nullptr; // it may have been the remembered end of the chain
                place = CNodePlace{&folder, before};
                found = true;
                return;
            }
            return;
        }
        CCalcDocNode* before = nullptr;
        for (CCalcDocNode* sub = folder.m_sub; sub; before = sub, sub = sub->m_next) {
            if (sub != target)
                continue;
            if (!sub->IsEmptyFolder())
                return;
            (before ? before->m_next : folder.m_sub) = sub->m_next;
            sub->m_next = nullptr;
            place = CNodePlace{&folder, before};
            found = true;
            return;
        }
    });
    return found;
}

void CCalcDocNode::Attach(CCalcNodeBase* node, const CNodePlace& place)
{
    CCalcDocNode* folder = place.folder;
    if (!node || !folder)
        return;
    if (node->IsCalculation()) {
        auto* calc = static_cast<CCalculation*>(node);
        auto* before = static_cast<CCalculation*>(place.before);
        CCalculation*& link = before ? before->m_next : folder->m_calc;
        calc->m_next = link;
        link = calc;
        folder->m_lastCalc = nullptr;
        return;
    }
    auto* sub = static_cast<CCalcDocNode*>(node);
    auto* before = static_cast<CCalcDocNode*>(place.before);
    CCalcDocNode*& link = before ? before->m_next : folder->m_sub;
    sub->m_next = link;
    link = sub;
}

void CCalcDocNode::Serialize(CArchive& ar)
{
    // Each next sibling is nested inside the one before it and the sub and calc links follow
    // the innermost: walk the sibling chain forwards for the bases, backwards for the links.
    std::vector<CCalcDocNode*> chain{this};
    CCalcNodeBase::Serialize(ar);
    if (ar.IsStoring()) {
        for (CCalcDocNode* node = this; node->m_next; node = node->m_next) {
            ar.WriteObjectHeader(node->m_next);
            node->m_next->CCalcNodeBase::Serialize(ar);
            chain.push_back(node->m_next);
        }
        ar.WriteObjectHeader(nullptr);
        for (auto it = chain.rbegin(); it != chain.rend(); ++it) {
            ar.WriteObject((*it)->m_sub);
            ar.WriteObject((*it)->m_calc);
        }
        return;
    }
    for (CCalcDocNode* node = this;;) {
        bool isNull = false;
        const CRuntimeClass* runtimeClass = ar.ReadObjectHeader(RUNTIME_CLASS(CCalcDocNode), isNull);
        if (isNull)
            break;
        // Linked at once: if reading fails later, this chain's owner destroys it all.
        node->m_next = static_cast<CCalcDocNode*>(runtimeClass->CreateObject());
        node = node->m_next;
        node->CCalcNodeBase::Serialize(ar);
        chain.push_back(node);
    }
    // Sub-folders nest through ReadObject, whose depth the archive bounds.
    for (auto it = chain.rbegin(); it != chain.rend(); ++it) {
        (*it)->m_sub = static_cast<CCalcDocNode*>(ar.ReadObject(RUNTIME_CLASS(CCalcDocNode)));
        (*it)->m_calc = static_cast<CCalculation*>(ar.ReadObject(RUNTIME_CLASS(CCalculation)));
    }
}

void CCalcDocNode::Walk(const std::function<void(CCalcNodeBase& node, int depth)>& visit, int depth)
{
    for (CCalcDocNode* node = this; node; node = node->m_next) {
        visit(*node, depth);
        for (CCalculation* calc = node->m_calc; calc; calc = calc->GetNext())
            visit(*calc, depth + 1);
        if (node->m_sub)
            node->m_sub->Walk(visit, depth + 1);
    }
}
