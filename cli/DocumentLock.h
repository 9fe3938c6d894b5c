// The exclusive lock that makes "run --doc" a single step for every other zentavo-cli: read the
// document, file the calculation, save it, with no other run in between.
#pragma once

#include <filesystem>
#include <string>

/// Holds an advisory lock from Acquire until destruction. On POSIX systems the lock (flock) sits
/// on the document's file; while the document does not exist yet, on its folder. A document
/// that was replaced by a save while we waited is locked afresh, so that every holder reads the
/// newest. On Windows the lock is a named mutex of the document's full path, which keeps out
/// every run in the same logon session.
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
    void* m_handle = nullptr; // the owned mutex
#else
    int m_fd = -1;
#endif
};
