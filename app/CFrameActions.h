// The main frame's commands as widgets: the five menus with their texts from the vocabulary,
// the toolbar of 13 buttons, the recent-file items and the accelerators. Every one of them
// sends its command id to the frame's single dispatcher.
#pragma once

#include <QKeySequence>
#include <QList>
#include <QObject>

#include <functional>
#include <map>
#include <vector>

class QAction;
class QMainWindow;
class QMenu;
class QToolBar;

class CFrameActions : public QObject
{
    Q_OBJECT
public:
    using Dispatch = std::function<void(unsigned id)>;
    using StateQuery = std::function<bool(unsigned id)>;

    struct CAccelerator
    {
        QKeySequence keys;
        unsigned id;
    };

    /// Builds the menus, the toolbar and the accelerators of `frame`.
    CFrameActions(QMainWindow& frame, Dispatch dispatch);

    /// The menu item (and toolbar button) of a command, or null.
    QAction* Action(unsigned id) const;
    QToolBar* ToolBar() const { return m_toolbar; }
    /// The five drop-down menus, File to Help.
    const QList<QMenu*>& Menus() const { return m_menus; }
    /// The accelerator table: each key goes to the dispatcher, separately from the menu texts.
    static const std::vector<CAccelerator>& Accelerators();

    /// Shows the recent files ("&1 path" ...) between the File menu's last two separators.
    void SetRecentFiles(const QList<QString>& menuTexts);
    /// Sets every command's enabled and checked state.
    void Update(const StateQuery& enabled, const StateQuery& checked);

signals:
    /// A menu is about to open: its states must be refreshed.
    void menuAboutToShow();

private:
    QMenu* AddMenu(const char* titleKey, const std::vector<unsigned>& ids);
    QAction* MakeAction(unsigned id);
    void BuildToolBar();
    void BindAccelerators();

    QMainWindow& m_frame;
    Dispatch m_dispatch;
    std::map<unsigned, QAction*> m_actions;
    QList<QMenu*> m_menus;
    QToolBar* m_toolbar = nullptr;
    QAction* m_recentEnd = nullptr; // the separator before Exit
    QList<QAction*> m_recentActions;
};
