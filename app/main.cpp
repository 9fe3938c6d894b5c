// Zentavo: the desktop program. `Zentavo [FILE.zna]` opens the document (a new one without
// it); `Zentavo --print FILE.zna` prints its reports without a dialog and ends.
#include "CCalcApp.h"

#include <QApplication>

int main(int argc, char** argv)
{
    QApplication application(argc, argv);
    CCalcApp app;
    if (!app.InitInstance(QApplication::arguments()))
        return 1;
    const int result = app.Run();
    app.ExitInstance();
    return result;
}
