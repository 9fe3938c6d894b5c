// The manual inside the program: the help window's index, search, links and history, its texts
// from the vocabulary of each language, F1 in the dialog of every calculation type, and Help
// Topics in the main window.
#include "CCalcBase.h"
#include "CCalcDoc.h"
#include "CCalcTreeView.h"
#include "CCalculation.h"
#include "CDocCommands.h"
#include "CHelpWindow.h"
#include "CMainFrame.h"
#include "CQtDialog.h"
#include "CalcHookGuards.h"
#include "FrameCommands.h"
#include "FrameworkInit.h"
#include "GetCalcBase.h"
#include "HookGuards.h"
#include "Profile.h"
#include "QtDialogDriver.h"
#include "QtDialogHost.h"
#include "TestSupport.h"
#include "UIServices.h"
#include "ZNTVStat.h"

#include <QAction>
#include <QApplication>
#include <QDir>
#include <QFileInfo>
#include <QLineEdit>
#include <QListWidget>
#include <QStatusBar>
#include <QTabWidget>
#include <QTemporaryDir>
#include <QTest>
#include <QTextBrowser>
#include <QToolBar>

#include <gtest/gtest.h>
#include <memory>
#include <string>

namespace
{
const char* const kHelpKeys[] = {"TITLE",  "TOOLBAR",    "BACK",       "FORWARD", "HOME",     "CONTENTS",
                                 "SEARCH", "SEARCH_FOR", "NO_RESULTS", "NO_PAGE", "NOT_FOUND"};

/// The manual as the build renders it beside the program.
QString BuiltManual()
{
    return QFileInfo(QStringLiteral(ZENTAVO_PROGRAM)).absolutePath() + QStringLiteral("/help");
}

bool PageExists(const QString& page)
{
    return QFileInfo::exists(BuiltManual() + QLatin1Char('/') + page);
}

void UseVocabulary(const std::string& path)
{
    CProfile profile;
    profile.Load(path);
    SetVocabularyProfiles({profile});
}

QStringList Files(const QListWidget& list)
{
    QStringList files;
    for (int row = 0; row < list.count(); ++row)
        files << list.item(row)->data(Qt::UserRole).toString();
    return files;
}

class HelpWindowTest : public ::testing::Test
{
protected:
    void SetUp() override
    {
        ASSERT_TRUE(PageExists(QStringLiteral("index.html"))) << BuiltManual().toStdString();
        qputenv("ZENTAVO_HELP_DIR", BuiltManual().toUtf8());
        UseVocabulary(ShippedVocabularyPath());
    }
    void TearDown() override
    {
        qunsetenv("ZENTAVO_HELP_DIR");
        ResetVocabulary();
    }
};
} // namespace

TEST_F(HelpWindowTest, ContentsListEveryPageOnceAndOpenIt)
{
    CHelpWindow window(CHelpWindow::ManualFolder());
    EXPECT_EQ(window.CurrentPage(), QString());
    const QStringList files = Files(window.Contents());
    ASSERT_FALSE(files.isEmpty());
    EXPECT_EQ(files.front(), "index.html");
    for (const char* page : {"calc-1110.html", "calc-3200.html", "calc-5300.html", "reports.html"})
        EXPECT_EQ(files.count(page), 1) << page;
    for (const QString& file : files)
        EXPECT_TRUE(file.isEmpty() || PageExists(file)) << file.toStdString(); // headings have no file

    const int row = static_cast<int>(files.indexOf("calc-3200.html"));
    window.Contents().setCurrentRow(row);
    emit window.Contents().itemActivated(window.Contents().item(row));
    EXPECT_EQ(window.CurrentPage(), "calc-3200.html");
    EXPECT_TRUE(window.windowTitle().startsWith("Zentavo Help - ")) << window.windowTitle().toStdString();
    EXPECT_TRUE(window.windowTitle().contains("2x2")) << window.windowTitle().toStdString();
    // A report's columns line up only in a fixed-pitch font.
    EXPECT_TRUE(window.Browser().toHtml().contains("monospace"));
}

TEST_F(HelpWindowTest, LinksHistoryAndPagesNotYetWritten)
{
    CHelpWindow window(CHelpWindow::ManualFolder());
    window.show();
    window.activateWindow();
    ASSERT_TRUE(QTest::qWaitForWindowActive(&window));
    ASSERT_TRUE(window.ShowPage("calc-1110.html"));
    // The rendered page links to the other page, not to its Markdown.
    EXPECT_FALSE(window.Browser().toHtml().contains("calc-1120.md"));
    emit window.Browser().anchorClicked(QUrl("calc-1120.html"));
    EXPECT_EQ(window.CurrentPage(), "calc-1120.html");

    QTest::keyClick(&window.Browser(), Qt::Key_Left, Qt::AltModifier); // Back
    EXPECT_EQ(window.CurrentPage(), "calc-1110.html");
    QTest::keyClick(&window.Browser(), Qt::Key_Right, Qt::AltModifier); // Forward
    EXPECT_EQ(window.CurrentPage(), "calc-1120.html");
    QTest::keyClick(&window.Browser(), Qt::Key_Home, Qt::AltModifier); // the index
    EXPECT_EQ(window.CurrentPage(), "index.html");

    // A link or a request for a page still to be written: said so, the page on show stays or
    // the index is shown.
    emit window.Browser().anchorClicked(QUrl("no-such-page.html"));
    EXPECT_EQ(window.CurrentPage(), "index.html");
    EXPECT_TRUE(window.statusBar()->currentMessage().contains("no page"))
        << window.statusBar()->currentMessage().toStdString();
    ASSERT_TRUE(window.ShowPage("calc-1120.html"));
    EXPECT_FALSE(window.ShowPage("calc-0000.html"));
    EXPECT_EQ(window.CurrentPage(), "index.html");
    EXPECT_TRUE(window.statusBar()->currentMessage().contains("calc-0000.html"));

    // Ctrl+F goes to the search field.
    QTest::keyClick(&window.Browser(), Qt::Key_F, Qt::ControlModifier);
    EXPECT_TRUE(window.SearchField().hasFocus());
}

TEST_F(HelpWindowTest, SearchListsThePagesHoldingEveryWord)
{
    CHelpWindow window(CHelpWindow::ManualFolder());
    window.SearchField().setText("mantel haenszel");
    const QStringList found = Files(window.Results());
    EXPECT_TRUE(found.contains("calc-3300.html")) << found.join(' ').toStdString();
    EXPECT_FALSE(found.contains("calc-1110.html"));
    for (const QString& page : found) {
        QFile file(BuiltManual() + '/' + QFileInfo(page).completeBaseName() + ".md");
        ASSERT_TRUE(file.open(QIODevice::ReadOnly));
        const QString text = QString::fromUtf8(file.readAll()).toLower();
        EXPECT_TRUE(text.contains("mantel") && text.contains("haenszel")) << page.toStdString();
    }
    // Enter opens the first page found, at the first word found.
    QTest::keyClick(&window.SearchField(), Qt::Key_Return);
    EXPECT_EQ(window.CurrentPage(), found.front());
    EXPECT_EQ(window.Browser().textCursor().selectedText().toLower(), "mantel");
    // Words that stand together are found together.
    window.SearchField().setText("Odds  RATIO");
    ASSERT_GT(window.Results().count(), 0);
    emit window.Results().itemActivated(window.Results().item(0));
    EXPECT_EQ(window.Browser().textCursor().selectedText().toLower(), "odds ratio");

    window.SearchField().setText("qzxv wug");
    ASSERT_EQ(window.Results().count(), 1);
    EXPECT_EQ(window.Results().item(0)->text(), "No page holds all of these words.");
    EXPECT_FALSE(window.Results().item(0)->flags() & Qt::ItemIsEnabled);
    window.SearchField().clear();
    EXPECT_EQ(window.Results().count(), 0);
}

TEST_F(HelpWindowTest, AManualNotFoundIsSaidSo)
{
    qputenv("ZENTAVO_HELP_DIR", "/nonexistent");
    EXPECT_EQ(CHelpWindow::ManualFolder(), QString());
    CHelpWindow window(CHelpWindow::ManualFolder());
    EXPECT_FALSE(window.ShowPage("index.html"));
    EXPECT_TRUE(window.Browser().toPlainText().startsWith("The manual was not found."));
    EXPECT_EQ(window.Contents().count(), 0);
}

TEST_F(HelpWindowTest, TextsFollowTheVocabularyOfEachLanguage)
{
    std::vector<std::string> files{ShippedVocabularyPath()};
    for (const char* code : {"de", "es", "fr", "it", "pt"})
        files.push_back(std::string(ZENTAVO_SOURCE_DIR) + "/resources/lang/Zentavo." + code + ".ini");
    for (const std::string& path : files) {
        SCOPED_TRACE(path);
        CProfile profile;
        ASSERT_TRUE(profile.Load(path));
        for (const char* key : kHelpKeys)
            EXPECT_FALSE(profile.Find("Help", key).value_or("").empty()) << "[Help] " << key;
    }
    UseVocabulary(files[1]); // German
    CHelpWindow window(CHelpWindow::ManualFolder());
    EXPECT_EQ(window.windowTitle(), "Zentavo-Hilfe");
    EXPECT_EQ(window.findChild<QTabWidget*>()->tabText(0), "&Inhalt");
    EXPECT_EQ(window.findChild<QToolBar*>()->actions().front()->text(), "&Zurück");
}

// F1 in the dialog of every calculation type asks for that type's page; a page still being
// written shows the index and names the page asked for.
TEST_F(HelpWindowTest, F1InEveryDialogOpensItsCalculationsPage)
{
    ZNTVCalcInit();
    ZNTVStatInit();
    CHeadlessUIServices services;
    const CUIServicesGuard servicesGuard(services);
    CQtDialogHost host;
    const CDialogHostGuard hostGuard(host);
    for (const CCalcClassInfo& info : AllCalcClasses()) {
        const QString page = CHelpWindow::PageOfType(info.code);
        SCOPED_TRACE(info.code);
        std::unique_ptr<CCalcBase> calc(GetCalcBase(info.code));
        ASSERT_NE(calc, nullptr);
        calc->SetTypeString(info.code);
        bool opened = false;
        WhenDialogOpens([&](CQtDialog& dialog) {
            dialog.activateWindow();
            ASSERT_TRUE(QTest::qWaitForWindowActive(&dialog));
            QTest::keyClick(QApplication::focusWidget() ? QApplication::focusWidget() : &dialog, Qt::Key_F1);
            auto* help = dialog.findChild<CHelpWindow*>();
            ASSERT_NE(help, nullptr) << "F1 opened no help window";
            opened = true;
            EXPECT_TRUE(help->isVisible());
            if (PageExists(page)) {
                EXPECT_EQ(help->CurrentPage(), page);
            } else {
                EXPECT_EQ(help->CurrentPage(), "index.html");
                EXPECT_TRUE(help->statusBar()->currentMessage().contains(page));
            }
            // A second F1 reuses the window.
            QTest::keyClick(&dialog, Qt::Key_F1);
            EXPECT_EQ(dialog.findChildren<CHelpWindow*>().size(), 1);
        });
        calc->Do();
        EXPECT_TRUE(opened);
    }
}

TEST_F(HelpWindowTest, HelpTopicsShowsThePageOfTheCalculationOnShow)
{
    ZNTVCalcInit();
    ZNTVStatInit();
    CHeadlessUIServices services;
    const CUIServicesGuard servicesGuard(services);
    const CCalcFactoryGuard factory(&GetCalcBase);
    QTemporaryDir dir;
    CMainFrame frame(dir.filePath("zentavo.conf"));
    frame.DocCommands().OnFileNew();
    ASSERT_TRUE(frame.IsCommandEnabled(kCmdHelpFinder));
    frame.OnCommand(kCmdHelpFinder);
    auto* help = frame.findChild<CHelpWindow*>();
    ASSERT_NE(help, nullptr);
    EXPECT_EQ(help->CurrentPage(), "index.html");

    auto calc = std::make_unique<CCalculation>(CCalcType(3, 2, 0, 0));
    ASSERT_TRUE(calc->SetupBase("3200"));
    CCalculation* added = frame.Document().Add(std::move(calc));
    ASSERT_NE(added, nullptr);
    frame.Tree().SelectNode(added);
    frame.OnCommand(kCmdHelpFinder);
    EXPECT_EQ(frame.findChildren<CHelpWindow*>().size(), 1); // the same window
    EXPECT_EQ(help->CurrentPage(), "calc-3200.html");
}
