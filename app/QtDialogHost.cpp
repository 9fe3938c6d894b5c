// Running a dialog model as a modal Qt dialog.
#include "QtDialogHost.h"

#include "CQtDialog.h"

#include <QApplication>

void CQtDialogHost::SetMainWindow(QWidget* window)
{
    m_mainWindow = window;
}

int CQtDialogHost::RunModal(CDialog& dialog)
{
    QWidget* parent = QApplication::activeModalWidget();
    if (!parent)
        parent = QApplication::activeWindow();
    if (!parent)
        parent = m_mainWindow;
    CQtDialog window(dialog, parent);
    return window.Run();
}
