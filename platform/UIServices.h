// The one seam through which the toolkit-free layers reach the screen: message boxes, the
// beep, the wait cursor, progress, file-name questions and the clipboard. The program installs
// its Qt implementation; the command-line tool and the tests use CHeadlessUIServices.
#pragma once

#include <deque>
#include <memory>
#include <optional>
#include <string>
#include <vector>

// Message box buttons and answers (the values of the original platform).
enum : unsigned
{
    MB_OK = 0x0,
    MB_OKCANCEL = 0x1,
    MB_YESNOCANCEL = 0x3,
    MB_YESNO = 0x4,
};
enum : int
{
    IDOK = 1,
    IDCANCEL = 2,
    IDYES = 6,
    IDNO = 7,
};

/// What a calculation places on the clipboard: the payload of our own format, the report as
/// rich text and as plain text.
struct CClipboardData
{
    std::vector<unsigned char> calculation; // archive bytes of one calculation, or empty
    std::string rtf;
    std::string plainText;
};

/// A request for a file name (save or open).
struct CFileDialogRequest
{
    bool save = true;
    std::string title;
    std::string filterName;    // e.g. "Text Files (*.txt)"
    std::string filterPattern; // e.g. "*.txt"
    std::string defaultExtension;
    bool confirmOverwrite = true;
    std::string initialName; // the file proposed when the dialog opens: a name or a path
};

class IUIServices
{
public:
    virtual ~IUIServices() = default;

    /// Shows text in a message box with the given MB_ buttons and no icon; returns the ID answer.
    virtual int MessageBox(const std::string& text, unsigned buttons = MB_OK) = 0;
    virtual void Beep(unsigned frequencyHz, unsigned durationMs) = 0;
    virtual void BeginWaitCursor() = 0;
    virtual void EndWaitCursor() = 0;

    /// The modeless progress dialog ("Please wait..."): shown by ProgressBegin, closed by ProgressEnd.
    virtual void ProgressBegin(const std::string& caption, int maximum) = 0;
    virtual void ProgressSetPos(int position) = 0;
    virtual void ProgressEnd() = 0;

    /// Asks for a file name; nullopt when the user cancels.
    virtual std::optional<std::string> AskFileName(const CFileDialogRequest& request) = 0;

    /// Places all three formats on the clipboard; false with a reason when that fails.
    virtual bool SetClipboard(const CClipboardData& data, std::string& error) = 0;
    /// The payload of our own format, nullopt when the clipboard holds none.
    virtual std::optional<std::vector<unsigned char>> GetClipboardCalculation() = 0;
    virtual bool ClipboardHasCalculation() = 0;
};

/// The services in force; never null (a headless instance until the program installs its own).
IUIServices& UIServices();
/// Installs services (not owned); nullptr restores the default headless instance.
void SetUIServices(IUIServices* services);

/// Scope guard for the wait cursor.
class CWaitCursor
{
public:
    CWaitCursor() { UIServices().BeginWaitCursor(); }
    ~CWaitCursor() { UIServices().EndWaitCursor(); }
    CWaitCursor(const CWaitCursor&) = delete;
    CWaitCursor& operator=(const CWaitCursor&) = delete;
};

/// Shows a message through the services: AfxMessageBox of the original platform.
int AfxMessageBox(const std::string& text, unsigned buttons = MB_OK);

/// Headless services: records every message and beep, answers from queues (default IDOK or
/// IDYES for the first button), keeps an in-memory clipboard.
class CHeadlessUIServices : public IUIServices
{
public:
    int MessageBox(const std::string& text, unsigned buttons = MB_OK) override;
    void Beep(unsigned frequencyHz, unsigned durationMs) override;
    void BeginWaitCursor() override { ++m_waitDepth; }
    void EndWaitCursor() override { --m_waitDepth; }
    void ProgressBegin(const std::string& caption, int maximum) override;
    void ProgressSetPos(int position) override;
    void ProgressEnd() override;
    std::optional<std::string> AskFileName(const CFileDialogRequest& request) override;
    bool SetClipboard(const CClipboardData& data, std::string& error) override;
    std::optional<std::vector<unsigned char>> GetClipboardCalculation() override;
    bool ClipboardHasCalculation() override { return !m_clipboard.calculation.empty(); }

    std::vector<std::string> m_messages;                // every message box text, in order
    std::deque<int> m_answers;                          // next message box answers
    std::deque<std::optional<std::string>> m_fileNames; // next file-name answers
    std::vector<CFileDialogRequest> m_fileRequests;     // every file dialog asked for
    int m_beeps = 0;
    int m_waitDepth = 0;
    int m_progressUpdates = 0;
    bool m_progressShown = false;
    bool m_clipboardFails = false;
    CClipboardData m_clipboard;
    bool m_echoMessages = false; // also write "message: TEXT" lines to stderr
};
