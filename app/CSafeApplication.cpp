// Events whose handlers throw are reported and dropped.
#include "CSafeApplication.h"

#include "ScreenText.h"

#include <QMessageBox>

#include <cstdio>
#include <exception>

bool CSafeApplication::notify(QObject* receiver, QEvent* event)
{
    try {
        return QApplication::notify(receiver, event);
    } catch (const std::exception& error) {
        ReportFailure(error.what());
    } catch (...) {
        ReportFailure("unknown error");
    }
    return false;
}

void CSafeApplication::ReportFailure(const char* what)
{
    std::fprintf(stderr, "Zentavo: unexpected error: %s\n", what);
    static bool reporting = false; // a failure while the message is up is only written
    const QString platform = QGuiApplication::platformName();
    if (reporting || platform == QLatin1String("offscreen") || platform == QLatin1String("minimal"))
        return;
    reporting = true;
    const std::string text = ScreenText("UNEXPECTED_ERROR", "An unexpected error occurred: %1", {what}) + "\n" +
                             ScreenText("SAVE_YOUR_WORK", "Please save your work.");
    QMessageBox::critical(QApplication::activeWindow(), QString::fromStdString(ScreenText("PROGRAM", "Zentavo")),
                          QString::fromStdString(text));
    reporting = false;
}
