// The application object: the start sequence (locale, vocabulary, libraries, the Qt services
// and dialog host, the saved window placement, the command line), the event loop and the exit,
// which writes the window rectangle back to the user's vocabulary file.
#pragma once

#include "CFileOpenRequests.h"
#include "QtDialogHost.h"
#include "WindowPlacement.h"

#include <QString>
#include <QStringList>

#include <memory>
#include <optional>
#include <string>

class CMainFrame;
class CQtUIServices;

class CCalcApp
{
public:
    /// What the command line asks for: `zentavo [--vocab FILE] [FILE.zna...]`,
    /// `zentavo [--vocab FILE] --print FILE.zna`, `--help` or `--version`.
    struct CCommandLine
    {
        QString file;
        QStringList ignored; // further documents, which are not opened
        QString vocabulary;
        QString language; // a code of ours, or empty: the remembered or system language
        bool print = false;
        bool help = false;
        bool version = false;
        QString error; // not empty when the line cannot be used
    };
    static CCommandLine ParseCommandLine(const QStringList& arguments);
    /// The usage and every option, as `--help` prints it.
    static QString HelpText();
    /// Prints the help or the version when the command line asks for one, before any screen is
    /// opened; the exit code then, nothing otherwise.
    static std::optional<int> AnswerInformationOptions(int argc, char** argv);
    /// The program's name, version and desktop file name.
    static void SetIdentity();

    CCalcApp();
    ~CCalcApp();
    CCalcApp(const CCalcApp&) = delete;
    CCalcApp& operator=(const CCalcApp&) = delete;

    /// The start sequence; false when the program must end (a bad command line, or a document
    /// to print that cannot be opened, whose reason went to standard error). A document to
    /// show that cannot be opened is named in a message, and a new document takes its place.
    bool InitInstance(const QStringList& arguments);
    /// Runs the event loop, or prints the document named with --print; the exit code.
    int Run();
    /// Writes the window rectangle (Window/Rect) and releases the services.
    void ExitInstance();

    CMainFrame* MainFrame() const { return m_frame.get(); }

    /// Opens the document named at start without showing the document's own message; false
    /// with `failure` naming the file and the reason (Messages/15) when it cannot be opened.
    static bool OpenOnStart(CMainFrame& frame, const QString& file, std::string& failure);

private:
    std::unique_ptr<CQtUIServices> m_services;
    CQtDialogHost m_dialogHost;
    CFileOpenRequests m_openRequests; // from the start: the open that started the program
    std::unique_ptr<CMainFrame> m_frame;
    bool m_printOnly = false;
};
