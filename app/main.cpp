// Zentavo: the desktop program. `Zentavo [FILE.zna]` opens the document (a new one without
// it); `Zentavo --print FILE.zna` prints its reports without a dialog and ends.
#include "CCalcApp.h"
#include "CSafeApplication.h"

#include <exception>

int main(int argc, char** argv)
{
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
