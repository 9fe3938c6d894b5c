// Zentavo: the desktop program. `zentavo [FILE.zna]` opens the document (a new one without
// it); `zentavo --print FILE.zna` prints its reports without a dialog and ends; `--help` and
// `--version` answer without opening a screen.
#include "CCalcApp.h"

#include <QApplication>

#include <optional>

int main(int argc, char** argv)
{
    if (const std::optional<int> answered = CCalcApp::AnswerInformationOptions(argc, argv))
        return *answered;
    QApplication application(argc, argv);
    CCalcApp app;
    if (!app.InitInstance(QApplication::arguments()))
        return 1;
    const int result = app.Run();
    app.ExitInstance();
    return result;
}
