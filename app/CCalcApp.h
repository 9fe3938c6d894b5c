// The application object: the start sequence (locale, vocabulary, libraries, the Qt services
// and dialog host, the saved window placement, the command line), the event loop and the exit,
// which writes the window rectangle back to the user's vocabulary file.
#pragma once

#include "QtDialogHost.h"
#include "WindowPlacement.h"

#include <QString>
#include <QStringList>

#include <memory>
#include <string>

class CMainFrame;
class CQtUIServices;

class CCalcApp
{
public:
    /// What the command line asks for: `Zentavo [--vocab FILE] [FILE.zna]` or
    /// `Zentavo [--vocab FILE] --print FILE.zna`.
    struct CCommandLine
    {
        QString file;
        QString vocabulary;
        bool print = false;
        QString error; // not empty when the line cannot be used
    };
    static CCommandLine ParseCommandLine(const QStringList& arguments);

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
    std::unique_ptr<CMainFrame> m_frame;
    bool m_printOnly = false;
};
