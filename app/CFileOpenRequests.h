// Documents the desktop asks the program to open while it runs (on macOS: a double-click in
// Finder, a drop on the Dock icon, "Open With"). They arrive as QFileOpenEvent at the
// application object, also before the main window exists when the open started the program.
// They wait until the window is shown; then the first of those that came together opens as a
// dropped document does: the question about unsaved changes first, a damaged file named in the
// usual message while the open document stays.
#pragma once

#include <QObject>
#include <QPointer>
#include <QStringList>

class CMainFrame;

class CFileOpenRequests : public QObject
{
public:
    /// Watches the application object for open requests from its construction on.
    CFileOpenRequests();
    ~CFileOpenRequests() override;
    CFileOpenRequests(const CFileOpenRequests&) = delete;
    CFileOpenRequests& operator=(const CFileOpenRequests&) = delete;

    /// The window that opens the documents; requests wait while it is null or hidden.
    void SetFrame(CMainFrame* frame);
    /// The documents asked for and not yet handled, oldest first.
    const QStringList& Pending() const { return m_pending; }

protected:
    bool eventFilter(QObject* watched, QEvent* event) override;

private:
    void Schedule(int delayMs = 0);
    void HandlePending();

    QPointer<CMainFrame> m_frame;
    QStringList m_pending;
    bool m_scheduled = false;
};
