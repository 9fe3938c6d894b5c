// The program's shell through its real widgets (offscreen): menu and tooltip texts, command
// routing, the save-changes question, save/open/export through the frame's commands, window
// placement, recent files, and calculation dialogs run by the Qt dialog host.
#include "CCalcApp.h"
#include "CCalcBase.h"
#include "CCalcDoc.h"
#include "CCalcDocNode.h"
#include "CCalcEditView.h"
#include "CCalcTreeView.h"
#include "CCalculation.h"
#include "CCompStrat.h"
#include "CDocCommands.h"
#include "CFrameActions.h"
#include "CMainFrame.h"
#include "CQtDialog.h"
#include "CRecentFiles.h"
#include "CalcFactory.h"
#include "DataExchange.h"
#include "DialogHost.h"
#include "FrameCommands.h"
#include "FrameworkInit.h"
#include "HookGuards.h"
#include "Profile.h"
#include "QtDialogDriver.h"
#include "QtDialogHost.h"
#include "QtUIServices.h"
#include "TestSupport.h"
#include "UIServices.h"
#include "WindowPlacement.h"
#include "ZNTVStat.h"

#include <QAction>
#include <QApplication>
#include <QClipboard>
#include <QFile>
#include <QLineEdit>
#include <QMenu>
#include <QMenuBar>
#include <QMimeData>
#include <QProcess>
#include <QPushButton>
#include <QRadioButton>
#include <QTabBar>
#include <QTemporaryDir>
#include <QTest>
#include <QTimer>
#include <QToolBar>
#include <QToolButton>
#include <QTreeWidget>

#include <fstream>
#include <functional>
#include <map>
#include <memory>
#include <sstream>

namespace
{
/// A calculation with a bold heading and a plain result line; no dialog.
class CShellTestCalc : public CCalcBase
{
    DECLARE_SERIAL(CShellTestCalc)
public:
    bool Do() override
    {
        SetTitle("Shell " + std::to_string(++s_made));
        InsertPhrase(GetTitle() + "\n", kPhraseBold);
        InsertPhrase("Result       12.5\n", kPhrasePlain);
        return true;
    }
    static inline int s_made = 0;
};
IMPLEMENT_SERIAL(CShellTestCalc, CCalcBase, 0)

CCalcBase* ShellTestFactory(const std::string& code)
{
    return code == "0000" ? nullptr : new CShellTestCalc;
}

std::string ReadFile(const QString& path)
{
    std::ifstream in(path.toStdString(), std::ios::binary);
    std::stringstream text;
    text << in.rdbuf();
    return text.str();
}

int CalculationCount(const CCalcDoc& doc)
{
    int count = 0;
    if (doc.GetHead())
        doc.GetHead()->Walk([&count](CCalcNodeBase& node, int) { count += node.IsCalculation() ? 1 : 0; });
    return count;
}
} // namespace

class ShellTest : public ::testing::Test
{
protected:
    void SetUp() override
    {
        ZNTVCalcInit();
        AfxRegisterClass(RUNTIME_CLASS(CShellTestCalc));
        UseShippedVocabulary();
        SetUIServices(&m_ui);
        SetCalcFactory(&ShellTestFactory);
        CShellTestCalc::s_made = 0;
        ASSERT_TRUE(m_dir.isValid());
        MakeFrame();
    }
    void TearDown() override
    {
        m_frame.reset();
        SetCalcFactory(nullptr);
        SetUIServices(nullptr);
        ResetVocabulary();
    }
    static void UseShippedVocabulary()
    {
        CProfile profile;
        profile.Load(ShippedVocabularyPath());
        SetVocabularyProfiles({profile});
    }
    void MakeFrame()
    {
        m_frame.reset();
        m_frame = std::make_unique<CMainFrame>(Path("zentavo.conf"));
        m_frame->DocCommands().OnFileNew();
    }
    QString Path(const QString& name) const { return m_dir.filePath(name); }
    CCalcDoc& Doc() const { return m_frame->Document(); }
    /// A new calculation through the document's command, as the tree's context menu runs it.
    void AddCalculation() { Doc().OnNewCalculation(CCalcDoc::kFirstCalculationCommand); }
    void ShowActive()
    {
        m_frame->show();
        m_frame->activateWindow();
        ASSERT_TRUE(QTest::qWaitForWindowActive(m_frame.get()));
    }

    QTemporaryDir m_dir;
    CHeadlessUIServices m_ui;
    std::unique_ptr<CMainFrame> m_frame;
};

TEST_F(ShellTest, MenusAndToolbarTakeTheirTextsFromTheVocabulary)
{
    QStringList titles;
    for (QAction* action : m_frame->menuBar()->actions())
        titles << action->text();
    EXPECT_EQ(titles, QStringList({"&File", "&Edit", "&Calculation", "&View", "F&ormat", "&Help"}));
    // The backslash of the vocabulary turns into the tab of the accelerator column, and the
    // action carries no shortcut of its own (the accelerators are bound separately).
    QAction* fileNew = m_frame->Actions().Action(kCmdFileNew);
    EXPECT_EQ(fileNew->text(), "&New\tCtrl+N");
    EXPECT_TRUE(fileNew->shortcut().isEmpty());
    EXPECT_EQ(m_frame->Actions().Action(kCmdAppAbout)->text(), "&About Zentavo...");
    EXPECT_EQ(fileNew->toolTip(), "Start a new document");
    EXPECT_EQ(m_frame->Actions().Action(kCmdFormatUnderline)->toolTip(), "Underline the selected text");

    std::vector<unsigned> buttons;
    for (QAction* action : m_frame->Actions().ToolBar()->actions())
        buttons.push_back(action->isSeparator() ? 0 : action->data().toUInt());
    const std::vector<unsigned> expected = {57600, 57601, 57603, 0,     57635, 57634, 57637, 57643,
                                            57644, 0,     40007, 40008, 40009, 0,     57607};
    EXPECT_EQ(buttons, expected);
    for (unsigned id : expected) {
        if (id) {
            EXPECT_FALSE(m_frame->Actions().Action(id)->icon().isNull()) << id;
        }
    }
}

TEST_F(ShellTest, MissingEntriesShowTheirKeyAndLongTooltipsAreCut)
{
    CProfile profile;
    profile.Parse("[Menus]\nFILE_NEW=Neu\\Strg+N\nEDIT=Bearbeiten\n[Tooltips]\nFILE_NEW=" + std::string(100, 'x') +
                  "\nFILE_SAVE=" + std::string(40, 'x') + std::string(60, '\xE9') /* not UTF-8: 1252 */ + "\n");
    SetVocabularyProfiles({profile});
    MakeFrame();
    EXPECT_EQ(m_frame->Actions().Action(kCmdFileNew)->text(), "Neu\tStrg+N");
    EXPECT_EQ(m_frame->Actions().Action(kCmdFileOpen)->text(), "FILE_OPEN");
    EXPECT_EQ(m_frame->menuBar()->actions().at(1)->text(), "Bearbeiten");
    EXPECT_EQ(m_frame->menuBar()->actions().at(0)->text(), "FILE");
    EXPECT_EQ(TooltipText(kCmdFileNew), std::string(79, 'x'));
    // Cut by characters, never inside one: 40 ASCII and 39 two-byte characters.
    EXPECT_EQ(QString::fromStdString(TooltipText(kCmdFileSave)).size(), 79);
    EXPECT_EQ(TooltipText(kCmdFileOpen), "FILE_OPEN");
    EXPECT_EQ(TooltipText(kCmdDelete), "No tooltip");
}

TEST_F(ShellTest, CommandsGoToTheActivePane)
{
    ShowActive();
    AddCalculation();
    m_frame->Tree().setFocus();
    QApplication::processEvents();
    ASSERT_EQ(m_frame->ActivePane(), CMainFrame::Pane::Tree);
    EXPECT_TRUE(m_frame->IsCommandEnabled(kCmdDelete));
    EXPECT_FALSE(m_frame->IsCommandEnabled(kCmdFormatBold));
    EXPECT_TRUE(m_frame->IsCommandEnabled(kCmdHelpFinder)); // the manual, whichever pane

    m_frame->Edit().setFocus();
    QApplication::processEvents();
    ASSERT_EQ(m_frame->ActivePane(), CMainFrame::Pane::Edit);
    EXPECT_FALSE(m_frame->IsCommandEnabled(kCmdDelete)); // no handler in the result view
    EXPECT_TRUE(m_frame->IsCommandEnabled(kCmdFormatBold));
    EXPECT_FALSE(m_frame->Actions().Action(kCmdDelete)->isEnabled());

    // A menu taking the focus leaves the active pane as it was.
    m_frame->Actions().Menus().at(1)->popup(m_frame->mapToGlobal(QPoint(10, 10)));
    QApplication::processEvents();
    EXPECT_EQ(m_frame->ActivePane(), CMainFrame::Pane::Edit);
    m_frame->Actions().Menus().at(1)->close();
}

TEST_F(ShellTest, F5RedoesOnceWhicheverPaneHasTheFocus)
{
    ShowActive();
    AddCalculation();
    auto* calc = static_cast<CCalculation*>(Doc().GetSelectedNode());
    ASSERT_TRUE(calc && calc->IsCalculation());
    calc->Editted(1); // redo then asks first; the answer No leaves everything as it is
    for (QWidget* pane : {static_cast<QWidget*>(&m_frame->Tree()), static_cast<QWidget*>(&m_frame->Edit())}) {
        m_ui.m_messages.clear();
        m_ui.m_answers = {IDNO, IDNO};
        pane->setFocus();
        QApplication::processEvents();
        QTest::keyClick(pane, Qt::Key_F5);
        EXPECT_EQ(m_ui.m_messages.size(), 1u) << pane->metaObject()->className();
    }
}

TEST_F(ShellTest, SaveChangesQuestionGuardsNew)
{
    AddCalculation();
    ASSERT_TRUE(Doc().IsModified());

    m_ui.m_answers = {IDCANCEL};
    m_frame->OnCommand(kCmdFileNew);
    ASSERT_EQ(m_ui.m_messages.size(), 1u);
    EXPECT_EQ(m_ui.m_messages[0], "Save changes to Untitled?");
    EXPECT_TRUE(Doc().IsModified());
    EXPECT_EQ(CalculationCount(Doc()), 1);
    EXPECT_EQ(m_frame->windowTitle(), "Untitled[*] - Zentavo");
    EXPECT_TRUE(m_frame->isWindowModified());

    // Yes, then cancelling the file dialog: nothing was saved, so nothing is dropped.
    m_ui.m_answers = {IDYES};
    m_ui.m_fileNames = {std::nullopt};
    m_frame->OnCommand(kCmdFileNew);
    EXPECT_EQ(CalculationCount(Doc()), 1);

    m_ui.m_answers = {IDNO};
    m_frame->OnCommand(kCmdFileNew);
    EXPECT_FALSE(Doc().IsModified());
    EXPECT_EQ(CalculationCount(Doc()), 0);
    EXPECT_FALSE(m_frame->isWindowModified());

    // Closing the window asks too; Cancel keeps it open.
    AddCalculation();
    m_frame->show();
    m_ui.m_answers = {IDCANCEL};
    EXPECT_FALSE(m_frame->close());
    EXPECT_TRUE(m_frame->isVisible());
    m_ui.m_answers = {IDNO};
    EXPECT_TRUE(m_frame->close());
}

TEST_F(ShellTest, SaveOpenAndExportRoundTripThroughTheCommands)
{
    AddCalculation();
    AddCalculation();
    const QString study = Path("study.zna");
    m_ui.m_fileNames = {study.toStdString()};
    m_frame->OnCommand(kCmdFileSaveAs);
    EXPECT_TRUE(m_ui.m_messages.empty());
    EXPECT_FALSE(Doc().IsModified());
    ASSERT_EQ(m_ui.m_fileRequests.size(), 1u);
    EXPECT_EQ(m_ui.m_fileRequests[0].initialName, "Untitled.zna"); // a new document: its title
    m_ui.m_fileNames = {std::nullopt};
    m_frame->OnCommand(kCmdFileSaveAs); // a saved one: its own file
    EXPECT_EQ(m_ui.m_fileRequests.back().initialName, study.toStdString());
    EXPECT_EQ(m_frame->windowTitle(), "study[*] - Zentavo");
    EXPECT_EQ(m_frame->RecentFiles().Files().value(0), study);
    EXPECT_EQ(m_frame->Actions().Action(kCmdFileMru1)->text().left(3), "&1 ");

    m_frame->OnCommand(kCmdFileNew);
    ASSERT_EQ(CalculationCount(Doc()), 0);
    m_ui.m_fileNames = {study.toStdString()};
    m_frame->OnCommand(kCmdFileOpen);
    EXPECT_EQ(CalculationCount(Doc()), 2);
    EXPECT_EQ(Doc().GetHead()->GetLabel(), "study");

    const QString text = Path("reports.txt");
    m_ui.m_fileNames = {text.toStdString()};
    m_frame->OnCommand(kCmdFileExport);
    const std::string exported = ReadFile(text);
    const std::string separator = CCalcDoc::kExportSeparator;
    EXPECT_EQ(exported,
              "Shell 1\r\nResult       12.5\r\n" + separator + "Shell 2\r\nResult       12.5\r\n" + separator);

    // A file that does not read as a document is reported and leaves the open one alone.
    {
        std::ofstream(Path("bad.zna").toStdString()) << "not a document";
    }
    m_ui.m_fileNames = {Path("bad.zna").toStdString()};
    m_frame->OnCommand(kCmdFileOpen);
    ASSERT_EQ(m_ui.m_messages.size(), 1u);
    EXPECT_EQ(m_ui.m_messages[0], "Unexpected file format.");
    EXPECT_EQ(CalculationCount(Doc()), 2);
    EXPECT_EQ(m_frame->RecentFiles().Files().size(), 1);

    // A recent file that is gone is reported and dropped from the list.
    QFile::remove(study);
    m_ui.m_messages.clear();
    m_frame->OnCommand(kCmdFileMru1);
    ASSERT_EQ(m_ui.m_messages.size(), 1u);
    EXPECT_EQ(m_ui.m_messages[0], study.toStdString() + " was not found.");
    EXPECT_TRUE(m_frame->RecentFiles().Files().isEmpty());
    EXPECT_EQ(m_frame->Actions().Action(kCmdFileMru1), nullptr);
}

TEST_F(ShellTest, SavingAsksBeforeOverwritingAFileChangedOnDisk)
{
    AddCalculation();
    const std::string study = Path("study.zna").toStdString();
    m_ui.m_fileNames = {study};
    m_frame->OnCommand(kCmdFileSaveAs);
    ASSERT_TRUE(m_ui.m_messages.empty());

    // Another copy of the program saves the same file in the meantime.
    {
        CCalcDoc other;
        ASSERT_TRUE(other.OnOpenDocument(study));
        auto theirs = std::make_unique<CCalculation>(CCalcType(1, 1, 1, 0));
        ASSERT_TRUE(theirs->SetupBase("1110"));
        ASSERT_TRUE(other.Add(std::move(theirs)));
        ASSERT_TRUE(other.OnSaveDocument(study));
    }
    const std::string theirs = ReadFile(Path("study.zna"));
    AddCalculation();
    m_ui.m_answers = {IDNO};
    m_frame->OnCommand(kCmdFileSave);
    ASSERT_EQ(m_ui.m_messages.size(), 1u);
    EXPECT_EQ(m_ui.m_messages[0],
              study + " was changed on disk since it was opened or saved.\nOverwrite it with this document?");
    EXPECT_EQ(ReadFile(Path("study.zna")), theirs);
    EXPECT_TRUE(Doc().IsModified());

    m_ui.m_answers = {IDYES};
    m_frame->OnCommand(kCmdFileSave);
    EXPECT_FALSE(Doc().IsModified());
    EXPECT_NE(ReadFile(Path("study.zna")), theirs);
    m_ui.m_messages.clear();
    AddCalculation();
    m_frame->OnCommand(kCmdFileSave); // our own last save: no question
    EXPECT_TRUE(m_ui.m_messages.empty());
}

TEST_F(ShellTest, QtServicesPlaceAllClipboardFormatsAndHoldTheWindowWhileBusy)
{
    CQtUIServices services;
    const CUIServicesGuard servicesGuard(services);
    CClipboardData data;
    data.calculation = {1, 2, 0, 255};
    data.rtf = "{\\rtf1 x}";
    data.plainText = "x\ny";
    std::string error;
    ASSERT_TRUE(services.SetClipboard(data, error));
    QApplication::processEvents();
    const QMimeData* mime = QGuiApplication::clipboard()->mimeData();
    ASSERT_NE(mime, nullptr);
    EXPECT_EQ(mime->data("text/rtf"), QByteArray("{\\rtf1 x}"));
    EXPECT_EQ(mime->data("application/rtf"), QByteArray("{\\rtf1 x}"));
    EXPECT_EQ(mime->text(), "x\ny");
    EXPECT_TRUE(services.ClipboardHasCalculation());
    EXPECT_EQ(services.GetClipboardCalculation(), data.calculation);
    QGuiApplication::clipboard()->setText("plain only");
    QApplication::processEvents();
    EXPECT_FALSE(services.ClipboardHasCalculation());
    EXPECT_FALSE(services.GetClipboardCalculation().has_value());

    // A long computation's progress: the window refuses to close until it ends.
    m_frame->show();
    services.ProgressBegin("Please wait...", 65535);
    services.ProgressSetPos(30000);
    EXPECT_TRUE(services.IsBusy());
    EXPECT_FALSE(m_frame->close());
    services.ProgressEnd();
    EXPECT_FALSE(services.IsBusy());
    EXPECT_TRUE(m_frame->close());
}

TEST(WindowPlacement, RectEncodesAsTwoLettersPerByte)
{
    const CWindowRect rect{100, 50, 900, 650};
    EXPECT_EQ(EncodeProfileBinary(EncodeWindowRect(rect)), "EGAAAAAACDAAAAAAEIDAAAAAKICAAAAA");
    EXPECT_EQ(DecodeWindowRect(DecodeProfileBinary("EGAAAAAACDAAAAAAEIDAAAAAKICAAAAA")), rect);
    const CWindowRect negative{-8, -8, 1288, 1000};
    EXPECT_EQ(DecodeWindowRect(EncodeWindowRect(negative)), negative);
    EXPECT_EQ(DecodeWindowRect(DecodeProfileBinary("EGAAAAAACDAAAAAAEIDAAAAAKICAAA")), CWindowRect());
    EXPECT_EQ(DecodeWindowRect(std::vector<unsigned char>(17, 1)), CWindowRect());
}

TEST(WindowPlacement, OnlyARectangleInsideTheScreenIsApplied)
{
    struct
    {
        CWindowRect rect;
        bool fits;
    } const cases[] = {
        {{100, 50, 900, 650}, true},   {{0, 0, 1023, 767}, true},
        {{0, 0, 1024, 700}, false}, // flush with the right edge: right is exclusive
        {{0, 0, 800, 768}, false},     {{-1, 0, 800, 600}, false},
        {{100, 100, 100, 600}, false}, // zero width
        {{300, 300, 200, 600}, false}, {{}, false},
    };
    for (const auto& c : cases)
        EXPECT_EQ(RectFitsScreen(c.rect, 1024, 768), c.fits) << c.rect.left << "," << c.rect.right;
}

TEST_F(ShellTest, RecentFilesKeepTheLastFourMostRecentFirst)
{
    CRecentFiles recent(Path("recent.conf"));
    for (const char* name : {"a.zna", "b.zna", "c.zna", "d.zna", "e.zna", "c.zna"})
        recent.Add(Path(name));
    EXPECT_EQ(recent.Files(), QStringList({Path("c.zna"), Path("e.zna"), Path("d.zna"), Path("b.zna")}));
    recent.Remove(Path("e.zna"));
    EXPECT_EQ(CRecentFiles(Path("recent.conf")).Files(), QStringList({Path("c.zna"), Path("d.zna"), Path("b.zna")}));
    EXPECT_EQ(CRecentFiles::MenuText(0, QDir::homePath() + "/R&D/x.zna"), "&1 ~/R&&D/x.zna");
    EXPECT_EQ(CRecentFiles::MenuText(3, "/srv/y.zna"), "&4 /srv/y.zna");
}

namespace
{
enum
{
    kIdName = 1022,
    kIdCount = 1024,
    kIdCountArrows = 1025,
    kIdLevel95 = 1020,
    kIdLevel99 = 1021,
    kIdClear = 1030,
};

/// A calculation dialog in miniature: a title of at most 10 characters, a count from 1 to 100
/// with arrows, a radio group, and a button that empties the title from the dialog's code.
class CSmallDlg : public CDialog
{
public:
    CSmallDlg()
        : CDialog(
              CDialogTemplate{900,
                              "Small",
                              {StaticCtl(1105, "&Title:", 0, 0), EditCtl(kIdName, 0, 1).MaxChars(10),
                               StaticCtl(1106, "Count:", 1, 0), NumberEditCtl(kIdCount, 1, 1),
                               UpDownCtl(kIdCountArrows, kIdCount, 1, 2), GroupBoxCtl(1107, "Level", 2, 0).Span(1, 3),
                               RadioCtl(kIdLevel95, "95%", 0, 0).InGroup(1107).GroupStart(),
                               RadioCtl(kIdLevel99, "99%", 0, 1).InGroup(1107), ButtonCtl(kIdClear, "Clear", 3, 0),
                               DefButtonCtl(IDOK, "OK", 3, 1), ButtonCtl(IDCANCEL, "Cancel", 3, 2)}})
    {}
    bool OnInitDialog() override
    {
        CDialog::OnInitDialog();
        SetRange(kIdCountArrows, 1, 100);
        SetWindowText("Small dialog");
        return true;
    }
    void DoDataExchange(CDataExchange& dx) override
    {
        DDX_Text(dx, kIdName, m_name);
        DDV_MaxChars(dx, m_name, 10);
        DDX_Text(dx, kIdCount, m_count);
        DDV_MinMaxUInt(dx, m_count, 1, 100);
        DDX_Radio(dx, kIdLevel95, m_level);
    }
    void OnButton(int id) override
    {
        if (id == kIdClear)
            SetDlgItemText(kIdName, "");
    }

    std::string m_name = "first";
    uint32_t m_count = 5;
    int m_level = 0;
};

/// Runs `body` on the dialog once it is open; the dialog closes whatever the body does.
void WhenOpen(std::function<void(CQtDialog&)> body)
{
    WhenDialogOpens(std::move(body));
}

template <class Widget> Widget* ControlOf(CQtDialog& dialog, int id)
{
    return dialog.findChild<Widget*>(CQtDialog::ObjectNameOf(id));
}
} // namespace

TEST_F(ShellTest, QtDialogHostRefusesAFieldAndEndsOnlyThroughTheModel)
{
    CQtDialogHost host;
    const CDialogHostGuard hostGuard(host);
    CSmallDlg dialog;
    WhenOpen([this](CQtDialog& window) {
        EXPECT_EQ(window.windowTitle(), "Small dialog");
        auto* name = ControlOf<QLineEdit>(window, kIdName);
        auto* count = ControlOf<QLineEdit>(window, kIdCount);
        ASSERT_TRUE(name && count);
        EXPECT_EQ(name->text(), "first");
        EXPECT_EQ(count->text(), "5");
        EXPECT_TRUE(ControlOf<QPushButton>(window, IDOK)->isDefault());
        EXPECT_TRUE(ControlOf<QRadioButton>(window, kIdLevel95)->isChecked());

        // Typing stops at the limit; the number field takes digits only; the arrows step
        // through the model.
        name->selectAll();
        QTest::keyClicks(name, "abcdefghijklmn");
        EXPECT_EQ(name->text(), "abcdefghij");
        count->selectAll();
        QTest::keyClicks(count, "2x0");
        EXPECT_EQ(count->text(), "20");
        ControlOf<QWidget>(window, kIdCountArrows)->findChild<QToolButton*>("up")->click();
        EXPECT_EQ(count->text(), "21");
        ControlOf<QRadioButton>(window, kIdLevel99)->click();

        // A count out of range is refused on OK: the prompt, the dialog stays, the field has
        // the focus, selected.
        count->selectAll();
        QTest::keyClicks(count, "500");
        ControlOf<QPushButton>(window, IDOK)->click();
        ASSERT_EQ(m_ui.m_messages.size(), 1u);
        EXPECT_EQ(m_ui.m_messages[0], "Please enter an integer between 1 and 100.");
        EXPECT_TRUE(window.isVisible());
        EXPECT_EQ(window.focusWidget(), count);
        EXPECT_EQ(count->selectedText(), "500");

        QTest::keyClicks(count, "42");
        QTest::keyClick(count, Qt::Key_Return); // the default button
    });
    EXPECT_EQ(dialog.DoModal(), IDOK);
    EXPECT_EQ(dialog.m_name, "abcdefghij");
    EXPECT_EQ(dialog.m_count, 42u);
    EXPECT_EQ(dialog.m_level, 1);

    // Esc cancels; what the dialog's own code changes shows in the widgets.
    CSmallDlg second;
    WhenOpen([](CQtDialog& window) {
        ControlOf<QPushButton>(window, kIdClear)->click();
        EXPECT_EQ(ControlOf<QLineEdit>(window, kIdName)->text(), "");
        QTest::keyClick(&window, Qt::Key_Escape);
    });
    EXPECT_EQ(second.DoModal(), IDCANCEL);
    EXPECT_EQ(second.m_name, "first");
}

namespace
{
enum
{
    kIdList = 1034,
    kIdTabs = 1040,
    kIdRemove = 1033,
};

/// A list-entry dialog in miniature: two columns, a tab per group, a button that removes the
/// selected row, and a tab change that relabels the second column.
class CListDlg : public CDialog
{
public:
    CListDlg()
        : CDialog(CDialogTemplate{901,
                                  "Lists",
                                  {TabCtl(kIdTabs, 0, 0).Span(1, 2), ListCtl(kIdList, 1, 0).Span(1, 2),
                                   ButtonCtl(kIdRemove, "Remove", 2, 0), DefButtonCtl(IDOK, "OK", 3, 0),
                                   ButtonCtl(IDCANCEL, "Cancel", 3, 1)}})
    {}
    bool OnInitDialog() override
    {
        CDialog::OnInitDialog();
        CListCtrl& list = *GetListCtrl(kIdList);
        const int width = list.GetViewportWidth() / 2;
        list.InsertColumn(0, "Group", width);
        list.InsertColumn(1, "Count", width);
        for (int row = 0; row < 3; ++row) {
            list.InsertItem(row, "G" + std::to_string(row + 1));
            list.SetItemText(row, 1, std::to_string(10 * (row + 1)));
        }
        GetTabCtrl(kIdTabs)->InsertItem(0, "Exposed");
        GetTabCtrl(kIdTabs)->InsertItem(1, "Unexposed");
        return true;
    }
    void OnButton(int id) override
    {
        CListCtrl& list = *GetListCtrl(kIdList);
        if (id == kIdRemove && list.GetSelectedRow() >= 0)
            list.DeleteItem(list.GetSelectedRow());
    }
    void OnTabSelChange(int) override
    {
        GetListCtrl(kIdList)->SetItemText(0, 1, "tab " + std::to_string(GetTabCtrl(kIdTabs)->GetCurSel()));
    }
};
} // namespace

TEST_F(ShellTest, QtDialogHostMirrorsListsAndTabsBothWays)
{
    CQtDialogHost host;
    const CDialogHostGuard hostGuard(host);
    CListDlg dialog;
    WhenOpen([&dialog](CQtDialog& window) {
        auto* list = ControlOf<QTreeWidget>(window, kIdList);
        auto* tabs = ControlOf<QTabBar>(window, kIdTabs);
        ASSERT_TRUE(list && tabs);
        ASSERT_EQ(list->topLevelItemCount(), 3);
        EXPECT_EQ(list->headerItem()->text(1), "Count");
        EXPECT_EQ(list->topLevelItem(2)->text(1), "30");
        EXPECT_EQ(list->columnWidth(0), list->viewport()->width() / 2);
        EXPECT_EQ(tabs->count(), 2);

        list->setCurrentItem(list->topLevelItem(1));
        EXPECT_EQ(dialog.GetListCtrl(kIdList)->GetSelectedRow(), 1);
        ControlOf<QPushButton>(window, kIdRemove)->click();
        ASSERT_EQ(list->topLevelItemCount(), 2);
        EXPECT_EQ(list->topLevelItem(1)->text(0), "G3");

        tabs->setCurrentIndex(1);
        EXPECT_EQ(dialog.GetTabCtrl(kIdTabs)->GetCurSel(), 1);
        EXPECT_EQ(list->topLevelItem(0)->text(1), "tab 1");
        ControlOf<QPushButton>(window, IDOK)->click();
    });
    EXPECT_EQ(dialog.DoModal(), IDOK);
}

namespace
{
/// The texts of a menu and its sub-menus, depth first, sub-menu items indented.
QStringList MenuTexts(QMenu& menu, int depth = 0)
{
    QStringList texts;
    for (QAction* action : menu.actions()) {
        texts << QString(depth, QLatin1Char(' ')) + action->text();
        if (action->menu())
            texts << MenuTexts(*action->menu(), depth + 1);
    }
    return texts;
}

QAction* FindCommandAction(QMenu& menu, unsigned id)
{
    for (QAction* action : menu.actions()) {
        if (QMenu* sub = action->menu()) {
            if (QAction* found = FindCommandAction(*sub, id))
                return found;
        } else if (action->property("zentavoCommand").toUInt() == id) {
            return action;
        }
    }
    return nullptr;
}

bool IsBound(const QKeySequence& keys, unsigned id)
{
    for (const CFrameActions::CAccelerator& accelerator : CFrameActions::Accelerators()) {
        if (accelerator.keys == keys && accelerator.id == id)
            return true;
    }
    return false;
}
} // namespace

TEST_F(ShellTest, CalculationMenuStartsCalculationsAsTheContextMenuDoes)
{
    std::unique_ptr<QMenu> context(m_frame->Tree().CreateContextMenu(CCalcType(), nullptr));
    EXPECT_EQ(MenuTexts(m_frame->CalculationMenu()), MenuTexts(*context));
    EXPECT_EQ(m_frame->CalculationMenu().title(), "&Calculation");

    QAction* percentage = FindCommandAction(m_frame->CalculationMenu(), CCalcDoc::kFirstCalculationCommand);
    ASSERT_NE(percentage, nullptr);
    percentage->trigger();
    EXPECT_EQ(CalculationCount(Doc()), 1);
    EXPECT_TRUE(m_frame->IsCommandEnabled(kCmdUndo));
    m_frame->OnCommand(kCmdUndo);
    EXPECT_EQ(CalculationCount(Doc()), 0);
    EXPECT_FALSE(Doc().IsModified());
    EXPECT_FALSE(m_frame->isWindowModified());
    m_frame->OnCommand(kCmdEditRedo);
    EXPECT_EQ(CalculationCount(Doc()), 1);
    EXPECT_TRUE(m_frame->isWindowModified());
}

TEST_F(ShellTest, StandardKeysAreBound)
{
    EXPECT_TRUE(IsBound(QKeySequence(Qt::CTRL | Qt::Key_Q), kCmdAppExit));
    EXPECT_TRUE(IsBound(QKeySequence(Qt::CTRL | Qt::SHIFT | Qt::Key_S), kCmdFileSaveAs));
    EXPECT_TRUE(IsBound(QKeySequence(Qt::CTRL | Qt::Key_Z), kCmdUndo));
    EXPECT_TRUE(IsBound(QKeySequence(Qt::CTRL | Qt::SHIFT | Qt::Key_Z), kCmdEditRedo));
    EXPECT_TRUE(IsBound(QKeySequence(Qt::Key_F5), kCmdRedo));
    EXPECT_EQ(m_frame->Actions().Action(kCmdEditRedo)->text(), "&Redo\tCtrl+Shift+Z");
    // Each key runs one command only.
    std::map<QString, unsigned> seen;
    for (const CFrameActions::CAccelerator& accelerator : CFrameActions::Accelerators()) {
        const auto [it, fresh] = seen.emplace(accelerator.keys.toString(), accelerator.id);
        EXPECT_TRUE(fresh || it->second == accelerator.id) << accelerator.keys.toString().toStdString();
    }
}

TEST_F(ShellTest, ADocumentThatCannotBeOpenedAtStartIsNamedAndANewOneStarts)
{
    {
        std::ofstream(Path("damaged.zna").toStdString()) << "not a document";
    }
    for (const QString& file : {Path("damaged.zna"), Path("missing.zna")}) {
        std::string failure;
        EXPECT_FALSE(CCalcApp::OpenOnStart(*m_frame, file, failure));
        EXPECT_NE(failure.find(file.toStdString()), std::string::npos) << failure;
        EXPECT_TRUE(m_ui.m_messages.empty()); // the document's own message is not shown
        EXPECT_NE(Doc().GetHead(), nullptr);
    }
    AddCalculation();
    EXPECT_EQ(CalculationCount(Doc()), 1);
}

#ifdef ZENTAVO_PROGRAM
TEST_F(ShellTest, PrintingADocumentThatCannotBeOpenedEndsWithStatusOne)
{
    {
        std::ofstream(Path("damaged.zna").toStdString()) << "not a document";
    }
    QProcess program;
    QProcessEnvironment environment = QProcessEnvironment::systemEnvironment();
    environment.insert("QT_QPA_PLATFORM", "offscreen");
    environment.insert("XDG_CONFIG_HOME", Path("config"));
    // In the sanitizer build Qt's plugins and fontconfig keep allocations until exit, which the
    // leak check would turn into its own exit status; the GUI tests leave it off too.
    environment.insert("ASAN_OPTIONS", "detect_leaks=0");
    program.setProcessEnvironment(environment);
    program.start(QStringLiteral(ZENTAVO_PROGRAM), {"--print", Path("damaged.zna")});
    ASSERT_TRUE(program.waitForFinished(30000)); // nobody is asked anything
    EXPECT_EQ(program.exitStatus(), QProcess::NormalExit);
    EXPECT_EQ(program.exitCode(), 1);
    EXPECT_TRUE(QString::fromLocal8Bit(program.readAllStandardError()).contains(Path("damaged.zna")));
}
#endif

TEST_F(ShellTest, RecalculatingAStratifiedAnalysisShowsEveryStratumUnderItsTitle)
{
    ZNTVStatInit(); // the real calculations
    CQtDialogHost host;
    const CDialogHostGuard hostGuard(host);
    for (const int strata : {3, 16}) {
        auto calc = std::make_unique<CCalculation>(CCalcType(3, 3, 0, 0));
        ASSERT_TRUE(calc->SetupBase("3300"));
        auto* data = static_cast<CCompStrat*>(calc->GetData());
        data->SetTitle("Strata");
        data->m_strata.clear();
        for (int i = 0; i < strata; ++i)
            data->m_strata.push_back(CStratum{"Centre " + std::to_string(i + 1), 10, 20, 30, 40});
        CCalculation* added = Doc().Add(std::move(calc));
        ASSERT_TRUE(added);
        m_frame->Tree().SelectNode(added);
        bool seen = false;
        WhenOpen([strata, &seen](CQtDialog& window) {
            seen = true;
            auto* tabs = ControlOf<QTabBar>(window, 1094);
            ASSERT_NE(tabs, nullptr);
            ASSERT_EQ(tabs->count(), strata);
            // Laid out at their full height: tabs added before the dialog shows are seen.
            EXPECT_TRUE(tabs->isVisible());
            EXPECT_GE(tabs->height(), tabs->sizeHint().height());
            EXPECT_EQ(tabs->tabText(0), "Centre 1");
            EXPECT_EQ(tabs->tabText(strata - 1), QString("Centre %1").arg(strata));
            EXPECT_TRUE(ControlOf<QPushButton>(window, 1033)->isEnabled());            // Remove
            EXPECT_EQ(ControlOf<QPushButton>(window, 1032)->isEnabled(), strata < 16); // Add
            QTest::keyClick(&window, Qt::Key_Escape);
        });
        m_frame->Tree().RedoCalculation();
        EXPECT_TRUE(seen);
        EXPECT_EQ(data->m_strata.size(), static_cast<size_t>(strata)); // cancelled: unchanged
    }
    SetCalcFactory(&ShellTestFactory);
}
