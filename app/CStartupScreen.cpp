// The start-up picture and the application-wide watch for the first key or mouse press.
#include "CStartupScreen.h"

#include "Artwork.h"

#include <QApplication>
#include <QEvent>
#include <QPainter>
#include <QPointer>
#include <QTimer>

CStartupScreen::CStartupScreen(QWidget* owner)
    : QWidget(owner,
              Qt::SplashScreen | Qt::FramelessWindowHint | Qt::WindowStaysOnTopHint | Qt::WindowDoesNotAcceptFocus),
      m_picture(StartupPicture()), m_owner(owner)
{
    setAttribute(Qt::WA_ShowWithoutActivating);
    setAttribute(Qt::WA_DeleteOnClose);
    setFocusPolicy(Qt::NoFocus);
    setCursor(Qt::ArrowCursor);
    setFixedSize(m_picture.deviceIndependentSize().toSize());
    if (owner) {
        QRect area = owner->frameGeometry();
        move(area.center() - rect().center());
    }
    qApp->installEventFilter(this);
    QTimer::singleShot(kShowMilliseconds, this, &CStartupScreen::HidePicture);
}

CStartupScreen::~CStartupScreen()
{
    qApp->removeEventFilter(this);
    if (s_current == this)
        s_current = nullptr;
    if (m_owner)
        m_owner->update();
}

void CStartupScreen::ShowOver(QWidget* owner)
{
    if (!s_allowed || s_current)
        return;
    s_current = new CStartupScreen(owner);
    s_current->show();
}

void CStartupScreen::HidePicture()
{
    if (CStartupScreen* current = s_current) {
        s_current = nullptr;
        current->close(); // deleted on close
    }
}

void CStartupScreen::paintEvent(QPaintEvent*)
{
    QPainter painter(this);
    painter.drawPixmap(0, 0, m_picture);
}

bool CStartupScreen::eventFilter(QObject* watched, QEvent* event)
{
    switch (event->type()) {
    case QEvent::KeyPress:
    case QEvent::MouseButtonPress:
    case QEvent::MouseButtonDblClick:
    case QEvent::NonClientAreaMouseButtonPress:
        // Closed later in this event loop turn: the event itself goes on to its target.
        if (s_current == this)
            QTimer::singleShot(0, this, &CStartupScreen::HidePicture);
        break;
    default:
        break;
    }
    return QWidget::eventFilter(watched, event);
}
