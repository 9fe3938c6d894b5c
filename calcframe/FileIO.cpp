// Whole-file reads and writes through the descriptors of OsFiles.h, so that every failure has
// its errno on every system; mapping a file is POSIX only.
#include "FileIO.h"

#include "AtomicFile.h"
#include "OsFiles.h"
#include "ScreenText.h"

#include <algorithm>
#include <cerrno>
#include <cstdlib>

#ifndef _WIN32
#include <sys/mman.h>
#include <unistd.h>
#endif

namespace
{
std::string FullPath(const std::filesystem::path& path)
{
    std::error_code ec;
    const std::filesystem::path full = std::filesystem::absolute(path, ec);
    return os::PathToUtf8(ec ? path : full.lexically_normal());
}

/// Opens a regular file for reading and gives its size; -1 with the reason in `error` otherwise.
int OpenRegular(const std::filesystem::path& path, size_t& size, std::string& error)
{
    // Non-blocking open, so that a FIFO named by mistake cannot hang the program.
    const int fd = os::OpenForReading(path);
    if (fd < 0) {
        error = FileErrorMessage(errno, path);
        return -1;
    }
    const std::optional<uint64_t> length = os::RegularFileSize(fd);
    if (!length || *length > SIZE_MAX) {
        error = FileErrorMessage(EINVAL, path);
        os::CloseFile(fd);
        return -1;
    }
    size = static_cast<size_t>(*length);
    return fd;
}

/// Reads until `size` bytes are in `buffer` or the file ends; the count read, -1 on failure
/// (errno set).
long long ReadUpTo(int fd, unsigned char* buffer, size_t size)
{
    size_t have = 0;
    while (have < size) {
        const long long got = os::ReadSome(fd, buffer + have, size - have);
        if (got < 0)
            return -1;
        if (got == 0)
            break;
        have += static_cast<size_t>(got);
    }
    return static_cast<long long>(have);
}

#ifndef _WIN32
constexpr size_t kHugePage = size_t{2} << 20;
#endif
} // namespace

std::string FileErrorMessage(int error, const std::filesystem::path& path)
{
    switch (error) {
    case ENOENT:
    case ENOTDIR:
        return ScreenText("FILE_NOT_FOUND", "%1 was not found.", {FullPath(path)});
    case EACCES:
    case EPERM:
    case EROFS:
        return ScreenText("ACCESS_DENIED", "Access to %1 was denied.", {FullPath(path)});
    case ENOSPC:
#ifdef EDQUOT
    case EDQUOT:
#endif
        return ScreenText("DISK_FULL", "There is not enough space on the disk.");
    default:
        return ScreenText("FILE_ERROR", "An unexpected file error occurred while accessing %1.", {FullPath(path)});
    }
}

bool ReadWholeFile(const std::filesystem::path& path, std::vector<unsigned char>& bytes, std::string& error)
{
    size_t size = 0;
    const int fd = OpenRegular(path, size, error);
    if (fd < 0)
        return false;
    // Read straight into the result, then on to the end of a file that grew meanwhile.
    bytes.resize(size);
    size_t have = 0;
    for (long long got = 1; got > 0;) {
        if (have == bytes.size())
            bytes.resize(have + 65536);
        got = ReadUpTo(fd, bytes.data() + have, bytes.size() - have);
        if (got < 0) {
            error = FileErrorMessage(errno, path);
            os::CloseFile(fd);
            return false;
        }
        have += static_cast<size_t>(got);
        if (have < bytes.size())
            break;
    }
    bytes.resize(have);
    os::CloseFile(fd);
    return true;
}

bool ReadWholeFile(const std::filesystem::path& path, CFileBytes& bytes, std::string& error)
{
    size_t size = 0;
    const int fd = OpenRegular(path, size, error);
    if (fd < 0)
        return false;
#ifdef _WIN32
    const size_t capacity = size + 1;
    void* memory = std::malloc(capacity);
#else
    // Whole huge pages where the system gives them on request: a document of many megabytes
    // then costs a few hundred page faults instead of tens of thousands.
    const bool large = size >= 4 * kHugePage;
    const size_t capacity = large ? (size / kHugePage + 1) * kHugePage : size + 1;
    void* memory = large ? std::aligned_alloc(kHugePage, capacity) : std::malloc(capacity);
    if (memory && large)
        ::madvise(memory, capacity, MADV_HUGEPAGE); // advice only: no harm when refused
#endif
    if (!memory) {
        os::CloseFile(fd);
        error = FileErrorMessage(ENOMEM, path);
        return false;
    }
    std::shared_ptr<unsigned char> data(static_cast<unsigned char*>(memory), [](unsigned char* p) { std::free(p); });
    // One byte more than the size asks whether the file grew since it was opened.
    const long long got = ReadUpTo(fd, data.get(), size + 1);
    const int failure = errno;
    os::CloseFile(fd);
    if (got < 0) {
        error = FileErrorMessage(failure, path);
        return false;
    }
    if (static_cast<size_t>(got) > size) {
        // Written to as we read: read it again whole, as the plain reader does.
        auto whole = std::make_shared<std::vector<unsigned char>>();
        if (!ReadWholeFile(path, *whole, error))
            return false;
        bytes.size = whole->size();
        bytes.data = std::shared_ptr<const unsigned char>(whole, whole->data());
        return true;
    }
    bytes.size = static_cast<size_t>(got);
    bytes.data = std::move(data);
    return true;
}

bool MapWholeFile(const std::filesystem::path& path, CFileBytes& bytes, std::string& error)
{
#ifdef _WIN32
    // A mapped file cannot be replaced on Windows while the mapping lasts, so a save of the same
    // document would fail: read it instead.
    return ReadWholeFile(path, bytes, error);
#else
    size_t size = 0;
    const int fd = OpenRegular(path, size, error);
    if (fd < 0)
        return false;
    if (size == 0) {
        os::CloseFile(fd);
        return ReadWholeFile(path, bytes, error);
    }
    void* memory = ::mmap(nullptr, size, PROT_READ, MAP_PRIVATE, fd, 0);
    const int failure = errno;
    os::CloseFile(fd); // the mapping keeps the file open
    if (memory == MAP_FAILED) {
        error = FileErrorMessage(failure, path);
        return false;
    }
    ::madvise(memory, size, MADV_WILLNEED); // advice only: read ahead what the parse will need
    bytes.size = size;
    bytes.mapped = true;
    bytes.data =
        std::shared_ptr<const unsigned char>(static_cast<const unsigned char*>(memory), [size](const unsigned char* p) {
            ::munmap(const_cast<unsigned char*>(p), size);
        });
    return true;
#endif
}

void ReleaseMappedPages([[maybe_unused]] const CFileBytes& bytes, [[maybe_unused]] size_t from,
                        [[maybe_unused]] size_t to)
{
#ifndef _WIN32 // nothing is mapped on Windows
    if (!bytes.mapped || !bytes.data)
        return;
    const size_t page = static_cast<size_t>(::sysconf(_SC_PAGESIZE));
    const size_t begin = (from + page - 1) / page * page;
    const size_t end = std::min(to, bytes.size) / page * page;
    if (begin < end)
        ::madvise(const_cast<unsigned char*>(bytes.data.get()) + begin, end - begin, MADV_DONTNEED);
#endif
}

bool SaveFileAtomic(const std::filesystem::path& path, const void* data, size_t size, std::string& error)
{
    const int failure = ReplaceFileAtomic(path, data, size);
    if (failure != 0)
        error = FileErrorMessage(failure, path);
    return failure == 0;
}

bool IsSameFile(const std::filesystem::path& first, const std::filesystem::path& second)
{
    // The same device and inode (on Windows: volume and file index), both existing.
    std::error_code error;
    return !first.empty() && !second.empty() && std::filesystem::equivalent(first, second, error) && !error;
}

bool WriteExportFile(const std::filesystem::path& path, const void* data, size_t size,
                     const std::filesystem::path& document, std::string& error)
{
    if (IsSameFile(path, document)) {
        // Another name or a hard link of the open document: the export would replace it.
        error = ScreenText("EXPORT_OVER_DOCUMENT", "%1 is the document itself: choose another file for the export.",
                           {os::PathToUtf8(path)});
        return false;
    }
    std::error_code status;
    const std::filesystem::file_status target = std::filesystem::status(path, status);
    if (!status && (std::filesystem::is_fifo(target) || std::filesystem::is_character_file(target)))
        return WriteWholeFile(path, data, size, error); // a pipe or a terminal
    return SaveFileAtomic(path, data, size, error);
}

bool WriteWholeFile(const std::filesystem::path& path, const void* data, size_t size, std::string& error)
{
    const int fd = os::OpenForWriting(path);
    if (fd < 0) {
        error = FileErrorMessage(errno, path);
        return false;
    }
    bool ok = os::WriteAll(fd, data, size);
    int failure = ok ? 0 : errno;
    if (!os::CloseFile(fd) && ok) {
        ok = false;
        failure = errno;
    }
    if (!ok)
        error = FileErrorMessage(failure, path);
    return ok;
}
