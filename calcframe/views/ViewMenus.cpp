// Building and running the views' context menus.
#include "ViewMenus.h"

#include "Vocabulary.h"

#include <QAction>
#include <QMenu>

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
    menu.exec(globalPos);
    for (const QMetaObject::Connection& connection : connections)
        QObject::disconnect(connection);
    return chosen;
}
