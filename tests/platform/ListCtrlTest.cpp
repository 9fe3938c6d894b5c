// The report-style list model: rows and cells, the selection across insertions and deletions,
// and the change notices a mirroring host receives.
#include "ListCtrl.h"

#include <gtest/gtest.h>

TEST(ListCtrl, RowsCellsAndSelection)
{
    CListCtrl list;
    EXPECT_EQ(list.InsertItem(0, "no columns yet"), -1);
    EXPECT_EQ(list.InsertColumn(0, "Observed", 148), 0);
    EXPECT_EQ(list.InsertColumn(5, "Expected", 148), 1); // past the end: appended
    EXPECT_EQ(list.InsertItem(0, "1.00"), 0);
    EXPECT_EQ(list.InsertItem(99, "2.00"), 1); // appended
    EXPECT_TRUE(list.SetItemText(1, 1, "4.00"));
    EXPECT_FALSE(list.SetItemText(2, 0, "x"));
    EXPECT_FALSE(list.SetItemText(0, 2, "x"));
    EXPECT_EQ(list.GetItemText(0, 1), "");
    EXPECT_EQ(list.GetItemText(1, 1), "4.00");
    EXPECT_EQ(list.GetItemText(7, 0), "");

    list.SelectRow(1);
    EXPECT_EQ(list.InsertItem(0, "0.50"), 0); // above the selection: it moves down
    EXPECT_EQ(list.GetSelectedRow(), 2);
    EXPECT_TRUE(list.DeleteItem(0));
    EXPECT_EQ(list.GetSelectedRow(), 1);
    EXPECT_EQ(list.GetItemText(1, 0), "2.00");
    EXPECT_TRUE(list.DeleteItem(1)); // the selected row itself
    EXPECT_EQ(list.GetSelectedRow(), -1);
    EXPECT_FALSE(list.DeleteItem(1));
    list.SelectRow(5);
    EXPECT_EQ(list.GetSelectedRow(), -1);
    EXPECT_TRUE(list.EnsureVisible(0));
    EXPECT_FALSE(list.EnsureVisible(1));
    list.DeleteAllItems();
    EXPECT_EQ(list.GetItemCount(), 0);
    EXPECT_EQ(list.GetColumnCount(), 2);
}

TEST(ListCtrl, NotifiesAMirroringHost)
{
    CListCtrl list;
    std::vector<std::tuple<CListChange, int, int>> changes;
    list.SetChangeCallback([&](CListChange change, int row, int col) { changes.emplace_back(change, row, col); });
    list.InsertColumn(0, "A", 10);
    list.InsertItem(0, "x");
    list.SetItemText(0, 0, "y");
    list.SelectRow(0);
    list.SelectRow(0); // no change, no notice
    list.DeleteItem(0);
    const std::vector<std::tuple<CListChange, int, int>> expected{
        {CListChange::ColumnInserted, -1, 0}, {CListChange::RowInserted, 0, -1}, {CListChange::TextChanged, 0, 0},
        {CListChange::Selection, 0, -1},      {CListChange::RowDeleted, 0, -1},
    };
    EXPECT_EQ(changes, expected);
}
