// The start sequence and the exit of the program.
#include "CCalcApp.h"

#include "Artwork.h"
#include "CCalcDoc.h"
#include "CDocCommands.h"
#include "CMainFrame.h"
#include "CStartupScreen.h"
#include "FrameworkInit.h"
#include "Language.h"
#include "Profile.h"
#include "QtTranslations.h"
#include "QtUIServices.h"
#include "UIServices.h"
#include "ZNTVStat.h"

#include <QApplication>
#include <QCommandLineParser>
#include <QFile>
#include <QSessionManager>

#include <clocale>
#include <cstdio>
#include <filesystem>

namespace
{
const char kStartFailure[] = "%1 could not be opened: %2";

/// The message with %1 and %2 replaced (each once, in any order).
std::string FormatMessage(const std::string& text, const std::string& first, const std::string& second)
{
    const QString result =
        QString::fromStdString(text).arg(QString::fromStdString(first), QString::fromStdString(second));
    return result.toStdString();
}

std::filesystem::path ToPath(const QString& path)
{
    return std::filesystem::path(QFile::encodeName(path).toStdString());
}

const QCommandLineOption kVocabOption(QStringLiteral("vocab"),
                                      QStringLiteral("Read every word on screen from FILE alone."),
                                      QStringLiteral("FILE"));
const QCommandLineOption kLangOption(QStringLiteral("lang"),
                                     QStringLiteral("Show the program in language CODE: system, en, de, es, fr, it "
                                                    "or pt (remembered choice or system locale without it)."),
                                     QStringLiteral("CODE"));
const QCommandLineOption kPrintOption(QStringLiteral("print"),
                                      QStringLiteral("Print every report of the document without a dialog, then end."),
                                      QStringLiteral("FILE.zna"));

/// The options and arguments of the program, as `--help` lists them.
void DescribeOptions(QCommandLineParser& parser)
{
    parser.setApplicationDescription(QStringLiteral("Zentavo, the statistics calculator for epidemiologists."));
    parser.addHelpOption();
    parser.addVersionOption();
    parser.addOption(kVocabOption);
    parser.addOption(kLangOption);
    parser.addOption(kPrintOption);
    parser.addPositionalArgument(QStringLiteral("FILE.zna"),
                                 QStringLiteral("The document to open (a new one without it)."),
                                 QStringLiteral("[FILE.zna...]"));
}
} // namespace

CCalcApp::CCommandLine CCalcApp::ParseCommandLine(const QStringList& arguments)
{
    CCommandLine line;
    QCommandLineParser parser;
    DescribeOptions(parser);
    if (!parser.parse(arguments)) {
        line.error = parser.errorText();
        return line;
    }
    line.help = parser.isSet(QStringLiteral("help")) || parser.isSet(QStringLiteral("help-all"));
    line.version = parser.isSet(QStringLiteral("version"));
    line.vocabulary = parser.value(kVocabOption);
    if (parser.isSet(kLangOption)) {
        const QString code = parser.value(kLangOption);
        line.language = code == QLatin1String(kSystemLanguage.data())
                            ? QString::fromStdString(SystemLanguage())
                            : QString::fromStdString(NormalizeLanguage(code.toStdString()));
        if (line.language.isEmpty())
            line.error = QStringLiteral("unknown language '%1'").arg(code);
    }
    QStringList files = parser.positionalArguments();
    if (parser.isSet(kPrintOption)) {
        line.print = true;
        line.file = parser.value(kPrintOption);
        if (!files.isEmpty())
            line.error = QStringLiteral("unexpected argument '%1'").arg(files.constFirst());
        return line;
    }
    // One document is open at a time: a file manager may still hand over several.
    if (!files.isEmpty())
        line.file = files.takeFirst();
    line.ignored = files;
    return line;
}

QString CCalcApp::HelpText()
{
    QCommandLineParser parser;
    DescribeOptions(parser);
    return parser.helpText() +
           QStringLiteral("\nThe options of Qt programs, such as -platform NAME and -style NAME, are accepted too.\n");
}

std::optional<int> CCalcApp::AnswerInformationOptions(int argc, char** argv)
{
    // A core application is enough to answer: no screen is opened, so these work anywhere.
    int count = argc;
    QCoreApplication core(count, argv);
    SetIdentity();
    const CCommandLine line = ParseCommandLine(QCoreApplication::arguments());
    if (line.help) {
        std::fputs(qPrintable(HelpText()), stdout);
        return 0;
    }
    if (line.version) {
        std::printf("%s %s\n", qPrintable(QCoreApplication::applicationName()),
                    qPrintable(QCoreApplication::applicationVersion()));
        return 0;
    }
    return std::nullopt;
}

void CCalcApp::SetIdentity()
{
    QCoreApplication::setApplicationName(QStringLiteral("Zentavo"));
    QCoreApplication::setApplicationVersion(QStringLiteral(ZENTAVO_VERSION));
    QGuiApplication::setDesktopFileName(QStringLiteral("zentavo"));
}

CCalcApp::CCalcApp()
{
    SetIdentity();
}

CCalcApp::~CCalcApp()
{
    ExitInstance();
}

bool CCalcApp::InitInstance(const QStringList& arguments)
{
    const CCommandLine line = ParseCommandLine(arguments);
    if (!line.error.isEmpty()) {
        std::fprintf(stderr, "zentavo: %s\n%s", qPrintable(line.error), qPrintable(HelpText()));
        return false;
    }
    for (const QString& file : line.ignored)
        std::fprintf(stderr, "zentavo: one document at a time: '%s' is not opened\n", qPrintable(file));
    m_printOnly = line.print;
    const QString platform = QGuiApplication::platformName();
    CStartupScreen::SetAllowed(!line.print && platform != QLatin1String("offscreen") &&
                               platform != QLatin1String("minimal"));

    // Numbers follow the user's locale: decimal point and list separator.
    std::setlocale(LC_ALL, "");
    InitVocabulary(ToPath(QCoreApplication::applicationDirPath()), ToPath(line.vocabulary),
                   line.language.toStdString());
    LoadQtTranslations(VocabularyLanguage());
    ZNTVCalcInit();
    ZNTVStatInit();
    // A large document's reports stay in its file until shown, guarded against other writers.
    CCalcDoc::LeaseFilesWhenOpening();
    m_services = std::make_unique<CQtUIServices>();
    SetUIServices(m_services.get());
    SetDialogHost(&m_dialogHost);
    QApplication::setWindowIcon(ApplicationIcon());

    m_frame = std::make_unique<CMainFrame>();
    m_services->SetMainWindow(m_frame.get());
    m_dialogHost.SetMainWindow(m_frame.get());
    m_frame->ApplySavedRect(DecodeWindowRect(GetProfileBinary("Window", "Rect")));
    m_frame->RestoreToolbarState(GetProfileBinary("Window", "State"));
    QObject::connect(qApp, &QGuiApplication::commitDataRequest, m_frame.get(), &CMainFrame::CommitData);

    // A document that cannot be opened is named with the reason: printing ends there, the
    // program starts with a new document.
    std::string failure;
    if (!line.file.isEmpty() && !OpenOnStart(*m_frame, line.file, failure)) {
        if (m_printOnly) {
            std::fprintf(stderr, "zentavo: %s\n", failure.c_str());
            return false;
        }
        AfxMessageBox(failure, MB_OK);
    }
    if (line.file.isEmpty() || !failure.empty()) {
        if (!m_frame->DocCommands().OnFileNew())
            return false;
    }
    m_frame->UpdateCommandUI();
    if (m_printOnly)
        return true;
    m_frame->show();
    CStartupScreen::ShowOver(m_frame.get());
    m_openRequests.SetFrame(m_frame.get());
    return true;
}

bool CCalcApp::OpenOnStart(CMainFrame& frame, const QString& file, std::string& failure)
{
    // The document's own message is kept, not shown: the one shown names the file as well.
    CHeadlessUIServices quiet;
    IUIServices& services = UIServices();
    SetUIServices(&quiet);
    const bool opened = frame.DocCommands().OpenDocumentFile(QFile::encodeName(file).toStdString());
    SetUIServices(&services);
    if (opened)
        return true;
    const std::string reason = quiet.m_messages.empty() ? frame.Document().GetLastError() : quiet.m_messages.back();
    failure = FormatMessage(GetProfileString("Messages", "15", kStartFailure), file.toStdString(), reason);
    return false;
}

int CCalcApp::Run()
{
    if (m_printOnly) {
        if (m_frame && m_frame->PrintAllReports())
            return 0;
        std::fprintf(stderr, "zentavo: the reports could not be printed\n");
        return 1;
    }
    return QApplication::exec();
}

void CCalcApp::ExitInstance()
{
    if (m_frame && !m_printOnly && m_frame->SavedRect().Width() > 0)
        WriteProfileBinary("Window", "Rect", EncodeWindowRect(m_frame->SavedRect()));
    m_openRequests.SetFrame(nullptr);
    m_frame.reset();
    SetDialogHost(nullptr);
    SetUIServices(nullptr);
    m_services.reset();
}
