// In-memory views of a document.
#include "MemoryViews.h"

#include "CCalcDoc.h"
#include "CCalcDocNode.h"
#include "CCalculation.h"
#include "Profile.h"

#include <clocale>

CMemoryViews::CMemoryViews(CCalcDoc& doc) : m_doc(doc)
{
    m_doc.SetViews(this);
}

CMemoryViews::~CMemoryViews()
{
    if (m_doc.GetViews() == this)
        m_doc.SetViews(nullptr);
}

void CMemoryViews::OnUpdate()
{
    UpdateTree();
    UpdateResult();
}

void CMemoryViews::UpdateTree()
{
    CCalcDocNode* head = m_doc.GetHead();
    if (!head)
        return;
    // A full fill selects the head; an incremental update selects a calculation it inserts.
    const bool fullFill = !head->OnTree();
    CCalcNodeBase* inserted = nullptr;
    head->Walk([&inserted](CCalcNodeBase& node, int) {
        if (node.OnTree())
            return;
        node.SetTreeHandle(&node);
        if (node.IsCalculation())
            inserted = &node;
    });
    if (fullFill)
        SelectNode(head);
    else if (inserted)
        SelectNode(inserted);
}

void CMemoryViews::UpdateResult()
{
    CCalcNodeBase* selected = m_doc.GetSelectedNode();
    if (m_shown)
        Store();
    if (selected && selected->IsCalculation())
        Load(static_cast<CCalculation*>(selected));
    if (selected)
        m_shown = selected->IsCalculation() ? static_cast<CCalculation*>(selected) : nullptr;
    if (!m_shown) {
        m_text.Clear();
        m_text.Append(GetProfileString("Messages", "01", "Right-click the tree view for a new calculation\n"), 0);
    }
}

void CMemoryViews::ResetTree()
{
    if (CCalcDocNode* head = m_doc.GetHead())
        head->Walk([](CCalcNodeBase& node, int) { node.SetTreeHandle(nullptr); });
}

void CMemoryViews::ResetResult()
{
    m_shown = nullptr;
    m_tracking = false;
}

void CMemoryViews::UpdateCalculation()
{
    if (m_shown)
        Store();
}

void CMemoryViews::InsertPhrase(const std::string& text, unsigned flags)
{
    // Character 7 stands for the list separator: ';' where the decimal point is ',', else ','.
    const char separator = *std::localeconv()->decimal_point == ',' ? ';' : ',';
    std::string shown = text;
    for (char& c : shown) {
        if (c == '\a')
            c = separator;
    }
    m_text.Append(shown, flags);
}

void CMemoryViews::SelectNode(CCalcNodeBase* node)
{
    // Selecting the item already selected changes nothing, as in a tree control.
    if (node && node->OnTree() && node != m_doc.GetSelectedNode())
        m_doc.SetSelectedNode(node);
}

void CMemoryViews::TypeText(const std::string& text)
{
    if (m_tracking && m_shown) {
        m_tracking = false;
        m_shown->Editted(1);
        m_doc.SetModifiedFlag(true);
    }
    m_text.Append(text, 0);
}

void CMemoryViews::Store()
{
    const std::string rtf = m_text.ToRtf();
    m_shown->ClearText();
    m_shown->AppendText(reinterpret_cast<const unsigned char*>(rtf.data()), rtf.size());
}

void CMemoryViews::Load(CCalculation* calc)
{
    std::string rtf;
    unsigned char block[4096];
    calc->ResetReadPos();
    for (long n; (n = calc->StreamIn(block, sizeof block)) > 0;)
        rtf.append(reinterpret_cast<const char*>(block), static_cast<size_t>(n));
    m_text = CRichText::FromRtf(rtf);
    m_tracking = true;
}
