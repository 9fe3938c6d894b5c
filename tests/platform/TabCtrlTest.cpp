// The tab control model: the current tab across insertions and deletions.
#include "TabCtrl.h"

#include <gtest/gtest.h>

TEST(TabCtrl, CurrentTabFollowsInsertionsAndDeletions)
{
    CTabCtrl tabs;
    EXPECT_EQ(tabs.GetCurSel(), -1);
    EXPECT_EQ(tabs.InsertItem(0, "Stratum 1"), 0);
    EXPECT_EQ(tabs.GetCurSel(), 0); // the first tab becomes current
    EXPECT_EQ(tabs.InsertItem(9, "Stratum 2"), 1);
    EXPECT_EQ(tabs.InsertItem(2, "Stratum 3"), 2);
    EXPECT_EQ(tabs.GetCurSel(), 0);
    EXPECT_EQ(tabs.SetCurSel(2), 0);
    EXPECT_EQ(tabs.SetCurSel(3), -1);
    EXPECT_EQ(tabs.GetCurSel(), 2);

    // Removing the current stratum as the dialog does: select a neighbour, then delete.
    tabs.SetCurSel(1);
    EXPECT_TRUE(tabs.DeleteItem(0));
    EXPECT_EQ(tabs.GetCurSel(), 0);
    EXPECT_EQ(tabs.GetItemText(0), "Stratum 2");
    EXPECT_TRUE(tabs.SetItemText(0, "Women"));
    EXPECT_EQ(tabs.GetItemText(0), "Women");
    EXPECT_TRUE(tabs.DeleteItem(0)); // the current tab itself: none is current
    EXPECT_EQ(tabs.GetCurSel(), -1);
    EXPECT_EQ(tabs.GetItemCount(), 1);
    EXPECT_FALSE(tabs.DeleteItem(1));
    EXPECT_EQ(tabs.GetItemText(4), "");
    EXPECT_EQ(tabs.InsertItem(-1, "x"), -1);
}

TEST(TabCtrl, NotifiesAMirroringHost)
{
    CTabCtrl tabs;
    std::vector<std::pair<CTabChange, int>> changes;
    tabs.SetChangeCallback([&](CTabChange change, int index) { changes.emplace_back(change, index); });
    tabs.InsertItem(0, "a");
    tabs.InsertItem(0, "b"); // before the current tab: it moves to 1
    tabs.SetCurSel(1);       // already current: no notice
    tabs.DeleteAllItems();
    const std::vector<std::pair<CTabChange, int>> expected{
        {CTabChange::Inserted, 0}, {CTabChange::Selection, 0},  {CTabChange::Inserted, 0}, {CTabChange::Selection, 1},
        {CTabChange::Deleted, 1},  {CTabChange::Selection, -1}, {CTabChange::Deleted, 0},
    };
    EXPECT_EQ(changes, expected);
}
