// The dialog host of the program: runs each toolkit-free dialog as a real modal Qt dialog
// built from its template (CQtDialog).
#pragma once

#include "DialogHost.h"

#include <QPointer>

class QWidget;

class CQtDialogHost : public IDialogHost
{
public:
    /// The window dialogs are shown over when no other window is active.
    void SetMainWindow(QWidget* window);
    int RunModal(CDialog& dialog) override;

private:
    QPointer<QWidget> m_mainWindow;
};
