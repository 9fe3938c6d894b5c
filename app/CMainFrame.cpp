// The main frame: panes, command routing by the active pane, title, placement and closing.
#include "CMainFrame.h"

#include "Artwork.h"
#include "CAboutDlg.h"
#include "CCalcDoc.h"
#include "CCalcDocNode.h"
#include "CCalcEditView.h"
#include "CCalcTreeView.h"
#include "CDocCommands.h"
#include "CFrameActions.h"
#include "CQtDocViews.h"
#include "CRecentFiles.h"
#include "CReportExport.h"
#include "CStartupScreen.h"
#include "FrameCommands.h"
#include "HelpLauncher.h"
#include "Profile.h"
#include "QtUIServices.h"
#include "ReportPrinter.h"
#include "ScreenText.h"
#include "Vocabulary.h"

#include <QApplication>
#include <QClipboard>
#include <QCloseEvent>
#include <QContextMenuEvent>
#include <QDragEnterEvent>
#include <QDropEvent>
#include <QFile>
#include <QMenu>
#include <QMenuBar>
#include <QMimeData>
#include <QPageSetupDialog>
#include <QPrinter>
#include <QScreen>
#include <QSessionManager>
#include <QShortcut>
#include <QSplitter>
#include <QToolBar>
#include <QUrl>

#include <algorithm>
#include <vector>

CMainFrame::CMainFrame(const QString& recentFilesSettings, QWidget* parent)
    : QMainWindow(parent), m_doc(std::make_unique<CCalcDoc>()),
      m_recent(std::make_unique<CRecentFiles>(recentFilesSettings))
{
    setWindowIcon(ApplicationIcon());
    BuildPanes();
    m_views = std::make_unique<CQtDocViews>(*m_doc, *m_tree, *m_edit);
    m_commands = std::make_unique<CDocCommands>(*m_doc, *m_views, *m_recent);
    m_actions = new CFrameActions(*this, [this](unsigned id) { OnCommand(id); });
    BuildCalculationMenu();
    ShowRecentFiles();
    ConnectRefresh();
    // Shift+F10 opens the active pane's context menu, as the Menu key does.
    auto* menuKey = new QShortcut(QKeySequence(Qt::SHIFT | Qt::Key_F10), this);
    connect(menuKey, &QShortcut::activated, this, &CMainFrame::OnContextMenuKey);
    BindZoomKeys();
    setAcceptDrops(true);
    if (const QScreen* screen = QGuiApplication::primaryScreen()) {
        const QSize available = screen->availableSize();
        resize(std::min(960, available.width() * 9 / 10), std::min(680, available.height() * 9 / 10));
    }
    RestorePanes();
    m_tree->setFocus();
    UpdateCommandUI();
}

void CMainFrame::BuildCalculationMenu()
{
    // The tree's context menu of the whole document, in the menu bar: a calculation can be
    // started from the keyboard wherever the focus is. It files as the context menu does.
    m_calcMenu = m_tree->CreateContextMenu(CCalcType(), this);
    m_calcMenu->setObjectName(QStringLiteral("CALCULATION"));
    m_calcMenu->setTitle(QString::fromStdString(MenuText("CALCULATION")));
    QMenu* view = m_actions->Menus().value(2);
    menuBar()->insertMenu(view ? view->menuAction() : nullptr, m_calcMenu);
    connect(m_calcMenu, &QMenu::triggered, this, [this](QAction* action) {
        const QVariant id = action->property("zentavoCommand");
        if (id.isValid() && !IsBusy()) {
            m_tree->OnContextCommand(id.toUInt());
            UpdateCommandUI();
        }
    });
}

void CMainFrame::BindZoomKeys()
{
    const auto bind = [this](const QKeySequence& keys, auto slot) {
        auto* shortcut = new QShortcut(keys, this);
        connect(shortcut, &QShortcut::activated, m_edit, slot);
    };
    for (const QKeySequence& keys : QKeySequence::keyBindings(QKeySequence::ZoomIn))
        bind(keys, &CCalcEditView::ZoomIn);
    bind(QKeySequence(Qt::CTRL | Qt::Key_Equal), &CCalcEditView::ZoomIn);
    for (const QKeySequence& keys : QKeySequence::keyBindings(QKeySequence::ZoomOut))
        bind(keys, &CCalcEditView::ZoomOut);
    auto* reset = new QShortcut(QKeySequence(Qt::CTRL | Qt::Key_0), this);
    connect(reset, &QShortcut::activated, m_edit, [this] { m_edit->SetZoom(100); });
}

int CMainFrame::DefaultTreeWidth() const
{
    // A date-time title three folders deep shows whole.
    const QString typical = QStringLiteral("Two proportions 00:00:00, 00/00/0000");
    const int width = m_tree->fontMetrics().horizontalAdvance(typical) + 4 * m_tree->indentation() + 24;
    return std::max(kTreeWidth, width);
}

void CMainFrame::RestorePanes()
{
    const std::vector<unsigned char> zoom = GetProfileBinary("Window", "Zoom");
    if (zoom.size() == 2)
        m_edit->SetZoom(zoom[0] | zoom[1] << 8);
    const std::vector<unsigned char> split = GetProfileBinary("Window", "Split");
    const int tree = split.size() == 2 ? (split[0] | split[1] << 8) : DefaultTreeWidth();
    m_splitter->setSizes({tree, std::max(4 * kTreeWidth, width() - tree)});
}

void CMainFrame::dragEnterEvent(QDragEnterEvent* event)
{
    if (!DroppedDocuments(event->mimeData()).isEmpty())
        event->acceptProposedAction();
}

void CMainFrame::dropEvent(QDropEvent* event)
{
    const QStringList files = DroppedDocuments(event->mimeData());
    if (files.isEmpty() || IsBusy())
        return;
    event->acceptProposedAction();
    // One document at a time: the first one dropped.
    OpenDroppedDocument(files.front());
}

bool CMainFrame::OpenDroppedDocument(const QString& file)
{
    const bool opened = m_commands->OpenDocumentFile(QFile::encodeName(file).toStdString());
    ShowRecentFiles();
    UpdateCommandUI();
    return opened;
}

QStringList CMainFrame::DroppedDocuments(const QMimeData* data)
{
    QStringList files;
    if (!data || !data->hasUrls())
        return files;
    for (const QUrl& url : data->urls()) {
        if (url.isLocalFile() && url.toLocalFile().endsWith(QLatin1String(".zna"), Qt::CaseInsensitive))
            files << url.toLocalFile();
    }
    return files;
}

CMainFrame::~CMainFrame()
{
    // Nothing may reach the views or the document while they go away.
    disconnect(qApp, nullptr, this, nullptr);
    disconnect(QGuiApplication::clipboard(), nullptr, this, nullptr);
    m_views->ResetTree();
    m_views->ResetResult();
    m_views.reset();
    delete m_splitter;
}

void CMainFrame::BuildPanes()
{
    m_splitter = new QSplitter(Qt::Horizontal, this);
    m_splitter->setObjectName(QStringLiteral("splitter"));
    m_tree = new CCalcTreeView(m_splitter);
    m_edit = new CCalcEditView(m_splitter);
    m_splitter->addWidget(m_tree);
    m_splitter->addWidget(m_edit);
    m_tree->setMinimumWidth(0);
    m_splitter->setCollapsible(0, true);
    m_splitter->setCollapsible(1, false);
    // The report takes the room the window gains or loses.
    m_splitter->setStretchFactor(0, 0);
    m_splitter->setStretchFactor(1, 1);
    m_splitter->setSizes({kTreeWidth, 4 * kTreeWidth});
    setCentralWidget(m_splitter);
}

void CMainFrame::ConnectRefresh()
{
    connect(qApp, &QApplication::focusChanged, this, [this](QWidget*, QWidget* now) { OnFocusChanged(now); });
    // Queued: the clipboard's cached formats are read by the services' own handler first.
    connect(QGuiApplication::clipboard(), &QClipboard::dataChanged, this, &CMainFrame::UpdateCommandUI,
            Qt::QueuedConnection);
    connect(m_actions, &CFrameActions::menuAboutToShow, this, &CMainFrame::UpdateCommandUI);
    connect(m_tree, &QTreeWidget::currentItemChanged, this, &CMainFrame::UpdateCommandUI);
    connect(m_tree, &CCalcTreeView::documentModified, this, &CMainFrame::UpdateCommandUI);
    connect(m_edit, &CCalcEditView::documentModified, this, &CMainFrame::UpdateCommandUI);
    connect(m_edit, &QTextEdit::selectionChanged, this, &CMainFrame::UpdateCommandUI);
    connect(m_edit, &QTextEdit::cursorPositionChanged, this, &CMainFrame::UpdateCommandUI);
    connect(m_edit, &QTextEdit::undoAvailable, this, &CMainFrame::UpdateCommandUI);
    connect(m_edit, &QTextEdit::copyAvailable, this, &CMainFrame::UpdateCommandUI);
}

// The active pane is the last of the two to have had the focus: a menu or a dialog taking the
// focus leaves it as it was.
void CMainFrame::OnFocusChanged(QWidget* now)
{
    if (now && (now == m_tree || m_tree->isAncestorOf(now)))
        m_activePane = Pane::Tree;
    else if (now && (now == m_edit || m_edit->isAncestorOf(now)))
        m_activePane = Pane::Edit;
    UpdateCommandUI();
}

bool CMainFrame::IsFrameCommand(unsigned id) const
{
    switch (id) {
    case kCmdFileNew:
    case kCmdFileOpen:
    case kCmdFileSave:
    case kCmdFileSaveAs:
    case kCmdFileExport:
    case kCmdFileExportSelected:
    case kCmdFilePrintSetup:
    case kCmdAppExit:
    case kCmdViewToolbar:
    case kCmdWindowSplit:
    case kCmdAppAbout:
    case kCmdHelpFinder:
    case kCmdNextPane:
        return true;
    default:
        return id >= kCmdFileMru1 && id < kCmdFileMru1 + CRecentFiles::kMaxFiles;
    }
}

bool CMainFrame::PaneHandles(unsigned id) const
{
    return m_activePane == Pane::Tree ? m_tree->HandlesCommand(id) : m_edit->HandlesCommand(id);
}

bool CMainFrame::IsCommandEnabled(unsigned id) const
{
    if (id == kCmdNextPane)
        return m_activePane == Pane::Edit || m_tree->IsCommandEnabled(kCmdNextPane);
    if (id == kCmdFileExportSelected)
        return m_doc->GetSelectedNode() != nullptr;
    if (IsFrameCommand(id))
        return true;
    // A command nobody handles in the active pane is disabled (Delete in the result view).
    if (!PaneHandles(id))
        return false;
    return m_activePane == Pane::Tree ? m_tree->IsCommandEnabled(id) : m_edit->IsCommandEnabled(id);
}

bool CMainFrame::IsCommandChecked(unsigned id) const
{
    if (id == kCmdViewToolbar)
        return !m_actions->ToolBar()->isHidden();
    return m_activePane == Pane::Edit && m_edit->IsCommandChecked(id);
}

void CMainFrame::OnCommand(unsigned id)
{
    if (IsCommandEnabled(id)) {
        if (IsFrameCommand(id))
            OnFrameCommand(id);
        else if (m_activePane == Pane::Tree)
            m_tree->OnCommand(id);
        else
            m_edit->OnCommand(id);
    }
    UpdateCommandUI();
}

bool CMainFrame::OnFrameCommand(unsigned id)
{
    switch (id) {
    case kCmdFileNew:
        m_commands->OnFileNew();
        break;
    case kCmdFileOpen:
        m_commands->OnFileOpen();
        break;
    case kCmdFileSave:
        m_commands->OnFileSave();
        break;
    case kCmdFileSaveAs:
        m_commands->OnFileSaveAs();
        break;
    case kCmdFileExport:
        CReportExport(*m_doc, *m_views).OnExportAll();
        break;
    case kCmdFileExportSelected:
        CReportExport(*m_doc, *m_views).OnExportSelected();
        break;
    case kCmdFilePrintSetup:
        OnPrintSetup();
        break;
    case kCmdAppExit:
        close();
        return true;
    case kCmdViewToolbar:
        m_actions->ToolBar()->setVisible(m_actions->ToolBar()->isHidden());
        break;
    case kCmdWindowSplit:
        m_splitter->setSizes({DefaultTreeWidth(), std::max(0, m_splitter->width() - DefaultTreeWidth())});
        break;
    case kCmdAppAbout:
        CAboutDlg(this).exec();
        break;
    case kCmdHelpFinder: // the page of the calculation on show, else the index
        ShowHelpPage(*this, HelpPageOfNode(m_doc->GetSelectedNode()));
        break;
    case kCmdNextPane:
        OnNextPane();
        break;
    default:
        if (id >= kCmdFileMru1 && id < kCmdFileMru1 + CRecentFiles::kMaxFiles)
            OpenRecentFile(id);
        else
            return false;
        break;
    }
    ShowRecentFiles();
    return true;
}

void CMainFrame::UpdateCommandUI()
{
    m_actions->Update([this](unsigned id) { return IsCommandEnabled(id); },
                      [this](unsigned id) { return IsCommandChecked(id); });
    UpdateTitle();
}

void CMainFrame::UpdateTitle()
{
    QString title = QString::fromStdString(m_doc->GetTitle());
    title.replace(QStringLiteral("[*]"), QStringLiteral("[*][*]")); // a literal "[*]" in a name
    setWindowTitle(title + QStringLiteral("[*] - ") + QString::fromStdString(ScreenText("PROGRAM", "Zentavo")));
    setWindowModified(m_doc->IsModified());
}

void CMainFrame::OpenRecentFile(unsigned id)
{
    const QString path = m_recent->Files().value(static_cast<int>(id - kCmdFileMru1));
    if (!path.isEmpty())
        m_commands->OpenDocumentFile(QFile::encodeName(path).toStdString(), true);
}

void CMainFrame::ShowRecentFiles()
{
    QList<QString> texts;
    for (int i = 0; i < m_recent->Files().size(); ++i)
        texts.append(CRecentFiles::MenuText(i, m_recent->Files()[i]));
    m_actions->SetRecentFiles(texts);
}

void CMainFrame::OnNextPane()
{
    if (m_activePane == Pane::Tree)
        m_edit->setFocus(Qt::TabFocusReason);
    else
        m_tree->setFocus(Qt::TabFocusReason);
}

void CMainFrame::OnContextMenuKey()
{
    QAbstractScrollArea* pane = m_activePane == Pane::Tree ? static_cast<QAbstractScrollArea*>(m_tree) : m_edit;
    if (!pane->hasFocus())
        return;
    QPoint at = pane->viewport()->rect().center();
    if (m_activePane == Pane::Tree && m_tree->currentItem())
        at = m_tree->visualItemRect(m_tree->currentItem()).center();
    else if (m_activePane == Pane::Edit)
        at = m_edit->cursorRect().center();
    QContextMenuEvent event(QContextMenuEvent::Keyboard, at, pane->viewport()->mapToGlobal(at));
    QApplication::sendEvent(pane->viewport(), &event);
}

void CMainFrame::OnPrintSetup()
{
    if (!m_printer) {
        m_printer = std::make_unique<QPrinter>(QPrinter::HighResolution);
        CReportPrinter::PrepareLayout(*m_printer);
    }
    QPageSetupDialog dialog(m_printer.get(), this);
    if (dialog.exec() == QDialog::Accepted)
        m_edit->SetPrinter(m_printer.get());
}

bool CMainFrame::PrintAllReports()
{
    if (!m_doc->GetHead())
        return false;
    std::vector<CCalcNodeBase*> calculations;
    m_doc->GetHead()->Walk([&calculations](CCalcNodeBase& node, int) {
        if (node.IsCalculation())
            calculations.push_back(&node);
    });
    if (!m_printer) {
        m_printer = std::make_unique<QPrinter>(QPrinter::HighResolution);
        CReportPrinter::PrepareLayout(*m_printer);
    }
    bool ok = true;
    for (CCalcNodeBase* node : calculations) {
        m_views->SelectNode(node);
        ok = CReportPrinter::Print(*m_edit->document(), *m_printer, CCalcEditView::ReportFont()) && ok;
    }
    return ok;
}

void CMainFrame::ApplySavedRect(const CWindowRect& rect)
{
    const QScreen* screen = QGuiApplication::primaryScreen();
    if (!screen)
        return;
    const QSize size = screen->geometry().size();
    if (RectFitsScreen(rect, size.width(), size.height()))
        setGeometry(rect.left, rect.top, static_cast<int>(rect.Width()), static_cast<int>(rect.Height()));
}

CWindowRect CMainFrame::NormalRect() const
{
    QRect area = normalGeometry();
    if (!area.isValid())
        area = geometry();
    // Right and bottom are exclusive: x + width, never QRect::right().
    return CWindowRect{area.x(), area.y(), area.x() + area.width(), area.y() + area.height()};
}

bool CMainFrame::RestoreToolbarState(const std::vector<unsigned char>& state)
{
    if (state.empty())
        return false;
    return restoreState(QByteArray(reinterpret_cast<const char*>(state.data()), static_cast<qsizetype>(state.size())));
}

bool CMainFrame::IsBusy() const
{
    auto* services = dynamic_cast<CQtUIServices*>(&UIServices());
    return QApplication::activeModalWidget() != nullptr || (services && services->IsBusy());
}

void CMainFrame::CommitData(QSessionManager& manager)
{
    if (!manager.allowsInteraction())
        return;
    const bool ok = m_commands->SaveModified();
    manager.release();
    if (!ok)
        manager.cancel();
}

void CMainFrame::closeEvent(QCloseEvent* event)
{
    // A calculation in progress (its dialog or its computation) must finish first.
    if (IsBusy() || !m_commands->SaveModified()) {
        event->ignore();
        UpdateCommandUI();
        return;
    }
    m_savedRect = NormalRect();
    const QByteArray state = saveState();
    WriteProfileBinary("Window", "State", std::vector<unsigned char>(state.begin(), state.end()));
    const auto twoBytes = [](int value) {
        const int clamped = std::clamp(value, 0, 0xFFFF);
        return std::vector<unsigned char>{static_cast<unsigned char>(clamped & 0xFF),
                                          static_cast<unsigned char>(clamped >> 8)};
    };
    WriteProfileBinary("Window", "Zoom", twoBytes(m_edit->Zoom()));
    WriteProfileBinary("Window", "Split", twoBytes(m_splitter->sizes().value(0)));
    CStartupScreen::HidePicture();
    event->accept();
}
