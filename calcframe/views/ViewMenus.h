// Building and running the views' context menus: items carry their command id, and running a
// menu gives back the id of the item chosen, so the view runs the command after the menu closed.
#pragma once

#include <QPoint>

#include <string>

class QMenu;

/// The Menus/key text with backslashes as tabs (the key itself when missing), as a QString.
QString MenuItemText(const std::string& key);
/// Appends a command item whose id the menu reports when it is chosen.
void AddCommandItem(QMenu& menu, unsigned id, const QString& text, bool enabled = true);
/// Shows the menu at the global point and returns the id of the item chosen, 0 for none.
/// Items of sub-menus report their ids too.
unsigned RunCommandMenu(QMenu& menu, const QPoint& globalPos);
