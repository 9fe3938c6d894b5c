// Events whose handlers throw are reported and dropped.
#include "CSafeApplication.h"

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
    QMessageBox::critical(
        QApplication::activeWindow(), QStringLiteral("Zentavo"),
        QStringLiteral("An unexpected error occurred: %1\nPlease save your work.").arg(QString::fromLocal8Bit(what)));
    reporting = false;
}
