// Opening the manual from the program.
#include "HelpLauncher.h"

#include "CCalcDlg.h"
#include "CCalcNodeBase.h"
#include "CHelpWindow.h"

#include <QKeySequence>
#include <QShortcut>

CHelpWindow* ShowHelpPage(QWidget& owner, const QString& page)
{
    auto* window = owner.findChild<CHelpWindow*>(QString(), Qt::FindDirectChildrenOnly);
    if (!window)
        window = new CHelpWindow(CHelpWindow::ManualFolder(), &owner);
    window->ShowPage(page);
    window->show();
    window->raise();
    window->activateWindow();
    return window;
}

QString HelpPageOfNode(const CCalcNodeBase* node)
{
    if (!node || !node->IsCalculation())
        return QStringLiteral("index.html");
    return CHelpWindow::PageOfType(node->GetType().GetTypeString());
}

QString HelpPageOfDialog(const CDialog& model)
{
    const auto* calcDialog = dynamic_cast<const CCalcDlg*>(&model);
    if (!calcDialog || calcDialog->m_typeString.empty())
        return QStringLiteral("index.html");
    return CHelpWindow::PageOfType(calcDialog->m_typeString);
}

void InstallHelpKey(QWidget& dialog, const QString& page)
{
    auto* key = new QShortcut(QKeySequence::HelpContents, &dialog);
    QObject::connect(key, &QShortcut::activated, &dialog, [&dialog, page] { ShowHelpPage(dialog, page); });
}
