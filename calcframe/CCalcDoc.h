// The calculation document: owns the tree through its head folder, knows the selected node and
// its two views, makes new calculations and notes, loads and saves zna files, exports every
// report as plain text, and passes report phrases from the calculations to the result view.
#pragma once

#include "CCalcType.h"
#include "ReportTarget.h"

#include <filesystem>
#include <functional>
#include <memory>
#include <string>
#include <utility>
#include <vector>

class CArchive;
class CCalcBase;
struct CFileBytes;
class CCalcDocNode;
class CCalcNodeBase;
class CCalculation;
class ICalcDocViews;

/// Run on a new calculation's object once the factory made it, before its dialog opens.
using CalcPrepareHook = std::function<void(CCalcBase& data)>;

/// Failures are shown through AfxMessageBox (the UI-services seam) where they happen, and the
/// operation returns false; callers show nothing more. The last message is also kept
/// (GetLastError) for callers without a screen, such as the command-line tool.
class CCalcDoc : public IReportTarget
{
public:
    static constexpr unsigned kFirstCalculationCommand = 32771;
    static constexpr unsigned kLastCalculationCommand = 33000;
    static constexpr const char kExportSeparator[] = "\r\n\r\n--------------------------------\r\n\r\n";

    CCalcDoc();
    ~CCalcDoc() override;
    CCalcDoc(const CCalcDoc&) = delete;
    CCalcDoc& operator=(const CCalcDoc&) = delete;

    /// The process-wide current document (the first that ran New or Open), or null.
    static CCalcDoc* GetCurrent();

    /// The views register here (not owned); null detaches them.
    void SetViews(ICalcDocViews* views) { m_views = views; }
    ICalcDocViews* GetViews() const { return m_views; }

    bool OnNewDocument();
    /// Reads the file into a new tree; on any failure the open document stays exactly as it was.
    bool OnOpenDocument(const std::filesystem::path& path);
    /// From now on, every document of this process maps its file when opening it (MapWholeFile)
    /// instead of reading it: for short-lived processes such as the command-line tool, which
    /// open large documents quicker so and guard against a file truncated under them.
    static void MapFilesWhenOpening(bool map);
    /// From now on, every document of this process keeps its file mapped under a read lease
    /// (MapLeasedFile) for as long as it is open, where the system grants one, and reads it
    /// elsewhere: for the desktop program, whose reports then stay in the file until shown.
    static void LeaseFilesWhenOpening();
    /// Stores the shown report, then replaces the file atomically; on failure the old file, the
    /// path and the modified flag stay as they were.
    bool OnSaveDocument(const std::filesystem::path& path);
    /// Storing writes the head as the one object of the file; loading reads a new head and,
    /// only when that succeeds, replaces the tree (throws CArchiveException otherwise).
    void Serialize(CArchive& ar);

    CCalcDocNode* GetHead() const { return m_head.get(); }
    /// A new head folder "0000" with the label; the previous tree is destroyed.
    void PrepareHead(const std::string& label);
    /// Files the calculation into the tree, which owns it from then on, marks the document
    /// modified, updates the views and returns it. Control characters in its title and label
    /// are spelled out first (EscapeControlCharacters). Null for null, an invalid type code or
    /// a document without a tree: nothing is filed and the calculation is destroyed.
    CCalculation* Add(std::unique_ptr<CCalculation> calc);
    /// The new-calculation command, for the program and the command-line tool alike: the
    /// factory's object for the type (for "9999" a note, filed with the selected node's type),
    /// `prepare` on it, its dialog (Do), the label from its title, filing (Add), then its
    /// report written into the result view. Returns the calculation filed; null when the dialog
    /// was cancelled (no trace left) or on a failure (its message shown, see GetLastError).
    CCalculation* AddNewCalculation(CCalcType type, const CalcPrepareHook& prepare = {});
    /// Command ids 32771..33000 ask for the leaf of number id - 32771; others are ignored (null).
    CCalculation* OnNewCalculation(unsigned id);
    CCalculation* OnNote();

    void BeginProgramWrite() override;
    void InsertPhrase(const std::string& text, unsigned flags) override;
    void EndProgramWrite() override;

    CCalcNodeBase* GetSelectedNode() const { return m_selected; }
    void SetSelectedNode(CCalcNodeBase* node);

    /// Asks for a text file name (Messages/10 as title) and exports into it.
    void OnFileExport();
    /// Writes every report of the tree as plain text, each followed by kExportSeparator. A file
    /// is replaced atomically (a failure leaves the old one); a pipe or terminal is written
    /// into. Refused: a path that names the document's own file (also through a link).
    bool ExportToFile(const std::filesystem::path& path);
    /// The export bytes of a subtree: UTF-8, CRLF line ends, no byte-order mark.
    static std::string Export(CCalcDocNode* node);

    bool IsModified() const { return m_modified; }
    void SetModifiedFlag(bool modified = true) { m_modified = modified; }
    const std::filesystem::path& GetPathName() const { return m_path; }
    /// "Untitled" for a new document, else the file title.
    const std::string& GetTitle() const { return m_title; }
    /// True when the document's file was replaced or changed on disk (by someone else) since it
    /// was opened or saved here; false for a new document or a file that is gone.
    bool FileChangedOnDisk() const;
    /// The message of the last failure shown, empty when none.
    const std::string& GetLastError() const { return m_lastError; }

    /// The file's name without its folder and without the extension (after the last full stop);
    /// a name without a full stop stays whole.
    static std::string FileTitle(const std::filesystem::path& path);
    /// The head's first name while a file opens: after the last '/' or '\', before the last
    /// full stop; empty when there is no full stop.
    static std::string OpenHeadName(const std::string& path);
    /// Reads a document from bytes into a new tree; null with the reason in `error` on failure.
    static std::unique_ptr<CCalcDocNode> LoadTree(const std::vector<unsigned char>& bytes, std::string& error);
    /// As above; the tree's reports stay in `bytes` (shared, not copied) until they are changed.
    static std::unique_ptr<CCalcDocNode> LoadTree(const CFileBytes& bytes, std::string& error);
    /// The file bytes of a tree.
    static std::vector<unsigned char> StoreTree(const CCalcDocNode* head);
    /// The same bytes handed to `drain` a piece at a time (whatever `drain` throws passes on).
    static void StoreTree(const CCalcDocNode* head, const std::function<void(const unsigned char*, size_t)>& drain);

private:
    void UpdateAllViews();
    void MakeCurrent();
    void Fail(const std::string& message);
    void ReplaceTree(std::unique_ptr<CCalcDocNode> head);
    void RememberFileStamp();

    /// What the file looked like when this document last read or wrote it.
    struct CFileStamp
    {
        bool known = false;
        unsigned long long device = 0;
        unsigned long long inode = 0;
        long long size = 0;
        long long seconds = 0;
        long long nanoseconds = 0;
    };

    ICalcDocViews* m_views = nullptr;
    CCalcNodeBase* m_selected = nullptr;
    std::unique_ptr<CCalcDocNode> m_head;
    bool m_modified = false;
    std::filesystem::path m_path;
    std::string m_title = "Untitled";
    std::string m_lastError;
    CFileStamp m_stamp;
    /// The title line (title and an empty line) of the calculation filed last, as composed and
    /// with its control characters spelled out; empty when the title had none.
    std::pair<std::string, std::string> m_heading;
};
