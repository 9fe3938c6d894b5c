// Menus, toolbar, recent-file items and accelerators of the main frame.
#include "CFrameActions.h"

#include "Artwork.h"
#include "CLanguageMenu.h"
#include "FrameCommands.h"
#include "ScreenText.h"
#include "Vocabulary.h"

#include <QAction>
#include <QMainWindow>
#include <QMenu>
#include <QMenuBar>
#include <QShortcut>
#include <QToolBar>

#include <algorithm>

namespace
{
constexpr unsigned kSeparator = 0;
constexpr unsigned kRecentSlot = 1; // the recent files go here, before the next separator

bool IsCheckable(unsigned id)
{
    return id == kCmdFormatBold || id == kCmdFormatItalic || id == kCmdFormatUnderline || id == kCmdViewToolbar;
}
} // namespace

CFrameActions::CFrameActions(QMainWindow& frame, Dispatch dispatch)
    : QObject(&frame), m_frame(frame), m_dispatch(std::move(dispatch))
{
    AddMenu("FILE", {kCmdFileNew, kCmdFileOpen, kCmdFileSave, kCmdFileSaveAs, kCmdFileExport, kCmdFileExportSelected,
                     kSeparator, kCmdFilePrint, kCmdFilePrintPreview, kCmdFilePrintSetup, kSeparator, kRecentSlot,
                     kSeparator, kCmdAppExit});
    AddMenu("EDIT",
            {kCmdUndo, kCmdEditRedo, kSeparator, kCmdCut, kCmdCopy, kCmdPaste, kCmdDelete, kSeparator, kCmdSelectAll});
    AddMenu("VIEW", {kCmdViewToolbar, kCmdWindowSplit})->addMenu(new CLanguageMenu(&m_frame));
    AddMenu("FORMAT", {kCmdFormatBold, kCmdFormatItalic, kCmdFormatUnderline});
    AddMenu("HELP", {kCmdHelpFinder, kSeparator, kCmdAppAbout});
    BuildToolBar();
    BindAccelerators();
}

QAction* CFrameActions::Action(unsigned id) const
{
    const auto found = m_actions.find(id);
    return found == m_actions.end() ? nullptr : found->second;
}

QAction* CFrameActions::MakeAction(unsigned id)
{
    // Menu texts are the vocabulary's exactly: a tab shows the accelerator column, and the
    // action itself carries no shortcut (the accelerators are bound on their own).
    const char* key = MenuKeyOf(id);
    auto* action = new QAction(QString::fromStdString(key ? MenuText(key) : std::string()), this);
    action->setObjectName(QStringLiteral("cmd%1").arg(id));
    action->setData(id);
    action->setCheckable(IsCheckable(id));
    if (TooltipKeyOf(id)) {
        action->setIcon(CommandIcon(id));
        action->setToolTip(QString::fromStdString(TooltipText(id)));
    }
    connect(action, &QAction::triggered, this, [this, id] { m_dispatch(id); });
    m_actions[id] = action;
    return action;
}

QMenu* CFrameActions::AddMenu(const char* titleKey, const std::vector<unsigned>& ids)
{
    QMenu* menu = m_frame.menuBar()->addMenu(QString::fromStdString(MenuText(titleKey)));
    menu->setObjectName(QString::fromLatin1(titleKey));
    menu->setSeparatorsCollapsible(true);
    bool recentSlotOpen = false;
    for (const unsigned id : ids) {
        if (id == kSeparator) {
            QAction* separator = menu->addSeparator();
            if (recentSlotOpen)
                m_recentEnd = separator;
            recentSlotOpen = false;
        } else if (id == kRecentSlot) {
            recentSlotOpen = true;
        } else {
            menu->addAction(MakeAction(id));
        }
    }
    connect(menu, &QMenu::aboutToShow, this, &CFrameActions::menuAboutToShow);
    m_menus.append(menu);
    return menu;
}

void CFrameActions::BuildToolBar()
{
    m_toolbar =
        new QToolBar(QString::fromStdString(ScreenText("PROGRAM", "Zentavo")), &m_frame); // its title when it floats
    m_toolbar->setObjectName(QStringLiteral("MainToolBar"));
    m_toolbar->setAllowedAreas(Qt::AllToolBarAreas);
    m_toolbar->setToolButtonStyle(Qt::ToolButtonIconOnly);
    const unsigned buttons[] = {
        kCmdFileNew,         kCmdFileOpen, kCmdFileSave, kSeparator, kCmdCut,        kCmdCopy,
        kCmdPaste,           kCmdUndo,     kCmdEditRedo, kSeparator, kCmdFormatBold, kCmdFormatItalic,
        kCmdFormatUnderline, kSeparator,   kCmdFilePrint};
    for (const unsigned id : buttons) {
        if (id == kSeparator)
            m_toolbar->addSeparator();
        else
            m_toolbar->addAction(Action(id));
    }
    m_frame.addToolBar(Qt::TopToolBarArea, m_toolbar);
}

const std::vector<CFrameActions::CAccelerator>& CFrameActions::Accelerators()
{
    // The platform's standard keys where there are some, each of their bindings.
    static const std::vector<CAccelerator> table = [] {
        std::vector<CAccelerator> keys;
        const auto standard = [&keys](QKeySequence::StandardKey key, unsigned id) {
            for (const QKeySequence& sequence : QKeySequence::keyBindings(key))
                keys.push_back({sequence, id});
        };
        standard(QKeySequence::New, kCmdFileNew);
        standard(QKeySequence::Open, kCmdFileOpen);
        standard(QKeySequence::Save, kCmdFileSave);
        standard(QKeySequence::SaveAs, kCmdFileSaveAs);
        standard(QKeySequence::Print, kCmdFilePrint);
        standard(QKeySequence::Quit, kCmdAppExit);
        standard(QKeySequence::Undo, kCmdUndo);
        keys.push_back({QKeySequence(Qt::ALT | Qt::Key_Backspace), kCmdUndo});
        standard(QKeySequence::Redo, kCmdEditRedo);
        standard(QKeySequence::Cut, kCmdCut);
        standard(QKeySequence::Copy, kCmdCopy);
        standard(QKeySequence::Paste, kCmdPaste);
        standard(QKeySequence::Bold, kCmdFormatBold);
        standard(QKeySequence::Italic, kCmdFormatItalic);
        standard(QKeySequence::Underline, kCmdFormatUnderline);
        standard(QKeySequence::HelpContents, kCmdHelpFinder);
        keys.push_back({QKeySequence(Qt::Key_F2), kCmdRename});
        keys.push_back({QKeySequence(Qt::Key_F5), kCmdRedo});
        keys.push_back({QKeySequence(Qt::Key_F6), kCmdNextPane});
        // Keys the platform may not list: the classic ones stay bound.
        for (const CAccelerator& classic :
             {CAccelerator{QKeySequence(Qt::CTRL | Qt::Key_Q), kCmdAppExit},
              CAccelerator{QKeySequence(Qt::CTRL | Qt::SHIFT | Qt::Key_S), kCmdFileSaveAs},
              CAccelerator{QKeySequence(Qt::CTRL | Qt::SHIFT | Qt::Key_Z), kCmdEditRedo},
              CAccelerator{QKeySequence(Qt::SHIFT | Qt::Key_Delete), kCmdCut},
              CAccelerator{QKeySequence(Qt::CTRL | Qt::Key_Insert), kCmdCopy},
              CAccelerator{QKeySequence(Qt::SHIFT | Qt::Key_Insert), kCmdPaste}}) {
            const bool bound = std::any_of(keys.begin(), keys.end(),
                                           [&classic](const CAccelerator& key) { return key.keys == classic.keys; });
            if (!bound)
                keys.push_back(classic);
        }
        return keys;
    }();
    return table;
}

void CFrameActions::BindAccelerators()
{
    for (const CAccelerator& accelerator : Accelerators()) {
        auto* shortcut = new QShortcut(accelerator.keys, &m_frame);
        shortcut->setObjectName(QStringLiteral("key%1").arg(accelerator.id));
        // Auto-repeat would run a command once per repeated press.
        shortcut->setAutoRepeat(false);
        const unsigned id = accelerator.id;
        connect(shortcut, &QShortcut::activated, this, [this, id] { m_dispatch(id); });
    }
}

void CFrameActions::SetRecentFiles(const QList<QString>& menuTexts)
{
    for (QAction* action : m_recentActions) {
        m_actions.erase(action->data().toUInt());
        delete action;
    }
    m_recentActions.clear();
    QMenu* file = m_menus.value(0);
    if (!file || !m_recentEnd)
        return;
    for (int i = 0; i < menuTexts.size(); ++i) {
        const unsigned id = kCmdFileMru1 + static_cast<unsigned>(i);
        auto* action = new QAction(menuTexts[i], this);
        action->setObjectName(QStringLiteral("cmd%1").arg(id));
        action->setData(id);
        connect(action, &QAction::triggered, this, [this, id] { m_dispatch(id); });
        file->insertAction(m_recentEnd, action);
        m_actions[id] = action;
        m_recentActions.append(action);
    }
}

void CFrameActions::Update(const StateQuery& enabled, const StateQuery& checked)
{
    for (const auto& [id, action] : m_actions) {
        action->setEnabled(enabled(id));
        if (action->isCheckable())
            action->setChecked(checked(id));
    }
}
