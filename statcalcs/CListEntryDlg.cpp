// The shared mechanism of the list-entry dialogs: columns and stored rows on opening, Add with
// validation, Remove with a beep when nothing is selected, and OK reading the rows back.
#include "CListEntryDlg.h"

#include "Profile.h"
#include "Vocabulary.h"

#include <cstdlib>

CListEntryDlg::CListEntryDlg(const CDialogTemplate& dialogTemplate, CListEntrySetup setup)
    : CCalcDlg(dialogTemplate), m_setup(std::move(setup))
{}

bool CListEntryDlg::OnInitDialog()
{
    CCalcDlg::OnInitDialog();
    SetEntryLabels();
    CListCtrl& list = List();
    const int columns = static_cast<int>(m_setup.headerKeys.size());
    const int width = (list.GetViewportWidth() - 4) / columns;
    for (int col = 0; col < columns; ++col)
        list.InsertColumn(col, TermText(m_setup.headerKeys[static_cast<size_t>(col)]), width);
    const std::vector<CRowTexts> rows = StoredRowTexts();
    for (const CRowTexts& row : rows)
        AppendRow(row);
    for (size_t i = 0; i < m_setup.entryIds.size(); ++i)
        SetDlgItemText(m_setup.entryIds[i], rows.empty() ? std::string() : rows.back().at(i));
    return true;
}

void CListEntryDlg::OnButton(int id)
{
    if (id == kIdAdd)
        OnAdd();
    else if (id == kIdRemove)
        OnRemove();
}

int CListEntryDlg::AppendRow(const CRowTexts& texts)
{
    CListCtrl& list = List();
    const int row = list.InsertItem(list.GetItemCount(), texts.at(0));
    for (size_t col = 1; col < texts.size(); ++col)
        list.SetItemText(row, static_cast<int>(col), texts[col]);
    return row;
}

int CListEntryDlg::AddEntryRow()
{
    return AppendRow(AddedRowTexts());
}

void CListEntryDlg::OnAdd()
{
    // An entry that does not pass its checks has its prompt shown and adds nothing.
    if (!UpdateData(true))
        return;
    const int row = AddEntryRow();
    GotoDlgCtrl(FirstEntryId());
    List().EnsureVisible(row);
}

void CListEntryDlg::OnRemove()
{
    CListCtrl& list = List();
    const int row = list.GetSelectedRow();
    if (row < 0) {
        UIServices().Beep(440, 100);
        return;
    }
    list.DeleteItem(row);
    RowRemoved(row);
}

void CListEntryDlg::OnOK()
{
    CListCtrl& list = List();
    if (list.GetItemCount() < m_setup.minRows) {
        AfxMessageBox(GetProfileString("Messages", m_setup.messageKey, m_setup.messageKey));
        GotoDlgCtrl(FirstEntryId());
        return;
    }
    // Each cell is read whole: a count typed as "0000001234" stays 1234.
    std::vector<CRowTexts> rows(static_cast<size_t>(list.GetItemCount()));
    for (int row = 0; row < list.GetItemCount(); ++row) {
        for (int col = 0; col < list.GetColumnCount(); ++col)
            rows[static_cast<size_t>(row)].push_back(list.GetItemText(row, col));
    }
    ReadRows(rows);
    CCalcDlg::OnOK();
}

double ListCellDouble(const std::string& text)
{
    return std::strtod(text.c_str(), nullptr);
}
