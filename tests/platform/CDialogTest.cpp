// The dialog model: command dispatch, focus rules, user input entry points, change
// notifications, list and tab models by id.
#include "CDialog.h"

#include "ExampleDialog.h"
#include "UIServices.h"

#include <gtest/gtest.h>

namespace
{
class CCommandDlg : public CExampleDlg
{
public:
    void OnButton(int id) override { m_buttons.push_back(id); }
    std::vector<int> m_buttons;
};

class DialogTest : public ::testing::Test
{
protected:
    void SetUp() override { SetUIServices(&m_ui); }
    void TearDown() override { SetUIServices(nullptr); }
    CHeadlessUIServices m_ui;
};
} // namespace

TEST_F(DialogTest, OpensWithTemplateTextsAndFocusOnTheFirstField)
{
    CExampleDlg dlg;
    EXPECT_EQ(dlg.GetWindowText(), "Example");
    EXPECT_EQ(dlg.GetDlgItemText(1111), "Sample size:");
    EXPECT_EQ(dlg.IsDlgButtonChecked(1020), 1); // a group starts with its first button checked
    dlg.BeginModal();
    EXPECT_EQ(dlg.GetFocusId(), 1022);
    EXPECT_FALSE(dlg.IsEnded());
    dlg.SetWindowText("Describe - Proportion");
    EXPECT_EQ(dlg.GetWindowText(), "Describe - Proportion");
}

TEST_F(DialogTest, CommandsGoToOkCancelOrTheButtonHook)
{
    CCommandDlg dlg;
    dlg.BeginModal();
    EXPECT_TRUE(dlg.UserClick(1021)); // a radio click is a command too
    EXPECT_EQ(dlg.m_buttons, std::vector<int>{1021});
    EXPECT_EQ(dlg.GetCheckedRadioButton(1020, 1021), 1021);
    dlg.OnCommand(IDOK); // size 0 is out of range: refused, stays open
    EXPECT_FALSE(dlg.IsEnded());
    dlg.SetDlgItemText(1024, "5");
    dlg.OnCommand(IDOK);
    EXPECT_TRUE(dlg.IsEnded());
    EXPECT_EQ(dlg.GetResult(), IDOK);
    EXPECT_EQ(dlg.m_level, 1);

    CCommandDlg cancelled;
    cancelled.BeginModal();
    cancelled.SetDlgItemText(1024, "5");
    cancelled.OnCommand(IDCANCEL);
    EXPECT_EQ(cancelled.GetResult(), IDCANCEL);
    EXPECT_EQ(cancelled.m_size, 0u); // Cancel exchanges nothing
}

TEST_F(DialogTest, DisabledOrHiddenControlsRefuseUserInputAndPassTheFocusOn)
{
    CExampleDlg dlg;
    dlg.BeginModal();
    dlg.EnableWindow(1022, false);
    EXPECT_FALSE(dlg.IsWindowEnabled(1022));
    EXPECT_EQ(dlg.GetFocusId(), 1023); // the next control in tab order
    EXPECT_FALSE(dlg.UserSetText(1022, "x"));
    EXPECT_EQ(dlg.GetDlgItemText(1022), "");
    dlg.GotoDlgCtrl(1022); // cannot take the focus
    EXPECT_EQ(dlg.GetFocusId(), 1023);
    dlg.ShowWindow(2, false);
    EXPECT_FALSE(dlg.UserClick(2));
    EXPECT_FALSE(dlg.IsEnded());
    EXPECT_FALSE(dlg.UserSetText(1105, "a label")); // statics take no typing
    EXPECT_FALSE(dlg.UserSetCheck(1021, false));    // a radio button cannot be unchecked
    EXPECT_TRUE(dlg.GetUnknownIds().empty());
    dlg.SetDlgItemText(4711, "x");
    EXPECT_EQ(dlg.GetUnknownIds(), std::vector<int>{4711});
}

TEST_F(DialogTest, ReportsEachChangeOnceForAMirroringHost)
{
    CExampleDlg dlg;
    std::vector<std::pair<CDialogChange, int>> changes;
    dlg.SetChangeCallback([&](CDialogChange change, int id) { changes.emplace_back(change, id); });
    dlg.SetDlgItemText(1023, "1");
    dlg.SetDlgItemText(1023, "1"); // unchanged: no notice
    dlg.CheckDlgButton(1021, 1);
    dlg.EndDialog(IDCANCEL);
    const std::vector<std::pair<CDialogChange, int>> expected{{CDialogChange::Text, 1023},
                                                              {CDialogChange::Check, 1020},
                                                              {CDialogChange::Check, 1021},
                                                              {CDialogChange::Ended, 0}};
    EXPECT_EQ(changes, expected);
}

namespace
{
class CRowsDlg : public CDialog
{
public:
    CRowsDlg()
        : CDialog(CDialogTemplate{902,
                                  "Rows",
                                  {TabCtl(1094, 0, 0), NumberEditCtl(1066, 1, 0), UpDownCtl(1068, 1066, 1, 1),
                                   ListCtl(1034, 2, 0), ButtonCtl(1033, "Remove", 3, 0).Disabled()}})
    {}
    bool OnInitDialog() override
    {
        CDialog::OnInitDialog();
        GetTabCtrl(1094)->InsertItem(0, "Stratum 1");
        GetTabCtrl(1094)->InsertItem(1, "Stratum 2");
        SetRange(1068, 1, 10);
        return true;
    }
    void OnTabSelChange(int tabId) override { m_tabChanges.push_back(GetTabCtrl(tabId)->GetCurSel()); }
    std::vector<int> m_tabChanges;
};
} // namespace

TEST_F(DialogTest, ListTabAndUpDownControlsByUserInput)
{
    CRowsDlg dlg;
    dlg.BeginModal();
    EXPECT_EQ(dlg.GetListCtrl(1094), nullptr);
    EXPECT_EQ(dlg.GetTabCtrl(1034), nullptr);
    ASSERT_NE(dlg.GetListCtrl(1034), nullptr);
    EXPECT_EQ(dlg.GetListCtrl(1034)->GetViewportWidth(), CListCtrl::kDefaultWidth);
    EXPECT_FALSE(dlg.UserClick(1033)); // disabled in the template

    EXPECT_TRUE(dlg.UserSelectTab(1094, 1));
    EXPECT_TRUE(dlg.UserSelectTab(1094, 1)); // already current: no notice
    EXPECT_FALSE(dlg.UserSelectTab(1094, 2));
    dlg.GetTabCtrl(1094)->SetCurSel(0); // from code: no notice
    EXPECT_EQ(dlg.m_tabChanges, std::vector<int>{1});

    CListCtrl& list = *dlg.GetListCtrl(1034);
    list.InsertColumn(0, "x", 100);
    list.InsertItem(0, "1.00");
    EXPECT_TRUE(dlg.UserSelectRow(1034, 0));
    EXPECT_EQ(list.GetSelectedRow(), 0);
    EXPECT_FALSE(dlg.UserSelectRow(1034, 1));
    EXPECT_TRUE(dlg.UserSelectRow(1034, -1));
    EXPECT_EQ(list.GetSelectedRow(), -1);

    dlg.SetDlgItemText(1066, "9");
    EXPECT_TRUE(dlg.UserStepUpDown(1068, 1));
    EXPECT_TRUE(dlg.UserStepUpDown(1068, 1)); // stays at the top of the range
    EXPECT_EQ(dlg.GetDlgItemText(1066), "10");
    dlg.SetDlgItemText(1066, "junk"); // not a number: steps from the last position
    EXPECT_TRUE(dlg.UserStepUpDown(1068, -1));
    EXPECT_EQ(dlg.GetDlgItemText(1066), "9");
}
