// The main window: the tree view and the result view side by side in a splitter, the menus and
// toolbar, and one dispatcher that sends each command to the frame itself or to the pane that
// last had the focus. It owns the document and keeps its title and enabling up to date.
#pragma once

#include "WindowPlacement.h"

#include <QMainWindow>

#include <memory>

class CCalcDoc;
class CCalcEditView;
class CCalcTreeView;
class CDocCommands;
class CFrameActions;
class CQtDocViews;
class CRecentFiles;
class QPrinter;
class QMenu;
class QMimeData;
class QSessionManager;
class QSplitter;

class CMainFrame : public QMainWindow
{
    Q_OBJECT
public:
    enum class Pane
    {
        Tree,
        Edit
    };
    static constexpr int kTreeWidth = 180;

    /// `recentFilesSettings` names the settings file of the recent files (the default when empty).
    explicit CMainFrame(const QString& recentFilesSettings = QString(), QWidget* parent = nullptr);
    ~CMainFrame() override;

    CCalcDoc& Document() const { return *m_doc; }
    CCalcTreeView& Tree() const { return *m_tree; }
    CCalcEditView& Edit() const { return *m_edit; }
    CDocCommands& DocCommands() const { return *m_commands; }
    CFrameActions& Actions() const { return *m_actions; }
    CRecentFiles& RecentFiles() const { return *m_recent; }
    QSplitter& Splitter() const { return *m_splitter; }
    /// The Calculation menu: the tree's context menu of the whole document.
    QMenu& CalculationMenu() const { return *m_calcMenu; }
    /// The tree pane's width at start and after Split: a typical label shows whole.
    int DefaultTreeWidth() const;
    /// The local .zna files among dropped data.
    static QStringList DroppedDocuments(const QMimeData* data);
    /// Opens a dropped document or one the desktop asked for: the question about unsaved
    /// changes first; a file that cannot be opened is named and the open document stays.
    bool OpenDroppedDocument(const QString& file);
    /// A modal dialog or a long calculation holds the window: no command may start now.
    bool IsBusy() const;

    /// Runs a command: the frame's own, or the active pane's when that pane has a handler.
    void OnCommand(unsigned id);
    bool IsCommandEnabled(unsigned id) const;
    bool IsCommandChecked(unsigned id) const;
    /// Refreshes every command's enabled and checked state and the window title.
    void UpdateCommandUI();
    Pane ActivePane() const { return m_activePane; }

    /// The window at the saved rectangle when it fits the primary screen (default otherwise).
    void ApplySavedRect(const CWindowRect& rect);
    /// The normal-position rectangle (right and bottom exclusive).
    CWindowRect NormalRect() const;
    /// Restores the toolbar's docking state (the bytes of the Window/State entry).
    bool RestoreToolbarState(const std::vector<unsigned char>& state);
    /// The rectangle as the window last closed, for the Window/Rect entry.
    const CWindowRect& SavedRect() const { return m_savedRect; }

    /// The document's title with the modified mark placeholder, then " - Zentavo".
    void UpdateTitle();
    /// Prints every report of the document, without a dialog; false when one failed.
    bool PrintAllReports();
    /// Asks about unsaved changes for the session manager; cancels the logout on Cancel.
    void CommitData(QSessionManager& manager);

protected:
    void closeEvent(QCloseEvent* event) override;
    void dragEnterEvent(QDragEnterEvent* event) override;
    void dropEvent(QDropEvent* event) override;

private:
    void BuildPanes();
    void BuildCalculationMenu();
    void BindZoomKeys();
    void RestorePanes();
    void ConnectRefresh();
    void OnFocusChanged(QWidget* now);
    bool OnFrameCommand(unsigned id);
    bool IsFrameCommand(unsigned id) const;
    bool PaneHandles(unsigned id) const;
    void OpenRecentFile(unsigned id);
    void ShowRecentFiles();
    void OnNextPane();
    void OnContextMenuKey();
    void OnPrintSetup();

    std::unique_ptr<CCalcDoc> m_doc;
    std::unique_ptr<CRecentFiles> m_recent;
    QSplitter* m_splitter = nullptr;
    CCalcTreeView* m_tree = nullptr;
    CCalcEditView* m_edit = nullptr;
    std::unique_ptr<CQtDocViews> m_views;
    std::unique_ptr<CDocCommands> m_commands;
    CFrameActions* m_actions = nullptr;
    QMenu* m_calcMenu = nullptr;
    std::unique_ptr<QPrinter> m_printer;
    Pane m_activePane = Pane::Tree;
    CWindowRect m_savedRect;
};
