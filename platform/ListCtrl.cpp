// Report-style list model: rows keep one text per column, the selection follows insertions and
// deletions of the rows above it.
#include "ListCtrl.h"

#include <algorithm>

void CListCtrl::Notify(CListChange change, int row, int col) const
{
    if (m_onChange)
        m_onChange(change, row, col);
}

int CListCtrl::InsertColumn(int col, const std::string& header, int width)
{
    if (col < 0)
        return -1;
    const size_t at = std::min(static_cast<size_t>(col), m_columns.size());
    m_columns.insert(m_columns.begin() + static_cast<std::ptrdiff_t>(at), CColumn{header, width});
    for (std::vector<std::string>& cells : m_rows)
        cells.insert(cells.begin() + static_cast<std::ptrdiff_t>(at), std::string());
    Notify(CListChange::ColumnInserted, -1, static_cast<int>(at));
    return static_cast<int>(at);
}

int CListCtrl::InsertItem(int row, const std::string& text)
{
    if (row < 0 || m_columns.empty())
        return -1;
    const size_t at = std::min(static_cast<size_t>(row), m_rows.size());
    std::vector<std::string> cells(m_columns.size());
    cells[0] = text;
    m_rows.insert(m_rows.begin() + static_cast<std::ptrdiff_t>(at), std::move(cells));
    if (m_selected >= static_cast<int>(at))
        ++m_selected;
    Notify(CListChange::RowInserted, static_cast<int>(at), -1);
    return static_cast<int>(at);
}

bool CListCtrl::SetItemText(int row, int col, const std::string& text)
{
    if (row < 0 || row >= GetItemCount() || col < 0 || col >= GetColumnCount())
        return false;
    m_rows[static_cast<size_t>(row)][static_cast<size_t>(col)] = text;
    Notify(CListChange::TextChanged, row, col);
    return true;
}

std::string CListCtrl::GetItemText(int row, int col) const
{
    if (row < 0 || row >= GetItemCount() || col < 0 || col >= GetColumnCount())
        return {};
    return m_rows[static_cast<size_t>(row)][static_cast<size_t>(col)];
}

bool CListCtrl::DeleteItem(int row)
{
    if (row < 0 || row >= GetItemCount())
        return false;
    m_rows.erase(m_rows.begin() + row);
    if (m_selected == row)
        m_selected = -1;
    else if (m_selected > row)
        --m_selected;
    if (m_ensuredVisible >= GetItemCount())
        m_ensuredVisible = -1;
    Notify(CListChange::RowDeleted, row, -1);
    return true;
}

void CListCtrl::DeleteAllItems()
{
    m_rows.clear();
    m_selected = -1;
    m_ensuredVisible = -1;
    Notify(CListChange::AllDeleted, -1, -1);
}

void CListCtrl::SelectRow(int row)
{
    const int selected = (row >= 0 && row < GetItemCount()) ? row : -1;
    if (selected == m_selected)
        return;
    m_selected = selected;
    Notify(CListChange::Selection, selected, -1);
}

bool CListCtrl::EnsureVisible(int row)
{
    if (row < 0 || row >= GetItemCount())
        return false;
    m_ensuredVisible = row;
    Notify(CListChange::EnsureVisible, row, -1);
    return true;
}
