// File > Export and Export Selected through the frame (file type by the chosen name, the
// selected report alone), HTML on the clipboard beside RTF and plain text, and the program's
// command line (--help, --version, several files).
#include "CCalcApp.h"
#include "CCalcBase.h"
#include "CCalcDoc.h"
#include "CCalcDocNode.h"
#include "CCalcEditView.h"
#include "CCalcTreeView.h"
#include "CCalculation.h"
#include "CDocCommands.h"
#include "CMainFrame.h"
#include "CalcFactory.h"
#include "FrameCommands.h"
#include "FrameworkInit.h"
#include "Profile.h"
#include "QtUIServices.h"
#include "TestSupport.h"
#include "UIServices.h"

#include <QApplication>
#include <QClipboard>
#include <QMimeData>
#include <QProcess>
#include <QTemporaryDir>

#include <fstream>
#include <gtest/gtest.h>
#include <iterator>

namespace
{
/// A calculation whose report names it, with a heading that needs escaping in HTML.
class CExportTestCalc : public CCalcBase
{
    DECLARE_SERIAL(CExportTestCalc)
public:
    bool Do() override
    {
        SetTitle("Calc " + std::to_string(++s_made));
        InsertPhrase(GetTitle() + " <&>\n", kPhraseBold);
        InsertPhrase("Odds ratio\t2.50\n", kPhrasePlain);
        return true;
    }
    static inline int s_made = 0;
};
IMPLEMENT_SERIAL(CExportTestCalc, CCalcBase, 0)

CCalcBase* ExportTestFactory(const std::string& code)
{
    return code == "0000" ? nullptr : new CExportTestCalc;
}

std::string ReadFile(const QString& path)
{
    std::ifstream in(path.toStdString(), std::ios::binary);
    return std::string(std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>());
}

class ExportCommandTest : public ::testing::Test
{
protected:
    void SetUp() override
    {
        ZNTVCalcInit();
        AfxRegisterClass(RUNTIME_CLASS(CExportTestCalc));
        CProfile profile;
        profile.Load(ShippedVocabularyPath());
        SetVocabularyProfiles({profile});
        SetUIServices(&m_ui);
        SetCalcFactory(&ExportTestFactory);
        CExportTestCalc::s_made = 0;
        ASSERT_TRUE(m_dir.isValid());
        m_frame = std::make_unique<CMainFrame>(m_dir.filePath("zentavo.conf"));
        m_frame->DocCommands().OnFileNew();
        Doc().OnNewCalculation(CCalcDoc::kFirstCalculationCommand);
        Doc().OnNewCalculation(CCalcDoc::kFirstCalculationCommand);
    }
    void TearDown() override
    {
        m_frame.reset();
        SetCalcFactory(nullptr);
        SetUIServices(nullptr);
        ResetVocabulary();
    }
    CCalcDoc& Doc() const { return m_frame->Document(); }
    /// Runs an export command answering the file dialog with `name`.
    std::string Export(unsigned command, const QString& name)
    {
        m_ui.m_fileNames = {m_dir.filePath(name).toStdString()};
        m_frame->OnCommand(command);
        return ReadFile(m_dir.filePath(name));
    }

    QTemporaryDir m_dir;
    CHeadlessUIServices m_ui;
    std::unique_ptr<CMainFrame> m_frame;
};

TEST_F(ExportCommandTest, TheChosenFileTypeAndTheSelectionDecideWhatIsWritten)
{
    const std::string all = Export(kCmdFileExport, "all.html");
    ASSERT_EQ(m_ui.m_fileRequests.size(), 1u);
    const CFileDialogRequest& request = m_ui.m_fileRequests[0];
    EXPECT_EQ(request.title, "Export All Reports");
    EXPECT_EQ(request.filterName, "Text Files (*.txt);;HTML Files (*.html *.htm);;PDF Files (*.pdf);;"
                                  "ODF Text Documents (*.odt)");
    EXPECT_NE(all.find("Calc 1 &lt;&amp;&gt;"), std::string::npos);
    EXPECT_NE(all.find("Calc 2 &lt;&amp;&gt;"), std::string::npos);

    // The second calculation is on show: Export Selected writes its report alone.
    ASSERT_TRUE(Doc().GetSelectedNode() && Doc().GetSelectedNode()->IsCalculation());
    EXPECT_TRUE(m_frame->IsCommandEnabled(kCmdFileExportSelected));
    const std::string selected = Export(kCmdFileExportSelected, "one.html");
    EXPECT_EQ(m_ui.m_fileRequests.back().title, "Export Selected Reports");
    EXPECT_EQ(selected.find("Calc 1"), std::string::npos);
    EXPECT_NE(selected.find("Calc 2 &lt;&amp;&gt;"), std::string::npos);
    EXPECT_EQ(Export(kCmdFileExportSelected, "one.txt"),
              "Calc 2 <&>\r\nOdds ratio\t2.50\r\n" + std::string(CCalcDoc::kExportSeparator));

    EXPECT_EQ(Export(kCmdFileExport, "all.pdf").rfind("%PDF-", 0), 0u);
    EXPECT_EQ(Export(kCmdFileExport, "all.odt").rfind("PK", 0), 0u); // a zip package
    EXPECT_TRUE(m_ui.m_messages.empty());

    // A file that cannot be written is reported, not taken as written (Qt's own note is muted).
    const QtMessageHandler previous =
        qInstallMessageHandler([](QtMsgType, const QMessageLogContext&, const QString&) {});
    Export(kCmdFileExport, "missing-folder/all.pdf");
    qInstallMessageHandler(previous);
    ASSERT_EQ(m_ui.m_messages.size(), 1u);
    EXPECT_NE(m_ui.m_messages[0].find("missing-folder/all.pdf"), std::string::npos);
}

TEST_F(ExportCommandTest, CopiesCarryHtmlBesideRtfAndPlainText)
{
    CQtUIServices services;
    CClipboardData data;
    data.rtf = "{\\rtf1\\ansi{\\b Title <1>\\b0\\par}Value\\tab 3\\par}";
    data.plainText = "Title <1>\r\nValue\t3\r\n";
    std::string error;
    ASSERT_TRUE(services.SetClipboard(data, error));
    const QMimeData* mime = QGuiApplication::clipboard()->mimeData();
    ASSERT_NE(mime, nullptr);
    EXPECT_TRUE(mime->hasFormat(QStringLiteral("text/rtf")));
    EXPECT_EQ(mime->text().toStdString(), data.plainText);
    ASSERT_TRUE(mime->hasHtml());
    EXPECT_NE(mime->html().indexOf(QStringLiteral("<b>Title &lt;1&gt;</b>\nValue\t3")), -1)
        << mime->html().toStdString();

    // A selection of the report on show goes as HTML too.
    m_frame->Edit().selectAll();
    m_frame->Edit().copy();
    mime = QGuiApplication::clipboard()->mimeData();
    ASSERT_NE(mime, nullptr);
    EXPECT_TRUE(mime->hasHtml());
    EXPECT_NE(mime->html().indexOf(QStringLiteral("Odds ratio")), -1);
}

TEST(ProgramCommandLine, OptionsFilesAndErrors)
{
    const auto parse = [](QStringList arguments) {
        arguments.prepend(QStringLiteral("zentavo"));
        return CCalcApp::ParseCommandLine(arguments);
    };
    CCalcApp::CCommandLine line = parse({"--vocab", "v.ini", "a.zna", "b.zna"});
    EXPECT_TRUE(line.error.isEmpty());
    EXPECT_EQ(line.vocabulary, "v.ini");
    EXPECT_EQ(line.file, "a.zna"); // several files from a file manager: the first is opened
    EXPECT_EQ(line.ignored, QStringList{"b.zna"});
    line = parse({"--print", "a.zna"});
    EXPECT_TRUE(line.print);
    EXPECT_EQ(line.file, "a.zna");
    EXPECT_FALSE(parse({"--print", "a.zna", "b.zna"}).error.isEmpty());
    EXPECT_FALSE(parse({"--print"}).error.isEmpty());
    EXPECT_FALSE(parse({"--bogus"}).error.isEmpty());
    EXPECT_TRUE(parse({"-h"}).help);
    EXPECT_TRUE(parse({"--version"}).version);
}

TEST(ProgramCommandLine, HelpAndVersionNeedNoScreen)
{
    QProcessEnvironment environment = QProcessEnvironment::systemEnvironment();
    environment.remove(QStringLiteral("DISPLAY"));
    environment.remove(QStringLiteral("WAYLAND_DISPLAY"));
    environment.remove(QStringLiteral("QT_QPA_PLATFORM"));
    // Under the sanitizers Qt's own allocations at exit are not checked, as in the GUI tests.
    environment.insert(QStringLiteral("ASAN_OPTIONS"), QStringLiteral("detect_leaks=0"));
    const auto run = [&environment](const QString& program, const QString& option) {
        QProcess process;
        process.setProcessEnvironment(environment);
        process.start(program, {option});
        EXPECT_TRUE(process.waitForFinished(30000));
        EXPECT_EQ(process.exitCode(), 0) << program.toStdString() << " " << option.toStdString();
        return QString::fromUtf8(process.readAllStandardOutput());
    };
    const QString version = run(QStringLiteral(ZENTAVO_PROGRAM), QStringLiteral("--version"));
    EXPECT_EQ(version, QStringLiteral("Zentavo %1\n").arg(QStringLiteral(ZENTAVO_VERSION)));
    EXPECT_EQ(run(QStringLiteral(ZENTAVO_CLI), QStringLiteral("--version")), version);
    const QString help = run(QStringLiteral(ZENTAVO_PROGRAM), QStringLiteral("--help"));
    for (const char* option : {"--vocab <FILE>", "--print <FILE.zna>", "--help", "--version", "FILE.zna"})
        EXPECT_TRUE(help.contains(QLatin1String(option))) << option;
}
} // namespace
