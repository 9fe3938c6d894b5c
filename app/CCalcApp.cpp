// The start sequence and the exit of the program.
#include "CCalcApp.h"

#include "Artwork.h"
#include "CDocCommands.h"
#include "CMainFrame.h"
#include "CStartupScreen.h"
#include "FrameworkInit.h"
#include "Profile.h"
#include "QtUIServices.h"
#include "UIServices.h"
#include "ZNTVStat.h"

#include <QApplication>
#include <QFile>
#include <QSessionManager>

#include <clocale>
#include <cstdio>
#include <filesystem>

namespace
{
const char kUsage[] = "Usage: Zentavo [--vocab FILE] [FILE.zna]\n"
                      "       Zentavo [--vocab FILE] --print FILE.zna\n";

std::filesystem::path ToPath(const QString& path)
{
    return std::filesystem::path(QFile::encodeName(path).toStdString());
}
} // namespace

CCalcApp::CCommandLine CCalcApp::ParseCommandLine(const QStringList& arguments)
{
    CCommandLine line;
    for (qsizetype i = 1; i < arguments.size(); ++i) {
        const QString& argument = arguments[i];
        if (argument == QLatin1String("--vocab") || argument == QLatin1String("--print")) {
            if (i + 1 >= arguments.size()) {
                line.error = argument + QStringLiteral(" needs a file name");
                return line;
            }
            if (argument == QLatin1String("--print")) {
                line.print = true;
                line.file = arguments[++i];
            } else {
                line.vocabulary = arguments[++i];
            }
        } else if (argument.startsWith(QLatin1String("--")) || !line.file.isEmpty()) {
            line.error = QStringLiteral("unexpected argument '%1'").arg(argument);
            return line;
        } else {
            line.file = argument;
        }
    }
    return line;
}

CCalcApp::CCalcApp()
{
    QCoreApplication::setApplicationName(QStringLiteral("Zentavo"));
    QCoreApplication::setApplicationVersion(QStringLiteral(ZENTAVO_VERSION));
    QGuiApplication::setDesktopFileName(QStringLiteral("zentavo"));
}

CCalcApp::~CCalcApp()
{
    ExitInstance();
}

bool CCalcApp::InitInstance(const QStringList& arguments)
{
    const CCommandLine line = ParseCommandLine(arguments);
    if (!line.error.isEmpty()) {
        std::fprintf(stderr, "Zentavo: %s\n%s", qPrintable(line.error), kUsage);
        return false;
    }
    m_printOnly = line.print;
    const QString platform = QGuiApplication::platformName();
    CStartupScreen::SetAllowed(!line.print && platform != QLatin1String("offscreen") &&
                               platform != QLatin1String("minimal"));

    // Numbers follow the user's locale: decimal point and list separator.
    std::setlocale(LC_ALL, "");
    InitVocabulary(ToPath(QCoreApplication::applicationDirPath()), ToPath(line.vocabulary));
    ZNTVCalcInit();
    ZNTVStatInit();
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

    const bool ready = line.file.isEmpty()
                           ? m_frame->DocCommands().OnFileNew()
                           : m_frame->DocCommands().OpenDocumentFile(QFile::encodeName(line.file).toStdString());
    if (!ready)
        return false;
    m_frame->UpdateCommandUI();
    if (m_printOnly)
        return true;
    m_frame->show();
    CStartupScreen::ShowOver(m_frame.get());
    return true;
}

int CCalcApp::Run()
{
    if (m_printOnly) {
        if (m_frame && m_frame->PrintAllReports())
            return 0;
        std::fprintf(stderr, "Zentavo: the reports could not be printed\n");
        return 1;
    }
    return QApplication::exec();
}

void CCalcApp::ExitInstance()
{
    if (m_frame && !m_printOnly && m_frame->SavedRect().Width() > 0)
        WriteProfileBinary("Window", "Rect", EncodeWindowRect(m_frame->SavedRect()));
    m_frame.reset();
    SetDialogHost(nullptr);
    SetUIServices(nullptr);
    m_services.reset();
}
