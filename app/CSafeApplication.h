// The program's QApplication: an exception that escapes an event handler is shown in a message
// and the event is dropped, instead of ending the program with the user's work.
#pragma once

#include <QApplication>

class CSafeApplication : public QApplication
{
public:
    CSafeApplication(int& argc, char** argv) : QApplication(argc, argv) {}

    bool notify(QObject* receiver, QEvent* event) override;

    /// Tells the user about an unexpected failure: a message box when there is a screen to
    /// show it, always a line on standard error.
    static void ReportFailure(const char* what);
};
