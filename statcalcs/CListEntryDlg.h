// The input dialog of the calculations that take a variable number of rows: entry fields, Add,
// Remove and a report-style list (1034) with one column per entry field.
#pragma once

#include "CCalcDlg.h"
#include "ListCtrl.h"

#include <string>
#include <vector>

/// The texts of list rows, one string per column.
using CRowTexts = std::vector<std::string>;

/// What differs between the list-entry dialogs.
struct CListEntrySetup
{
    std::vector<int> entryIds;           // the entry fields, one per column, in column order
    std::vector<std::string> headerKeys; // `Terms` keys of the column headers
    int minRows = 2;                     // fewest rows OK accepts
    std::string messageKey;              // `Messages` key shown when there are fewer
};

class CListEntryDlg : public CCalcDlg
{
public:
    CListEntryDlg(const CDialogTemplate& dialogTemplate, CListEntrySetup setup);

protected:
    /// The shared texts, the dialog's own labels (SetEntryLabels), the columns (each as wide as
    /// the list less 4, divided among the columns), the stored rows, and the last row's texts in
    /// the entry fields (empty fields when there is none).
    bool OnInitDialog() override;
    /// Add (1032) and Remove (1033).
    void OnButton(int id) override;
    /// Refuses fewer rows than the minimum (the `Messages` text, focus on the first entry
    /// field, the dialog stays open); otherwise reads every row back whole (ReadRows) and runs
    /// the standard OK, which also validates the entry fields.
    void OnOK() override;

    /// Sets the labels of the entry fields from the vocabulary.
    virtual void SetEntryLabels() = 0;
    /// The rows as the dialog shows them when it opens, in stored order.
    virtual std::vector<CRowTexts> StoredRowTexts() const = 0;
    /// The row to add, formed from the entry members just exchanged and validated.
    virtual CRowTexts AddedRowTexts() const = 0;
    /// Adds the validated entry as a row; returns the row to scroll into view. The base appends
    /// AddedRowTexts() at the end of the list.
    virtual int AddEntryRow();
    /// Row `row` was removed from the list.
    virtual void RowRemoved(int row) { (void)row; }
    /// Stores the list's rows, read back cell by cell, in list order.
    virtual void ReadRows(const std::vector<CRowTexts>& rows) = 0;

    /// Appends a row with these cell texts; returns its index.
    int AppendRow(const CRowTexts& texts);
    CListCtrl& List() { return *GetListCtrl(kIdList); }
    int FirstEntryId() const { return m_setup.entryIds.front(); }

private:
    void OnAdd();
    void OnRemove();

    CListEntrySetup m_setup;
};

/// Parses a list cell as plain strtod does (under the C locale's or the user's decimal point):
/// a trailing "%" or other text after the number is ignored; no number reads as 0.
double ListCellDouble(const std::string& text);
