// Tab control model: labels and the current tab, kept pointing at the same tab when others
// are inserted or deleted before it.
#include "TabCtrl.h"

#include <algorithm>

void CTabCtrl::Notify(CTabChange change, int index) const
{
    if (m_onChange)
        m_onChange(change, index);
}

int CTabCtrl::InsertItem(int index, const std::string& label)
{
    if (index < 0)
        return -1;
    const size_t at = std::min(static_cast<size_t>(index), m_labels.size());
    m_labels.insert(m_labels.begin() + static_cast<std::ptrdiff_t>(at), label);
    Notify(CTabChange::Inserted, static_cast<int>(at));
    if (m_current < 0 && m_labels.size() == 1) {
        m_current = 0;
        Notify(CTabChange::Selection, 0);
    } else if (m_current >= static_cast<int>(at)) {
        ++m_current;
        Notify(CTabChange::Selection, m_current);
    }
    return static_cast<int>(at);
}

bool CTabCtrl::DeleteItem(int index)
{
    if (index < 0 || index >= GetItemCount())
        return false;
    m_labels.erase(m_labels.begin() + index);
    Notify(CTabChange::Deleted, index);
    if (m_current == index) {
        m_current = -1;
        Notify(CTabChange::Selection, -1);
    } else if (m_current > index) {
        --m_current;
        Notify(CTabChange::Selection, m_current);
    }
    return true;
}

void CTabCtrl::DeleteAllItems()
{
    while (!m_labels.empty())
        DeleteItem(GetItemCount() - 1);
}

bool CTabCtrl::SetItemText(int index, const std::string& label)
{
    if (index < 0 || index >= GetItemCount())
        return false;
    m_labels[static_cast<size_t>(index)] = label;
    Notify(CTabChange::LabelChanged, index);
    return true;
}

std::string CTabCtrl::GetItemText(int index) const
{
    if (index < 0 || index >= GetItemCount())
        return {};
    return m_labels[static_cast<size_t>(index)];
}

int CTabCtrl::SetCurSel(int index)
{
    if (index < 0 || index >= GetItemCount())
        return -1;
    const int previous = m_current;
    if (index != m_current) {
        m_current = index;
        Notify(CTabChange::Selection, index);
    }
    return previous;
}
