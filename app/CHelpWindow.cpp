// The manual's window.
#include "CHelpWindow.h"

#include "Profile.h"

#include <QAction>
#include <QCoreApplication>
#include <QDesktopServices>
#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QKeySequence>
#include <QLabel>
#include <QLineEdit>
#include <QListWidget>
#include <QRegularExpression>
#include <QShortcut>
#include <QSplitter>
#include <QStatusBar>
#include <QTabWidget>
#include <QTextBrowser>
#include <QToolBar>
#include <QVBoxLayout>

#include <algorithm>

namespace
{
constexpr int kFileRole = Qt::UserRole;

QString Text(const char* key, const char* fallback)
{
    return QString::fromStdString(GetProfileString("Help", key, fallback));
}

QString ReadUtf8(const QString& path)
{
    QFile file(path);
    if (!file.open(QIODevice::ReadOnly))
        return {};
    return QString::fromUtf8(file.readAll());
}

QString FirstHeading(const QString& markdown)
{
    static const QRegularExpression heading(QStringLiteral("^# +(.+?)\\s*$"), QRegularExpression::MultilineOption);
    const QRegularExpressionMatch match = heading.match(markdown);
    return match.hasMatch() ? match.captured(1) : QString();
}

QString HtmlOf(const QString& markdownName)
{
    return QFileInfo(markdownName).completeBaseName() + QStringLiteral(".html");
}
} // namespace

CHelpWindow::CHelpWindow(const QString& folder, QWidget* parent) : QMainWindow(parent), m_folder(folder)
{
    setWindowFlag(Qt::Window);
    setObjectName(QStringLiteral("helpWindow"));
    m_browser = new QTextBrowser;
    m_browser->setOpenLinks(false); // OnAnchor: pages here, the web in the browser, a missing page said so
    BuildSide();
    auto* splitter = new QSplitter;
    splitter->addWidget(m_side);
    splitter->addWidget(m_browser);
    splitter->setStretchFactor(1, 1);
    splitter->setSizes({320, 680});
    setCentralWidget(splitter);
    BuildActions();
    resize(1000, 680);

    connect(m_browser, &QTextBrowser::anchorClicked, this, &CHelpWindow::OnAnchor);
    connect(m_browser, &QTextBrowser::sourceChanged, this, &CHelpWindow::OnPageShown);
    connect(m_browser, &QTextBrowser::backwardAvailable, m_back, &QAction::setEnabled);
    connect(m_browser, &QTextBrowser::forwardAvailable, m_forward, &QAction::setEnabled);
    LoadPages();
    FillContents();
    setWindowTitle(Text("TITLE", "Zentavo Help"));
    if (m_pages.isEmpty())
        m_browser->setPlainText(Text("NOT_FOUND", "The manual was not found.") + QStringLiteral("\n\n") +
                                QDir::toNativeSeparators(m_folder));
}

QString CHelpWindow::ManualFolder()
{
    const auto holdsIndex = [](const QString& dir) { return QFileInfo::exists(dir + QStringLiteral("/index.html")); };
    if (const QString env = qEnvironmentVariable("ZENTAVO_HELP_DIR"); !env.isEmpty())
        return holdsIndex(env) ? QDir(env).absolutePath() : QString();
    const QString exeDir = QCoreApplication::applicationDirPath();
    QStringList candidates{exeDir + QStringLiteral("/help"), exeDir + QStringLiteral("/../share/zentavo/help")};
#ifdef Q_OS_MACOS
    candidates << exeDir + QStringLiteral("/../Resources/zentavo/help"); // in the application bundle
#endif
#ifdef ZENTAVO_HELP_INSTALL_DIR
    candidates << QStringLiteral(ZENTAVO_HELP_INSTALL_DIR);
#endif
    candidates << QStringLiteral("/usr/local/share/zentavo/help") << QStringLiteral("/usr/share/zentavo/help");
    for (const QString& candidate : candidates)
        if (holdsIndex(candidate))
            return QDir(candidate).absolutePath();
    return {};
}

QString CHelpWindow::PageOfType(const std::string& typeCode)
{
    return QStringLiteral("calc-%1.html").arg(QString::fromStdString(typeCode));
}

void CHelpWindow::BuildActions()
{
    QToolBar* bar = addToolBar(Text("TOOLBAR", "Navigation"));
    bar->setObjectName(QStringLiteral("helpToolBar"));
    bar->setMovable(false);
    bar->setToolButtonStyle(Qt::ToolButtonTextOnly);
    m_back = bar->addAction(Text("BACK", "&Back"), m_browser, &QTextBrowser::backward);
    m_back->setShortcuts(QKeySequence::Back);
    m_back->setEnabled(false);
    m_forward = bar->addAction(Text("FORWARD", "&Forward"), m_browser, &QTextBrowser::forward);
    m_forward->setShortcuts(QKeySequence::Forward);
    m_forward->setEnabled(false);
    QAction* home = bar->addAction(Text("HOME", "&Index"), this, [this] { ShowPage(QStringLiteral("index.html")); });
    home->setShortcut(QKeySequence(Qt::ALT | Qt::Key_Home));
    for (QAction* action : {m_back, m_forward, home})
        action->setToolTip(action->text().remove(QLatin1Char('&')) + QStringLiteral(" (") +
                           action->shortcut().toString(QKeySequence::NativeText) + QLatin1Char(')'));

    // Ctrl+F goes to the search field; Esc and Ctrl+W close the window.
    auto* find = new QShortcut(QKeySequence::Find, this);
    connect(find, &QShortcut::activated, this, [this] {
        m_side->setCurrentIndex(1);
        m_searchField->setFocus();
        m_searchField->selectAll();
    });
    for (const QKeySequence& key : {QKeySequence(Qt::Key_Escape), QKeySequence(QKeySequence::Close)})
        connect(new QShortcut(key, this), &QShortcut::activated, this, &QWidget::close);
}

void CHelpWindow::BuildSide()
{
    m_side = new QTabWidget;
    m_contents = new QListWidget;
    m_contents->setObjectName(QStringLiteral("helpContents"));
    m_side->addTab(m_contents, Text("CONTENTS", "&Contents"));

    auto* searchPage = new QWidget;
    auto* layout = new QVBoxLayout(searchPage);
    auto* label = new QLabel(Text("SEARCH_FOR", "&Find pages with:"));
    m_searchField = new QLineEdit;
    m_searchField->setObjectName(QStringLiteral("helpSearch"));
    m_searchField->setClearButtonEnabled(true);
    label->setBuddy(m_searchField);
    m_results = new QListWidget;
    m_results->setObjectName(QStringLiteral("helpResults"));
    layout->addWidget(label);
    layout->addWidget(m_searchField);
    layout->addWidget(m_results, 1);
    m_side->addTab(searchPage, Text("SEARCH", "&Search"));

    connect(m_searchField, &QLineEdit::textChanged, this, &CHelpWindow::Search);
    // Enter in the field opens the first page found; Down moves into the list.
    connect(m_searchField, &QLineEdit::returnPressed, this, [this] {
        if (m_results->count() > 0 && (m_results->item(0)->flags() & Qt::ItemIsEnabled))
            OnItemActivated(m_results->item(0));
    });
    for (QListWidget* list : {m_contents, m_results}) {
        connect(list, &QListWidget::itemActivated, this, &CHelpWindow::OnItemActivated);
        connect(list, &QListWidget::itemClicked, this, &CHelpWindow::OnItemActivated);
    }
}

void CHelpWindow::LoadPages()
{
    if (m_folder.isEmpty())
        return;
    const QDir dir(m_folder);
    for (const QString& name : dir.entryList({QStringLiteral("*.md")}, QDir::Files, QDir::Name)) {
        const QString html = HtmlOf(name);
        if (!dir.exists(html))
            continue;
        const QString markdown = ReadUtf8(dir.filePath(name));
        m_pages.push_back({html, FirstHeading(markdown), markdown});
    }
}

// The index page first, then the pages the index lists, under the headings it lists them by.
void CHelpWindow::FillContents()
{
    const CPage* index = FindPage(QStringLiteral("index.html"));
    if (!index)
        return;
    auto* first = new QListWidgetItem(index->title, m_contents);
    first->setData(kFileRole, index->file);
    static const QRegularExpression heading(QStringLiteral("^#{2,6} +(.+?)\\s*$"));
    static const QRegularExpression item(QStringLiteral("^\\s*[-*] +\\[([^\\]]+)\\]\\(([A-Za-z0-9_.-]+\\.md)\\)"));
    QString pendingHeading;
    for (const QString& line : index->text.split(QLatin1Char('\n'))) {
        if (const QRegularExpressionMatch match = heading.match(line); match.hasMatch()) {
            pendingHeading = match.captured(1);
            continue;
        }
        const QRegularExpressionMatch match = item.match(line);
        if (!match.hasMatch() || !FindPage(HtmlOf(match.captured(2))))
            continue; // a page still to be written
        if (!pendingHeading.isEmpty()) {
            auto* group = new QListWidgetItem(pendingHeading, m_contents);
            QFont bold = group->font();
            bold.setBold(true);
            group->setFont(bold);
            group->setFlags(Qt::ItemIsEnabled);
            pendingHeading.clear();
        }
        auto* entry = new QListWidgetItem(QStringLiteral("  ") + match.captured(1), m_contents);
        entry->setData(kFileRole, HtmlOf(match.captured(2)));
        entry->setToolTip(FindPage(HtmlOf(match.captured(2)))->title);
    }
}

const CHelpWindow::CPage* CHelpWindow::FindPage(const QString& file) const
{
    const auto found =
        std::find_if(m_pages.begin(), m_pages.end(), [&file](const CPage& page) { return page.file == file; });
    return found == m_pages.end() ? nullptr : &*found;
}

bool CHelpWindow::ShowPage(const QString& page)
{
    const bool found = FindPage(page) != nullptr;
    const QString shown = found ? page : QStringLiteral("index.html");
    if (!FindPage(shown))
        return false;
    const QUrl url = QUrl::fromLocalFile(QDir(m_folder).filePath(shown));
    if (m_browser->source() != url)
        m_browser->setSource(url);
    if (!found)
        statusBar()->showMessage(Text("NO_PAGE", "The manual has no page on this yet.") + QStringLiteral(" (") + page +
                                     QLatin1Char(')'),
                                 10000);
    return found;
}

QString CHelpWindow::CurrentPage() const
{
    return m_browser->source().isEmpty() ? QString() : m_browser->source().fileName();
}

void CHelpWindow::Search(const QString& words)
{
    m_results->clear();
    m_searchWords = words.toLower().split(QRegularExpression(QStringLiteral("\\s+")), Qt::SkipEmptyParts);
    if (m_searchWords.isEmpty())
        return;
    m_side->setCurrentIndex(1);
    QList<QPair<int, const CPage*>> hits;
    for (const CPage& page : m_pages) {
        const QString text = page.text.toLower();
        int count = 0;
        for (const QString& word : m_searchWords) {
            const int n = static_cast<int>(text.count(word));
            if (n == 0) {
                count = 0;
                break;
            }
            count += n;
        }
        if (count > 0)
            hits.push_back({count, &page});
    }
    std::stable_sort(hits.begin(), hits.end(), [](const auto& a, const auto& b) { return a.first > b.first; });
    for (const auto& [count, page] : hits) {
        auto* entry = new QListWidgetItem(page->title, m_results);
        entry->setData(kFileRole, page->file);
        entry->setToolTip(page->title);
    }
    if (hits.isEmpty())
        (new QListWidgetItem(Text("NO_RESULTS", "No page holds these words."), m_results))->setFlags(Qt::NoItemFlags);
}

void CHelpWindow::OnItemActivated(QListWidgetItem* item)
{
    const QString file = item ? item->data(kFileRole).toString() : QString();
    if (file.isEmpty())
        return;
    ShowPage(file);
    // A page found by a search opens at the first place that holds the words searched for.
    // The words as a phrase when the page holds it so, else the first word.
    if (item->listWidget() == m_results && !m_searchWords.isEmpty()) {
        m_browser->moveCursor(QTextCursor::Start);
        if (!m_browser->find(m_searchWords.join(QLatin1Char(' '))))
            m_browser->find(m_searchWords.front());
    }
}

void CHelpWindow::OnAnchor(const QUrl& link)
{
    if (!link.scheme().isEmpty() && link.scheme() != QLatin1String("file")) {
        QDesktopServices::openUrl(link);
        return;
    }
    const QUrl target = m_browser->source().resolved(link);
    if (link.path().isEmpty() || FindPage(target.fileName()))
        m_browser->setSource(target);
    else
        statusBar()->showMessage(Text("NO_PAGE", "The manual has no page on this yet.") + QStringLiteral(" (") +
                                     link.toString() + QLatin1Char(')'),
                                 10000);
}

void CHelpWindow::OnPageShown()
{
    const QString title = m_browser->documentTitle();
    setWindowTitle(title.isEmpty() ? Text("TITLE", "Zentavo Help")
                                   : Text("TITLE", "Zentavo Help") + QStringLiteral(" - ") + title);
    const QString file = CurrentPage();
    for (int row = 0; row < m_contents->count(); ++row)
        if (m_contents->item(row)->data(kFileRole).toString() == file) {
            const QSignalBlocker quiet(m_contents);
            m_contents->setCurrentRow(row);
            break;
        }
}
