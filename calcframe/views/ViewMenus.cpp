// Building and running the views' context menus.
#include "ViewMenus.h"

#include "Vocabulary.h"

#include <QAction>
#include <QApplication>
#include <QKeyEvent>
#include <QMenu>
#include <QTimer>

namespace
{
const char kCommandProperty[] = "zentavoCommand";

void ConnectItems(QMenu& menu, unsigned& chosen, QList<QMetaObject::Connection>& connections)
{
    for (QAction* action : menu.actions()) {
        if (QMenu* sub = action->menu()) {
            ConnectItems(*sub, chosen, connections);
            continue;
        }
        const QVariant id = action->property(kCommandProperty);
        if (id.isValid())
            connections += QObject::connect(action, &QAction::triggered, [&chosen, id] { chosen = id.toUInt(); });
    }
}
} // namespace

QString MenuItemText(const std::string& key)
{
    return QString::fromStdString(MenuText(key));
}

void AddCommandItem(QMenu& menu, unsigned id, const QString& text, bool enabled)
{
    QAction* action = menu.addAction(text);
    action->setProperty(kCommandProperty, id);
    action->setEnabled(enabled);
}

unsigned RunCommandMenu(QMenu& menu, const QPoint& globalPos)
{
    unsigned chosen = 0;
    QList<QMetaObject::Connection> connections;
    ConnectItems(menu, chosen, connections);
    // Opened with its first item highlighted (as the first Down key does: a sub-menu stays
    // closed), ready for the arrow keys and Enter.
    QTimer::singleShot(0, &menu, [&menu] {
        if (menu.activeAction() || !menu.isVisible())
            return; // a key was faster
        QKeyEvent down(QEvent::KeyPress, Qt::Key_Down, Qt::NoModifier);
        QApplication::sendEvent(&menu, &down);
    });
    menu.exec(globalPos);
    for (const QMetaObject::Connection& connection : connections)
        QObject::disconnect(connection);
    return chosen;
}
