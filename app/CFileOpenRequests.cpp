// Open requests from the desktop, held until the main window can take them.
#include "CFileOpenRequests.h"

#include "CMainFrame.h"

#include <QApplication>
#include <QFileOpenEvent>
#include <QTimer>

namespace
{
// While a dialog or a long calculation holds the window, a request is tried again this much later.
constexpr int kBusyRetryMs = 250;
} // namespace

CFileOpenRequests::CFileOpenRequests()
{
    qApp->installEventFilter(this);
}

CFileOpenRequests::~CFileOpenRequests()
{
    if (qApp)
        qApp->removeEventFilter(this);
}

void CFileOpenRequests::SetFrame(CMainFrame* frame)
{
    if (m_frame)
        m_frame->removeEventFilter(this);
    m_frame = frame;
    if (!frame)
        return;
    frame->installEventFilter(this); // the requests held so far go once it is shown
    Schedule();
}

bool CFileOpenRequests::eventFilter(QObject* watched, QEvent* event)
{
    if (event->type() == QEvent::FileOpen && watched == qApp) {
        // A file of a remote location (no local path) cannot be read as a document.
        const QString file = static_cast<QFileOpenEvent*>(event)->file();
        if (!file.isEmpty()) {
            m_pending << file;
            Schedule();
        }
        return true;
    }
    if (event->type() == QEvent::Show && watched == m_frame.data() && !m_pending.isEmpty())
        Schedule();
    return QObject::eventFilter(watched, event);
}

void CFileOpenRequests::Schedule(int delayMs)
{
    // Requests delivered together (several files chosen in Finder) are handled as one batch.
    if (m_scheduled)
        return;
    m_scheduled = true;
    QTimer::singleShot(delayMs, this, [this] {
        m_scheduled = false;
        HandlePending();
    });
}

void CFileOpenRequests::HandlePending()
{
    if (m_pending.isEmpty() || !m_frame || !m_frame->isVisible())
        return;
    if (m_frame->IsBusy()) {
        Schedule(kBusyRetryMs);
        return;
    }
    // One document at a time, as for a drop: the first one asked for; the others of the batch
    // are not kept for later, where they would replace it one after the other.
    const QString file = m_pending.takeFirst();
    m_pending.clear();
    m_frame->raise();
    m_frame->activateWindow();
    m_frame->OpenDroppedDocument(file);
}
