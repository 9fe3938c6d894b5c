// The start-up picture: a borderless window over the main window that closes after two seconds
// or at the first key or mouse-button press anywhere in the program, which still reaches its
// target. It never takes the keyboard focus.
#pragma once

#include <QPixmap>
#include <QWidget>

class CStartupScreen : public QWidget
{
    Q_OBJECT
public:
    static constexpr int kShowMilliseconds = 2000;

    /// Whether the picture may be shown at all (not when printing from the command line, not
    /// on the offscreen platform); decided once at start.
    static void SetAllowed(bool allowed) { s_allowed = allowed; }
    static bool IsAllowed() { return s_allowed; }
    /// Shows the picture centred on the owner, unless it is not allowed or already shown.
    static void ShowOver(QWidget* owner);
    /// The picture on show, or null.
    static CStartupScreen* Current() { return s_current; }
    /// Closes the picture on show, if any.
    static void HidePicture();

    ~CStartupScreen() override;

protected:
    void paintEvent(QPaintEvent* event) override;
    bool eventFilter(QObject* watched, QEvent* event) override;

private:
    explicit CStartupScreen(QWidget* owner);

    static inline CStartupScreen* s_current = nullptr;
    static inline bool s_allowed = true;
    QPixmap m_picture;
    QWidget* m_owner = nullptr;
};
