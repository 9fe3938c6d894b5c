// The manual's window: the rendered pages in a browser with back, forward and the index page,
// beside a list of the pages (the index) and a full-text search over them.
#pragma once

#include <QMainWindow>
#include <QStringList>

#include <string>

class QAction;
class QLineEdit;
class QListWidget;
class QListWidgetItem;
class QTabWidget;
class QTextBrowser;
class QUrl;

class CHelpWindow : public QMainWindow
{
    Q_OBJECT
public:
    /// The pages are the rendered HTML files in `folder` (with their Markdown beside them).
    explicit CHelpWindow(const QString& folder, QWidget* parent = nullptr);

    /// The folder of the manual: $ZENTAVO_HELP_DIR when set, else "help" beside the executable
    /// (the build tree), else the installed share folder; empty when none holds the index.
    static QString ManualFolder();
    /// The page that explains a calculation type ("calc-3200.html").
    static QString PageOfType(const std::string& typeCode);

    /// Shows `page` ("calc-3200.html"); false, and the index shown, when there is no such page.
    bool ShowPage(const QString& page);
    /// The file name of the page on show ("index.html"), empty when none is.
    QString CurrentPage() const;
    /// Lists the pages that hold every word of `words` (case ignored), most hits first.
    void Search(const QString& words);

    QTextBrowser& Browser() const { return *m_browser; }
    QListWidget& Contents() const { return *m_contents; }
    QLineEdit& SearchField() const { return *m_searchField; }
    QListWidget& Results() const { return *m_results; }

private:
    struct CPage
    {
        QString file;  // "calc-3200.html"
        QString title; // its first heading
        QString text;  // its Markdown, for the search
    };

    void BuildActions();
    void BuildSide();
    void LoadPages();
    void FillContents();
    void OnAnchor(const QUrl& link);
    void OnPageShown();
    void OnItemActivated(QListWidgetItem* item);
    const CPage* FindPage(const QString& file) const;

    QString m_folder;
    QList<CPage> m_pages;
    QTextBrowser* m_browser = nullptr;
    QTabWidget* m_side = nullptr;
    QListWidget* m_contents = nullptr;
    QLineEdit* m_searchField = nullptr;
    QListWidget* m_results = nullptr;
    QAction* m_back = nullptr;
    QAction* m_forward = nullptr;
    QStringList m_searchWords; // of the results listed, to mark them on the page opened
};
