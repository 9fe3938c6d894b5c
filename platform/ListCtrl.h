// The model of a list control in report style: columns, rows of cell texts, one selected row.
// Dialogs work on it; the Qt host mirrors it into a table widget through the change callback.
#pragma once

#include <functional>
#include <string>
#include <vector>

/// What changed in a list, for a host that mirrors it.
enum class CListChange
{
    ColumnInserted, // column `col`
    RowInserted,    // row `row`
    RowDeleted,     // row `row`
    AllDeleted,
    TextChanged, // cell (`row`, `col`)
    Selection,   // the selected row is now `row` (-1 for none)
    EnsureVisible,
};

class CListCtrl
{
public:
    /// Viewport width when no host supplies one (the headless hosts).
    static constexpr int kDefaultWidth = 300;

    struct CColumn
    {
        std::string header;
        int width = 0;
    };
    using ChangeCallback = std::function<void(CListChange change, int row, int col)>;

    /// Inserts a column at `col` (appended when past the end); returns its index.
    int InsertColumn(int col, const std::string& header, int width);
    int GetColumnCount() const { return static_cast<int>(m_columns.size()); }
    const CColumn& GetColumn(int col) const { return m_columns.at(static_cast<size_t>(col)); }

    /// Inserts a row whose first cell is `text` at `row` (appended when past the end, as the
    /// control does); returns the row's index, -1 when `row` is negative or no column exists.
    int InsertItem(int row, const std::string& text);
    /// Sets cell (row, col); false when either is out of range.
    bool SetItemText(int row, int col, const std::string& text);
    /// The text of cell (row, col); empty when either is out of range.
    std::string GetItemText(int row, int col) const;
    int GetItemCount() const { return static_cast<int>(m_rows.size()); }
    bool DeleteItem(int row);
    void DeleteAllItems();

    /// The selected row, -1 for none.
    int GetSelectedRow() const { return m_selected; }
    /// Selects `row`; -1 (or any row out of range) clears the selection.
    void SelectRow(int row);
    /// Scrolls `row` into view (the model remembers the last such row).
    bool EnsureVisible(int row);
    int GetLastEnsuredVisible() const { return m_ensuredVisible; }

    /// Width of the list's viewport in pixels: the Qt host sets the real one before the
    /// dialog's OnInitDialog runs; column widths are this divided by the number of columns.
    int GetViewportWidth() const { return m_viewportWidth; }
    void SetViewportWidth(int width) { m_viewportWidth = width; }

    void SetChangeCallback(ChangeCallback callback) { m_onChange = std::move(callback); }

private:
    void Notify(CListChange change, int row, int col) const;

    std::vector<CColumn> m_columns;
    std::vector<std::vector<std::string>> m_rows; // each row holds one text per column
    int m_selected = -1;
    int m_ensuredVisible = -1;
    int m_viewportWidth = kDefaultWidth;
    ChangeCallback m_onChange;
};
