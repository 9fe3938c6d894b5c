// Every text on screen comes from the vocabulary: with a vocabulary whose every value is marked,
// the menus, the toolbar, the tree's context menus, the About box, the program's questions and
// every calculation dialog show no text without the mark (numbers and punctuation aside).
#include "CAboutDlg.h"
#include "CCalcDoc.h"
#include "CCalcTreeView.h"
#include "CCalculation.h"
#include "CDocCommands.h"
#include "CFrameActions.h"
#include "CMainFrame.h"
#include "CQtDialog.h"
#include "CalcFactory.h"
#include "DialogHost.h"
#include "FrameworkInit.h"
#include "GetCalcBase.h"
#include "HookGuards.h"
#include "Profile.h"
#include "QtDialogDriver.h"
#include "QtDialogHost.h"
#include "TestSupport.h"
#include "UIServices.h"
#include "ZNTVStat.h"

#include <QAbstractButton>
#include <QGroupBox>
#include <QLabel>
#include <QMenu>
#include <QMenuBar>
#include <QTemporaryDir>
#include <QTest>
#include <QToolBar>

#include <fstream>
#include <gtest/gtest.h>
#include <memory>
#include <set>
#include <sstream>

namespace
{
const QString kOpen = QStringLiteral("\u27e6");
const QString kClose = QStringLiteral("\u27e7");

/// The shipped vocabulary with every value but the type tree's counts between the marks.
CProfile MarkedVocabulary()
{
    std::ifstream in(ShippedVocabularyPath());
    std::ostringstream out;
    bool levels = false;
    for (std::string line; std::getline(in, line);) {
        const size_t equals = line.find('=');
        if (!line.empty() && line[0] == '[')
            levels = line.rfind("[Levels]", 0) == 0;
        else if (!levels && !line.empty() && line[0] != ';' && equals != std::string::npos)
            line = line.substr(0, equals + 1) + kOpen.toStdString() + line.substr(equals + 1) + kClose.toStdString();
        out << line << "\n";
    }
    CProfile profile;
    profile.Parse(out.str());
    return profile;
}

/// Shown text that is neither marked nor only digits and punctuation.
bool Unmarked(const QString& text)
{
    if (text.contains(kOpen) || text.contains(kClose))
        return false;
    for (const QChar c : text)
        if (c.isLetter())
            return true;
    return false;
}

/// The unmarked texts of a widget and its children, each with where it was found.
void CollectUnmarked(const QWidget& root, const QString& where, std::set<std::string>& found)
{
    const auto note = [&](const QString& text, const QString& what) {
        if (Unmarked(text))
            found.insert((where + " " + what + ": \"" + text + "\"").toStdString());
    };
    note(root.windowTitle(), QStringLiteral("title"));
    for (const QLabel* label : root.findChildren<QLabel*>())
        note(label->text(), QStringLiteral("label"));
    for (const QAbstractButton* button : root.findChildren<QAbstractButton*>())
        note(button->text(), QStringLiteral("button"));
    for (const QGroupBox* box : root.findChildren<QGroupBox*>())
        note(box->title(), QStringLiteral("group"));
    for (const QWidget* widget : root.findChildren<QWidget*>())
        note(widget->toolTip(), QStringLiteral("tooltip"));
}

void CollectMenu(const QMenu& menu, const QString& where, std::set<std::string>& found)
{
    for (const QAction* action : menu.actions()) {
        if (action->isSeparator())
            continue;
        if (Unmarked(action->text()))
            found.insert((where + " item: \"" + action->text() + "\"").toStdString());
        if (action->menu())
            CollectMenu(*action->menu(), where + " > " + action->text(), found);
    }
}

// Texts the calculation units carry themselves: none since every one has a vocabulary key.
const std::set<std::string> kCalculationOwnTexts = {};

std::string Listed(const std::set<std::string>& texts)
{
    std::string list;
    for (const std::string& text : texts)
        list += "  " + text + "\n";
    return list;
}

class MarkedVocabulary : public ::testing::Test
{
protected:
    void SetUp() override
    {
        ZNTVCalcInit();
        ZNTVStatInit();
        SetVocabularyProfiles({::MarkedVocabulary()});
        ASSERT_TRUE(m_dir.isValid());
        m_frame = std::make_unique<CMainFrame>(m_dir.filePath(QStringLiteral("zentavo.conf")));
        m_frame->DocCommands().OnFileNew();
    }
    void TearDown() override
    {
        m_frame.reset();
        ResetVocabulary();
    }

    CHeadlessUIServices m_ui;
    CUIServicesGuard m_services{m_ui};
    QTemporaryDir m_dir;
    std::unique_ptr<CMainFrame> m_frame;
};
} // namespace

TEST_F(MarkedVocabulary, MenusToolbarContextMenusAndAboutBoxAreMarked)
{
    std::set<std::string> found;
    for (QAction* action : m_frame->menuBar()->actions()) {
        if (Unmarked(action->text()))
            found.insert("menu bar: \"" + action->text().toStdString() + "\"");
        if (action->menu())
            CollectMenu(*action->menu(), action->text(), found);
    }
    for (QAction* action : m_frame->Actions().ToolBar()->actions())
        if (!action->isSeparator() && Unmarked(action->toolTip()))
            found.insert("toolbar tooltip: \"" + action->toolTip().toStdString() + "\"");
    // The context menus of the root, of a group and of a one-type folder.
    for (const CCalcType& type : {CCalcType(), CCalcType(1, 0, 0, 0), CCalcType(1, 1, 1, 0)}) {
        std::unique_ptr<QMenu> menu(m_frame->Tree().CreateContextMenu(type, nullptr));
        CollectMenu(*menu, QString::fromStdString("context " + type.GetTypeString()), found);
    }
    CAboutDlg about(nullptr);
    CollectUnmarked(about, QStringLiteral("About box"), found);
    CollectUnmarked(*m_frame, QStringLiteral("main window"), found);
    EXPECT_TRUE(found.empty()) << Listed(found);
}

TEST_F(MarkedVocabulary, QuestionsAndRefusalsAreMarked)
{
    // The save-changes question and a refused field, as the user meets them.
    m_frame->Document().SetModifiedFlag(true);
    m_ui.m_answers.push_back(IDCANCEL);
    EXPECT_FALSE(m_frame->DocCommands().OnFileNew());
    std::set<std::string> found;
    for (const std::string& message : m_ui.m_messages)
        if (Unmarked(QString::fromStdString(message)))
            found.insert("message: \"" + message + "\"");
    ASSERT_FALSE(m_ui.m_messages.empty());
    EXPECT_TRUE(found.empty()) << Listed(found);
}

TEST_F(MarkedVocabulary, EveryCalculationDialogIsMarked)
{
    CQtDialogHost host;
    const CDialogHostGuard hostGuard(host);
    std::set<std::string> found;
    for (const CCalcClassInfo& info : AllCalcClasses()) {
        const std::string code = info.code;
        auto calc =
            std::make_unique<CCalculation>(CCalcType(code[0] - '0', code[1] - '0', code[2] - '0', code[3] - '0'));
        ASSERT_TRUE(calc->SetupBase(code)) << code;
        CCalculation* added = m_frame->Document().Add(std::move(calc));
        ASSERT_TRUE(added) << code;
        m_frame->Tree().SelectNode(added);
        bool seen = false;
        WhenDialogOpens([&](CQtDialog& window) {
            seen = true;
            CollectUnmarked(window, QString::fromStdString(code), found);
            QTest::keyClick(&window, Qt::Key_Escape);
        });
        m_frame->Tree().RedoCalculation();
        EXPECT_TRUE(seen) << code;
    }
    for (const std::string& known : kCalculationOwnTexts)
        found.erase(known);
    EXPECT_TRUE(found.empty()) << Listed(found);
}
