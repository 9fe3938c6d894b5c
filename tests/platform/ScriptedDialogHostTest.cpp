// The scripted dialog host: the command-line action forms, and whole dialog runs through
// DoModal with typed texts, clicks, refused OK, cancel and faulty scripts.
#include "ScriptedDialogHost.h"

#include "ExampleDialog.h"
#include "UIServices.h"

#include <gtest/gtest.h>

namespace
{
class ScriptedHostTest : public ::testing::Test
{
protected:
    void SetUp() override { SetUIServices(&m_ui); }
    void TearDown() override
    {
        SetDialogHost(nullptr);
        SetUIServices(nullptr);
    }

    // Runs the example dialog with the actions given in their command-line forms.
    int Run(CExampleDlg& dlg, const std::vector<std::string>& args)
    {
        m_host.m_actions.clear();
        for (const std::string& arg : args) {
            CScriptAction action;
            EXPECT_TRUE(ParseScriptAction(arg, action)) << arg;
            m_host.m_actions.push_back(action);
        }
        SetDialogHost(&m_host);
        return dlg.DoModal();
    }

    CHeadlessUIServices m_ui;
    CScriptedDialogHost m_host;
};
} // namespace

TEST(ScriptAction, ParsesTheCommandLineForms)
{
    CScriptAction action;
    ASSERT_TRUE(ParseScriptAction("1022=My title = 2", action));
    EXPECT_EQ(action.kind, CScriptAction::SetText);
    EXPECT_EQ(action.id, 1022);
    EXPECT_EQ(action.text, "My title = 2");
    ASSERT_TRUE(ParseScriptAction("1023=", action));
    EXPECT_EQ(action.text, "");
    ASSERT_TRUE(ParseScriptAction("+1021", action));
    EXPECT_EQ(action.kind, CScriptAction::Check);
    EXPECT_EQ(action.id, 1021);
    ASSERT_TRUE(ParseScriptAction("-1050", action));
    EXPECT_EQ(action.kind, CScriptAction::Uncheck);
    ASSERT_TRUE(ParseScriptAction("@1032", action));
    EXPECT_EQ(action.kind, CScriptAction::Press);
    EXPECT_EQ(action.id, 1032);
    ASSERT_TRUE(ParseScriptAction("tab=2", action));
    EXPECT_EQ(action.kind, CScriptAction::SelectTab);
    EXPECT_EQ(action.index, 2);
    ASSERT_TRUE(ParseScriptAction("row=-1", action));
    EXPECT_EQ(action.kind, CScriptAction::SelectRow);
    EXPECT_EQ(action.index, -1);

    for (const char* bad : {"", "1022", "=x", "x=1", "+", "@", "@abc", "+-3", "@0", "-0", "tab=", "tab=-1", "row=-2",
                            "row=x", "tab=1x", "99999999999=a", "@ 12", "+12 "})
        EXPECT_FALSE(ParseScriptAction(bad, action)) << bad;
}

TEST_F(ScriptedHostTest, TypesClicksAndPressesOkAtTheEnd)
{
    CExampleDlg dlg;
    EXPECT_EQ(Run(dlg, {"1022=Survey", "1023=12.5", "1024=250", "+1021"}), IDOK);
    EXPECT_EQ(dlg.m_title, "Survey");
    EXPECT_EQ(dlg.m_percent, 12.5);
    EXPECT_EQ(dlg.m_size, 250u);
    EXPECT_EQ(dlg.m_level, 1);
    EXPECT_FALSE(m_host.m_refusedOpen);
    EXPECT_TRUE(m_host.m_messages.empty());
    EXPECT_TRUE(m_host.m_actionErrors.empty());
    EXPECT_EQ(m_host.m_finalCaption, "Example");
}

TEST_F(ScriptedHostTest, RefusedOkLeavesTheDialogOpenWithThePrompt)
{
    CExampleDlg dlg;
    EXPECT_EQ(Run(dlg, {"1023=200", "1024=5"}), kDialogRefusedOpen);
    EXPECT_TRUE(m_host.m_refusedOpen);
    EXPECT_EQ(m_host.m_messages, std::vector<std::string>{"Please enter a number between 0 and 100."});
    EXPECT_EQ(m_host.m_finalFocusId, 1023);
    EXPECT_EQ(m_ui.m_messages, m_host.m_messages); // passed on to the services in force
    EXPECT_EQ(dlg.m_size, 0u);

    // A later run of the same host starts from clean records.
    CExampleDlg second;
    EXPECT_EQ(Run(second, {"1024=5", "@1"}), IDOK);
    EXPECT_FALSE(m_host.m_refusedOpen);
    EXPECT_TRUE(m_host.m_messages.empty());
}

TEST_F(ScriptedHostTest, PressingOkMidScriptEndsTheRun)
{
    CExampleDlg dlg;
    // The first OK is refused (size 0) and the script goes on; the second closes the dialog.
    EXPECT_EQ(Run(dlg, {"@1", "1024=7", "@1"}), IDOK);
    EXPECT_EQ(m_host.m_messages, std::vector<std::string>{"Please enter an integer between 1 and 1000000."});
    EXPECT_EQ(dlg.m_size, 7u);

    CExampleDlg cancelled;
    EXPECT_EQ(Run(cancelled, {"1024=7", "@2", "1023=5"}), IDCANCEL);
    EXPECT_EQ(cancelled.m_size, 0u);
    EXPECT_EQ(m_host.m_actionErrors.size(), 1u); // the action after Cancel was never applied
}

TEST_F(ScriptedHostTest, ActionsThatCannotBeAppliedCancelTheDialog)
{
    const std::vector<std::vector<std::string>> faulty{{"1099=5"},     {"+1022"}, {"-1020"},
                                                       {"1105=Title"}, {"tab=0"}, {"row=0"}};
    for (const auto& script : faulty) {
        CExampleDlg dlg;
        EXPECT_EQ(Run(dlg, script), IDCANCEL) << script[0];
        EXPECT_EQ(m_host.m_actionErrors.size(), 1u) << script[0];
        EXPECT_EQ(dlg.m_size, 0u);
    }
    CExampleDlg dlg;
    Run(dlg, {"1099=5"});
    EXPECT_EQ(m_host.m_actionErrors[0], "no control 1099 in dialog 900");
}

namespace
{
// A list-entry dialog in miniature: Remove beeps with nothing selected, a nested dialog opens
// from a button.
class CListDlg : public CDialog
{
public:
    CListDlg()
        : CDialog(CDialogTemplate{903,
                                  "List",
                                  {ListCtl(1034, 0, 0), ButtonCtl(1033, "Remove", 1, 0), ButtonCtl(1040, "More", 1, 1),
                                   DefButtonCtl(1, "OK", 2, 0)}})
    {}
    bool OnInitDialog() override
    {
        CDialog::OnInitDialog();
        CListCtrl& list = *GetListCtrl(1034);
        list.InsertColumn(0, "Value", list.GetViewportWidth());
        for (const char* row : {"1.00", "2.00", "3.00"})
            list.InsertItem(list.GetItemCount(), row);
        return true;
    }
    void OnButton(int id) override
    {
        CListCtrl& list = *GetListCtrl(1034);
        if (id == 1033 && list.GetSelectedRow() < 0)
            UIServices().Beep(440, 100);
        else if (id == 1033)
            list.DeleteItem(list.GetSelectedRow());
        if (id == 1040) {
            CExampleDlg nested;
            nested.m_size = 3;
            m_nestedResult = nested.DoModal();
        }
    }
    int m_nestedResult = 0;
};
} // namespace

TEST_F(ScriptedHostTest, SelectsRowsBeepsAndRunsNestedDialogsWithOkOnly)
{
    CListDlg dlg;
    m_host.m_actions.clear();
    for (const char* arg : {"@1033", "row=1", "@1033", "@1040"}) {
        CScriptAction action;
        ASSERT_TRUE(ParseScriptAction(arg, action));
        m_host.m_actions.push_back(action);
    }
    SetDialogHost(&m_host);
    EXPECT_EQ(dlg.DoModal(), IDOK);
    EXPECT_EQ(m_host.m_beeps, 1);
    CListCtrl& list = *dlg.GetListCtrl(1034);
    ASSERT_EQ(list.GetItemCount(), 2);
    EXPECT_EQ(list.GetItemText(1, 0), "3.00");
    EXPECT_EQ(dlg.m_nestedResult, IDOK);
    EXPECT_EQ(m_host.m_finalFocusId, 1);
}

TEST_F(ScriptedHostTest, DefaultHostPressesOk)
{
    CExampleDlg dlg;
    dlg.m_size = 4;
    EXPECT_EQ(dlg.DoModal(), IDOK);
    dlg.m_size = 0;
    EXPECT_EQ(dlg.DoModal(), kDialogRefusedOpen);
}
