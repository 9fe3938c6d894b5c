// Documents the desktop asks the program to open (QFileOpenEvent at the application object):
// held until the main window is shown, the first of a batch opened as a drop opens it, with the
// question about unsaved changes first and a damaged file leaving the open document alone.
#include "CFileOpenRequests.h"

#include "CCalcDoc.h"
#include "CCalcDocNode.h"
#include "CDocCommands.h"
#include "CMainFrame.h"
#include "CRecentFiles.h"
#include "FrameworkInit.h"
#include "HookGuards.h"
#include "Profile.h"
#include "TestSupport.h"
#include "UIServices.h"
#include "ZNTVStat.h"

#include <QApplication>
#include <QFileOpenEvent>
#include <QTemporaryDir>
#include <QTest>

#include <fstream>
#include <gtest/gtest.h>
#include <memory>

namespace
{
int CalculationCount(const CCalcDoc& doc)
{
    int count = 0;
    if (doc.GetHead())
        doc.GetHead()->Walk([&count](CCalcNodeBase& node, int) { count += node.IsCalculation() ? 1 : 0; });
    return count;
}

QString Study()
{
    return QString::fromStdString(TestDataPath("study.zna"));
}
} // namespace

class FileOpenRequestsTest : public ::testing::Test
{
protected:
    void SetUp() override
    {
        ZNTVCalcInit();
        ZNTVStatInit();
        CProfile profile;
        profile.Load(ShippedVocabularyPath());
        SetVocabularyProfiles({profile});
        SetUIServices(&m_ui);
        ASSERT_TRUE(m_dir.isValid());
        m_frame = std::make_unique<CMainFrame>(m_dir.filePath("zentavo.conf"));
        ASSERT_TRUE(m_frame->DocCommands().OnFileNew());
    }
    void TearDown() override
    {
        m_requests.SetFrame(nullptr);
        m_frame.reset();
        SetUIServices(nullptr);
        ResetVocabulary();
    }
    /// The desktop's request, as the platform delivers it: posted to the application object.
    static void AskToOpen(const QString& file) { QCoreApplication::postEvent(qApp, new QFileOpenEvent(file)); }
    /// Delivers the requests, then lets the event loop run until they are handled or the time is up.
    bool Settle()
    {
        QCoreApplication::processEvents();
        const bool settled = QTest::qWaitFor([this] { return m_requests.Pending().isEmpty(); }, 2000);
        QCoreApplication::processEvents();
        return settled;
    }
    std::string Title() const { return m_frame->Document().GetHead()->GetLabel(); }

    QTemporaryDir m_dir;
    CHeadlessUIServices m_ui;
    CFileOpenRequests m_requests;
    std::unique_ptr<CMainFrame> m_frame;
};

TEST_F(FileOpenRequestsTest, RequestsBeforeTheWindowIsShownWaitAndTheFirstOfABatchOpens)
{
    // The program was started by the open: the requests come before the window exists ...
    AskToOpen(Study());
    AskToOpen(m_dir.filePath("second.zna"));
    QCoreApplication::processEvents();
    EXPECT_EQ(m_requests.Pending(), QStringList({Study(), m_dir.filePath("second.zna")}));
    EXPECT_EQ(Title(), "Untitled");

    // ... and while it is still hidden.
    m_requests.SetFrame(m_frame.get());
    QCoreApplication::processEvents();
    EXPECT_EQ(m_requests.Pending().size(), 2);

    // Shown, it opens the first one; the other is not opened and not kept for later.
    m_frame->show();
    ASSERT_TRUE(Settle());
    EXPECT_EQ(Title(), "study");
    EXPECT_GT(CalculationCount(m_frame->Document()), 0);
    EXPECT_TRUE(m_ui.m_messages.empty());
    EXPECT_EQ(m_frame->RecentFiles().Files().value(0), Study());
    EXPECT_EQ(m_frame->windowTitle(), "study[*] - Zentavo");

    // A request without a local file (a remote location) is left out.
    AskToOpen(QString());
    QCoreApplication::processEvents();
    EXPECT_TRUE(m_requests.Pending().isEmpty());
}

TEST_F(FileOpenRequestsTest, AnOpenAsksAboutChangesAndADamagedFileKeepsTheOpenDocument)
{
    m_frame->show();
    m_requests.SetFrame(m_frame.get());
    m_frame->Document().SetModifiedFlag(); // an unsaved change

    // Cancel on the question keeps the changed document.
    m_ui.m_answers = {IDCANCEL};
    AskToOpen(Study());
    ASSERT_TRUE(Settle());
    ASSERT_EQ(m_ui.m_messages.size(), 1u);
    EXPECT_EQ(m_ui.m_messages[0], "Save changes to Untitled?");
    EXPECT_EQ(Title(), "Untitled");
    EXPECT_TRUE(m_frame->Document().IsModified());

    m_ui.m_answers = {IDNO};
    AskToOpen(Study());
    ASSERT_TRUE(Settle());
    EXPECT_EQ(Title(), "study");
    const int stored = CalculationCount(m_frame->Document());

    // A file that does not read as a document: the usual message, the open one stays.
    {
        std::ofstream(m_dir.filePath("damaged.zna").toStdString()) << "not a document";
    }
    m_ui.m_messages.clear();
    AskToOpen(m_dir.filePath("damaged.zna"));
    ASSERT_TRUE(Settle());
    ASSERT_EQ(m_ui.m_messages.size(), 1u);
    EXPECT_EQ(m_ui.m_messages[0], "Unexpected file format.");
    EXPECT_EQ(Title(), "study");
    EXPECT_EQ(CalculationCount(m_frame->Document()), stored);
    EXPECT_EQ(m_frame->RecentFiles().Files().size(), 1);
}
