// The model of a tab control: labelled tabs and the current one. Changing the selection from
// code notifies nobody (as the native control); a user's click goes through CDialog::UserSelectTab.
#pragma once

#include <functional>
#include <string>
#include <vector>

/// What changed in a tab control, for a host that mirrors it.
enum class CTabChange
{
    Inserted,     // tab `index`
    Deleted,      // tab `index`
    LabelChanged, // tab `index`
    Selection,    // the current tab is now `index` (-1 for none)
};

class CTabCtrl
{
public:
    using ChangeCallback = std::function<void(CTabChange change, int index)>;

    /// Inserts a tab at `index` (appended when past the end); returns its index, -1 when
    /// `index` is negative. The first tab of an empty control becomes the current one.
    int InsertItem(int index, const std::string& label);
    /// Deletes a tab; deleting the current tab leaves no current tab (-1), deleting one before
    /// it keeps the same tab current (its index drops by one).
    bool DeleteItem(int index);
    void DeleteAllItems();
    bool SetItemText(int index, const std::string& label);
    /// The label of tab `index`; empty when out of range.
    std::string GetItemText(int index) const;
    int GetItemCount() const { return static_cast<int>(m_labels.size()); }

    /// The current tab, -1 for none.
    int GetCurSel() const { return m_current; }
    /// Makes `index` current and returns the previous current tab; -1 (and no change) when
    /// `index` is out of range.
    int SetCurSel(int index);

    void SetChangeCallback(ChangeCallback callback) { m_onChange = std::move(callback); }

private:
    void Notify(CTabChange change, int index) const;

    std::vector<std::string> m_labels;
    int m_current = -1;
    ChangeCallback m_onChange;
};
