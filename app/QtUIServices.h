// The screen side of the UI-services seam: Qt message boxes, the beep, the wait cursor, the
// "Please wait..." progress, file dialogs and the clipboard with our formats (calculation, RTF,
// HTML and plain text).
#pragma once

#include "UIServices.h"

#include <QObject>
#include <QPointer>

class QProgressDialog;
class QWidget;

class CQtUIServices : public QObject, public IUIServices
{
    Q_OBJECT
public:
    static constexpr char kCalculationMimeType[] = "application/x-zentavo-calculation";

    explicit CQtUIServices(QObject* parent = nullptr);
    ~CQtUIServices() override;

    /// The window that owns message boxes and dialogs when no other window is active.
    void SetMainWindow(QWidget* window);

    int MessageBox(const std::string& text, unsigned buttons = MB_OK) override;
    void Beep(unsigned frequencyHz, unsigned durationMs) override;
    void BeginWaitCursor() override;
    void EndWaitCursor() override;
    void ProgressBegin(const std::string& caption, int maximum) override;
    void ProgressSetPos(int position) override;
    void ProgressEnd() override;
    std::optional<std::string> AskFileName(const CFileDialogRequest& request) override;
    bool SetClipboard(const CClipboardData& data, std::string& error) override;
    std::optional<std::vector<unsigned char>> GetClipboardCalculation() override;
    bool ClipboardHasCalculation() override { return m_clipboardHasCalculation; }

    /// True while a long computation shows its progress: the main window must not close.
    bool IsBusy() const { return !m_progress.isNull(); }
    /// The window dialogs and message boxes are shown over.
    QWidget* DialogParent() const;

signals:
    /// The clipboard's content changed (the cached formats are already up to date).
    void clipboardChanged();

private:
    void ReadClipboardFormats();
    /// Shows what painted and timers need while the work runs, but no user input.
    static void Repaint();

    QPointer<QWidget> m_mainWindow;
    int m_waitDepth = 0;
    QPointer<QProgressDialog> m_progress; // a child of its parent window, which may go first
    bool m_clipboardHasCalculation = false;
};
