// A dialog whose test body gives up does not hang the run: the Qt host's dialog and the probe
// host's dialog are both cancelled once the body returns, however it returned.
#include "CDialog.h"
#include "CQtDialog.h"
#include "CalcTestSupport.h"
#include "HookGuards.h"
#include "QtDialogDriver.h"
#include "QtDialogHost.h"
#include "UIServices.h"

#include <QApplication>
#include <QLineEdit>
#include <QTest>

#include <gtest/gtest-spi.h>
#include <gtest/gtest.h>

namespace
{
/// A title field, OK and Cancel; with `m_keepOpen` its Cancel refuses to close.
class CStubbornDlg : public CDialog
{
public:
    CStubbornDlg()
        : CDialog(CDialogTemplate{902,
                                  "Stubborn",
                                  {StaticCtl(1105, "Title:", 0, 0), EditCtl(1022, 0, 1), DefButtonCtl(IDOK, "OK", 1, 0),
                                   ButtonCtl(IDCANCEL, "Cancel", 1, 1)}})
    {}
    void OnCancel() override
    {
        ++m_cancels;
        if (!m_keepOpen)
            CDialog::OnCancel();
    }
    bool m_keepOpen = false;
    int m_cancels = 0;
};

// What the runs below saw; static because a fatal-failure check may not reach locals.
int g_result = 0;
int g_cancels = 0;
bool g_reachedEnd = false;

void RunQtDialogWhoseBodyGivesUp(bool keepOpen)
{
    CHeadlessUIServices services;
    const CUIServicesGuard servicesGuard(services);
    CQtDialogHost host;
    const CDialogHostGuard hostGuard(host);
    CStubbornDlg dialog;
    dialog.m_keepOpen = keepOpen;
    g_reachedEnd = false;
    WhenDialogOpens([](CQtDialog& window) {
        ASSERT_EQ(window.Control(1022), nullptr) << "the body gives up";
        g_reachedEnd = true;
    });
    g_result = dialog.DoModal();
    g_cancels = dialog.m_cancels;
}

void ProbeDialogWhoseBodyGivesUp()
{
    CStubbornDlg dialog;
    CProbeHost host([](CDialog& opened) {
        ASSERT_EQ(opened.GetDlgItemText(1022), "never") << "the body gives up";
        opened.OnCommand(IDOK);
    });
    g_result = host.RunModal(dialog);
    g_reachedEnd = dialog.IsEnded();
}
} // namespace

TEST(DialogBodyFailure, QtDialogIsCancelledWhenItsBodyFailsAnAssertion)
{
    EXPECT_FATAL_FAILURE(RunQtDialogWhoseBodyGivesUp(false), "the body gives up");
    EXPECT_FALSE(g_reachedEnd);
    EXPECT_EQ(g_result, IDCANCEL);
    EXPECT_EQ(g_cancels, 1); // through the model, as Esc would
    EXPECT_EQ(QApplication::activeModalWidget(), nullptr);

    // A model that refuses to cancel is closed all the same.
    EXPECT_FATAL_FAILURE(RunQtDialogWhoseBodyGivesUp(true), "the body gives up");
    EXPECT_EQ(g_result, IDCANCEL);
    EXPECT_EQ(g_cancels, 1);
    EXPECT_EQ(QApplication::activeModalWidget(), nullptr);
}

TEST(DialogBodyFailure, QtDialogLeftOpenByAPassingBodyIsCancelled)
{
    CHeadlessUIServices services;
    const CUIServicesGuard servicesGuard(services);
    CQtDialogHost host;
    const CDialogHostGuard hostGuard(host);
    CStubbornDlg dialog;
    bool ran = false;
    WhenDialogOpens([&ran](CQtDialog& window) {
        ran = true;
        EXPECT_NE(window.findChild<QLineEdit*>(CQtDialog::ObjectNameOf(1022)), nullptr);
    });
    EXPECT_EQ(dialog.DoModal(), IDCANCEL);
    EXPECT_TRUE(ran);

    // A body that ends the dialog itself keeps its answer.
    CStubbornDlg second;
    WhenDialogOpens([](CQtDialog& window) { QTest::keyClick(&window, Qt::Key_Return); });
    EXPECT_EQ(second.DoModal(), IDOK);
}

TEST(DialogBodyFailure, ProbedDialogIsCancelledWhenItsBodyFailsAnAssertion)
{
    EXPECT_FATAL_FAILURE(ProbeDialogWhoseBodyGivesUp(), "the body gives up");
    EXPECT_EQ(g_result, IDCANCEL);
    EXPECT_TRUE(g_reachedEnd);
}
