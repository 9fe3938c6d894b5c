// The tree's undo stack while the tree keeps changing under it, and the program's
// new-calculation command against the command-line tool's: one path, the same document bytes.
#include "CCalcBase.h"
#include "CCalcDoc.h"
#include "CCalcDocNode.h"
#include "CCalcEditView.h"
#include "CCalcTreeView.h"
#include "CCalculation.h"
#include "CQtDocViews.h"
#include "CalcFactory.h"
#include "CalcRunner.h"
#include "DialogHost.h"
#include "FrameworkInit.h"
#include "Profile.h"
#include "ScriptedDialogHost.h"
#include "TestSupport.h"
#include "UIServices.h"
#include "ViewCommands.h"
#include "ViewsWindow.h"
#include "ZNTVStat.h"

#include <QDir>
#include <QFileInfo>
#include <QSplitter>
#include <QTemporaryDir>
#include <QUndoStack>

#include <fstream>
#include <functional>
#include <iterator>
#include <memory>
#include <string>
#include <vector>

namespace
{
/// A calculation object that counts the live ones; its report is one line naming it.
class CUndoTestCalc : public CCalcBase
{
    DECLARE_SERIAL(CUndoTestCalc)
public:
    CUndoTestCalc() { ++s_live; }
    ~CUndoTestCalc() override { --s_live; }
    CUndoTestCalc(const CUndoTestCalc&) = delete;
    CUndoTestCalc& operator=(const CUndoTestCalc&) = delete;
    bool Do() override
    {
        SetTitle("Calc " + std::to_string(++s_made));
        InsertPhrase(GetTitle() + "\n", kPhraseBold);
        return true;
    }
    static int s_live;
    static int s_made;
};
IMPLEMENT_SERIAL(CUndoTestCalc, CCalcBase, 0)
int CUndoTestCalc::s_live = 0;
int CUndoTestCalc::s_made = 0;

CCalcBase* UndoTestFactory(const std::string& code)
{
    return code == "0000" ? nullptr : new CUndoTestCalc;
}

const unsigned kPercentage = CCalcDoc::kFirstCalculationCommand; // "1110"
const unsigned kTwoPercentages = kPercentage + 5;                // "2110"
const unsigned kTwoNumbers = kPercentage + 6;                    // "2120"

std::vector<unsigned char> FileBytes(const std::string& path)
{
    std::ifstream in(path, std::ios::binary);
    return {std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>()};
}

std::vector<CScriptAction> Actions(const std::vector<std::string>& texts)
{
    std::vector<CScriptAction> actions;
    for (const std::string& text : texts) {
        CScriptAction action;
        EXPECT_TRUE(ParseScriptAction(text, action)) << text;
        actions.push_back(action);
    }
    return actions;
}

class TreeUndoTest : public ::testing::Test
{
protected:
    void SetUp() override
    {
        ZNTVCalcInit();
        ZNTVStatInit();
        AfxRegisterClass(RUNTIME_CLASS(CUndoTestCalc));
        CProfile profile;
        profile.Load(ShippedVocabularyPath());
        SetVocabularyProfiles({profile});
        SetUIServices(&m_ui);
        CUndoTestCalc::s_live = 0;
        CUndoTestCalc::s_made = 0;
        m_panes = std::make_unique<CViewsWindow>(m_doc);
        m_tree = m_panes->tree;
        m_edit = m_panes->edit;
        m_views = m_panes->views.get();
    }
    /// The program's first document: from here on it is the one the reports go to.
    void StartProgram()
    {
        m_doc.OnNewDocument();
        m_views->OnUpdate();
    }
    void TearDown() override
    {
        m_panes.reset();
        SetCalcFactory(nullptr);
        SetUIServices(nullptr);
        ResetVocabulary();
    }

    CCalculation* New(unsigned id)
    {
        m_tree->SelectNode(m_doc.GetHead());
        m_tree->OnContextCommand(id);
        CCalcNodeBase* node = m_doc.GetSelectedNode();
        return node && node->IsCalculation() ? static_cast<CCalculation*>(node) : nullptr;
    }
    void Delete(CCalculation* calc)
    {
        m_tree->SelectNode(calc);
        ASSERT_TRUE(m_tree->DeleteSelItem());
    }
    /// What the tree shows and what the document holds, node by node with the reports: the
    /// two must agree at every step.
    std::string State()
    {
        m_views->UpdateCalculation();
        std::string doc;
        m_doc.GetHead()->Walk([&doc](CCalcNodeBase& node, int depth) {
            doc += std::string(static_cast<size_t>(depth), ' ') + node.GetLabel() + "\n";
        });
        std::string shown;
        std::function<void(QTreeWidgetItem*, int)> walk = [&](QTreeWidgetItem* item, int depth) {
            shown += std::string(static_cast<size_t>(depth), ' ') + item->text(0).toStdString() + "\n";
            for (int i = 0; i < item->childCount(); ++i)
                walk(item->child(i), depth + 1);
        };
        for (int i = 0; i < m_tree->topLevelItemCount(); ++i)
            walk(m_tree->topLevelItem(i), 0);
        EXPECT_EQ(shown, doc);
        return doc + CCalcDoc::Export(m_doc.GetHead());
    }

    CHeadlessUIServices m_ui;
    CCalcDoc m_doc;
    std::unique_ptr<CViewsWindow> m_panes;
    CCalcTreeView* m_tree = nullptr;
    CCalcEditView* m_edit = nullptr;
    CQtDocViews* m_views = nullptr;
};

TEST_F(TreeUndoTest, DeletesUndoIntoATreeThatChangedAfterThem)
{
    SetCalcFactory(&UndoTestFactory);
    StartProgram();
    QUndoStack& stack = m_tree->UndoStack();
    CCalculation* a = New(kTwoPercentages);
    CCalculation* b = New(kTwoPercentages);
    New(kPercentage);
    const int start = stack.index();
    std::vector<std::string> states{State()};

    // Deletes and new calculations interleaved in one folder; the last delete empties the
    // folder and its parents, and a new calculation beside it makes those parents afresh.
    Delete(a);
    states.push_back(State());
    CCalculation* d = New(kTwoPercentages); // after b, where a's place no longer is the end
    states.push_back(State());
    Delete(b);
    states.push_back(State());
    Delete(d);
    states.push_back(State());
    ASSERT_EQ(m_doc.GetHead()->GetSub()->GetNext(), nullptr); // "2000" went with its last calculation
    New(kTwoNumbers);
    states.push_back(State());
    EXPECT_EQ(CUndoTestCalc::s_live, 5); // three in the tree, two held by the deletes

    for (size_t i = states.size() - 1; i > 0; --i) {
        stack.undo();
        EXPECT_EQ(State(), states[i - 1]) << "undo back to step " << i - 1;
    }
    EXPECT_EQ(stack.index(), start);
    for (size_t i = 1; i < states.size(); ++i) {
        stack.redo();
        EXPECT_EQ(State(), states[i]) << "redo of step " << i;
    }

    // Undone, the new calculation is held by its command; a new action drops that command
    // and frees it with everything it held.
    stack.undo();
    stack.undo();
    EXPECT_EQ(State(), states[3]);
    EXPECT_EQ(CUndoTestCalc::s_live, 5);
    New(kPercentage);
    EXPECT_FALSE(stack.canRedo());
    EXPECT_EQ(CUndoTestCalc::s_live, 5); // a and b held, c, d and the new one in the tree

    // A new document forgets the stack: every node, in the tree or held, is gone.
    m_doc.OnNewDocument();
    m_views->OnUpdate();
    EXPECT_EQ(CUndoTestCalc::s_live, 0);
    EXPECT_EQ(stack.count(), 0);
}

TEST_F(TreeUndoTest, ProgramAndCommandLineWriteTheSameDocument)
{
    const std::vector<std::pair<std::string, std::vector<std::string>>> runs = {
        {"1110", {"1023=50", "1024=100", "1022=Survey"}},
        // Titled: a default title tells the time, which may turn a second between the two runs.
        {"3200", {"1090=12", "1091=5", "1092=3", "1093=20", "+1157", "1022=Table"}},
        {"9999", {}},
    };
    // Each run files into the document of the one before, as `zentavo-cli run --doc` does:
    // opened, one calculation added, saved. The program does the same under the same name.
    QTemporaryDir dir;
    ASSERT_TRUE(QDir(dir.path()).mkdir(QStringLiteral("program")));
    const std::string cliPath = dir.filePath("cli.zna").toStdString();
    const std::string programPath = dir.filePath("program/cli.zna").toStdString();

    // The command-line tool first: no document of the program is open to take its reports.
    for (const auto& [code, actions] : runs) {
        CCalcRunRequest request;
        request.code = code;
        request.actions = Actions(actions);
        request.documentPath = cliPath;
        const CCalcRunResult result = RunNewCalculation(request);
        ASSERT_EQ(result.outcome, CCalcRunResult::Written) << code << ": " << result.error;
        EXPECT_FALSE(result.className.empty()) << code;
    }

    StartProgram();
    IDialogHost& previous = CurrentDialogHost();
    for (const auto& [code, actions] : runs) {
        if (QFileInfo::exists(QString::fromStdString(programPath))) {
            ASSERT_TRUE(m_doc.OnOpenDocument(programPath));
            m_views->OnUpdate();
        }
        CScriptedDialogHost host(Actions(actions));
        SetDialogHost(&host);
        const CCalcType type(code[0] - '0', code[1] - '0', code[2] - '0', code[3] - '0');
        m_tree->SelectNode(m_doc.GetHead());
        m_tree->OnContextCommand(
            code == "9999" ? kCmdNote : CCalcDoc::kFirstCalculationCommand + static_cast<unsigned>(type.GetTypeInt()));
        SetDialogHost(&previous);
        EXPECT_TRUE(host.m_actionErrors.empty()) << code;
        EXPECT_EQ(m_tree->UndoStack().count(), 1) << code; // filed as an undoable command
        ASSERT_TRUE(m_doc.OnSaveDocument(programPath));
    }
    EXPECT_TRUE(m_ui.m_messages.empty());

    const std::vector<unsigned char> cli = FileBytes(cliPath);
    ASSERT_FALSE(cli.empty());
    EXPECT_EQ(FileBytes(programPath), cli);
}
} // namespace
