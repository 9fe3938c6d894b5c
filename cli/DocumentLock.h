// The exclusive lock that makes "run --doc" a single step for every other zentavo-cli: read the
// document, file the calculation, save it, with no other run in between.
#pragma once

#include <filesystem>
#include <string>

/// Holds an advisory lock (flock; on Windows LockFileEx) from Acquire until destruction. The lock
/// sits on the document's file; while the document does not exist yet, on its folder (on
/// Windows, which cannot lock a folder, on a named mutex of the document's full path). A
/// document that was replaced by a save while we waited is locked afresh, so that every holder
/// reads the newest.
class CDocumentLock
{
public:
    CDocumentLock() = default;
    ~CDocumentLock();
    CDocumentLock(const CDocumentLock&) = delete;
    CDocumentLock& operator=(const CDocumentLock&) = delete;

    /// Waits for the lock; false with the one-line reason in `error` when the document or its
    /// folder cannot be opened (a link that never ends, a missing folder, no access).
    bool Acquire(const std::filesystem::path& document, std::string& error);

private:
#ifdef _WIN32
    void* m_handle = nullptr; // the locked file or the owned mutex
    bool m_mutex = false;
#else
    int m_fd = -1;
#endif
};
