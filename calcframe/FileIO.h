// Whole-file reads and writes for documents and exports: an atomic save (temporary file beside
// the target, checked writes, fsync, rename) and the platform's fixed texts for file errors.
#pragma once

#include <cstddef>
#include <filesystem>
#include <memory>
#include <string>
#include <vector>

/// The fixed message for a failed file operation on `path` (shown as its full path):
/// "%1 was not found.", "Access to %1 was denied.", "There is not enough space on the disk."
/// or "An unexpected file error occurred while accessing %1.".
std::string FileErrorMessage(int error, const std::filesystem::path& path);

/// Reads a regular file whole; false with the reason in `error` otherwise.
bool ReadWholeFile(const std::filesystem::path& path, std::vector<unsigned char>& bytes, std::string& error);

/// The bytes of a file read whole, shared by everyone who keeps a part of them.
struct CFileBytes
{
    std::shared_ptr<const unsigned char> data; // never null after a successful read
    size_t size = 0;
    bool mapped = false; // the file's own pages (MapWholeFile), not a copy
    int lease = -1;      // the lease that guards them (MapLeasedFile), or -1
};

/// As above, into memory of its own that is not cleared first (large documents open faster).
bool ReadWholeFile(const std::filesystem::path& path, CFileBytes& bytes, std::string& error);

/// Maps a regular file into memory instead of reading it: no copy and nothing to clear, the
/// quickest way to a large file's bytes. The bytes are the file's own pages, so a program that
/// truncates the file while they are in use makes reading them fault (SIGBUS); replacing the
/// file by renaming another over it, as every save here does, leaves them intact. For
/// short-lived processes that guard against that fault. An empty file is read, not mapped.
bool MapWholeFile(const std::filesystem::path& path, CFileBytes& bytes, std::string& error);

/// Lets the system take back this process's pages of the mapped bytes [from, to) (whole pages
/// only): they stay in the file and are brought back when read again. For stretches that a
/// reader has passed and may not need again.
void ReleaseMappedPages(const CFileBytes& bytes, size_t from, size_t to);

/// Replaces the file at `path` with exactly these bytes, or leaves it as it was (see
/// ReplaceFileAtomic: a temporary beside it renamed over it; permission bits kept; a symbolic
/// link followed; a read-only file, a folder, a device or an endless link refused). False with
/// the reason in `error`.
bool SaveFileAtomic(const std::filesystem::path& path, const void* data, size_t size, std::string& error);

/// True when both paths name one existing file (the same device and inode), whatever links or
/// spellings lead to it.
bool IsSameFile(const std::filesystem::path& first, const std::filesystem::path& second);

/// Writes an export: a pipe or terminal is written into, anything else is replaced atomically
/// (SaveFileAtomic), so a failure keeps the old file. Refused with its own message: a target
/// that is the file `document` (the open document, under any name). False with the reason in
/// `error`.
bool WriteExportFile(const std::filesystem::path& path, const void* data, size_t size,
                     const std::filesystem::path& document, std::string& error);

/// Creates or truncates the file and writes the bytes, checking every write and the close.
bool WriteWholeFile(const std::filesystem::path& path, const void* data, size_t size, std::string& error);
