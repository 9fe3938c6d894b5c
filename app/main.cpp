// Zentavo: the desktop program. `zentavo [FILE.zna]` opens the document (a new one without
// it); `zentavo --print FILE.zna` prints its reports without a dialog and ends; `--help` and
// `--version` answer without opening a screen.
#include "CCalcApp.h"
#include "CSafeApplication.h"

#include <exception>
#include <optional>

int main(int argc, char** argv)
{
    if (const std::optional<int> answered = CCalcApp::AnswerInformationOptions(argc, argv))
        return *answered;
    CSafeApplication application(argc, argv);
    try {
        CCalcApp app;
        if (!app.InitInstance(QApplication::arguments()))
            return 1;
        const int result = app.Run();
        app.ExitInstance();
        return result;
    } catch (const std::exception& error) {
        CSafeApplication::ReportFailure(error.what());
    } catch (...) {
        CSafeApplication::ReportFailure("unknown error");
    }
    return 1;
}
