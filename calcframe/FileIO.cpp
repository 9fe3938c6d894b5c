// Whole-file reads and writes with POSIX calls, so that every failure has its errno.
#include "FileIO.h"

#include "AtomicFile.h"
#include "ScreenText.h"

#include <algorithm>
#include <cerrno>
#include <cstdlib>
#include <fcntl.h>
#include <sys/mman.h>
#include <sys/stat.h>
#include <unistd.h>

namespace
{
std::string FullPath(const std::filesystem::path& path)
{
    std::error_code ec;
    const std::filesystem::path full = std::filesystem::absolute(path, ec);
    return ec ? path.string() : full.lexically_normal().string();
}

/// Opens a regular file for reading; -1 with the reason in `error` otherwise.
int OpenRegular(const std::filesystem::path& path, struct stat& st, std::string& error)
{
    // Non-blocking open, so that a FIFO named by mistake cannot hang the program.
    const int fd = ::open(path.c_str(), O_RDONLY | O_CLOEXEC | O_NONBLOCK);
    if (fd < 0) {
        error = FileErrorMessage(errno, path);
        return -1;
    }
    if (::fstat(fd, &st) != 0 || !S_ISREG(st.st_mode)) {
        error = FileErrorMessage(EINVAL, path);
        ::close(fd);
        return -1;
    }
    return fd;
}

/// Reads until `size` bytes are in `buffer` or the file ends; the count read, -1 on failure
/// (errno set).
ssize_t ReadUpTo(int fd, unsigned char* buffer, size_t size)
{
    size_t have = 0;
    while (have < size) {
        const ssize_t got = ::read(fd, buffer + have, size - have);
        if (got < 0 && errno == EINTR)
            continue;
        if (got < 0)
            return -1;
        if (got == 0)
            break;
        have += static_cast<size_t>(got);
    }
    return static_cast<ssize_t>(have);
}

constexpr size_t kHugePage = size_t{2} << 20;
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
    case EDQUOT:
        return ScreenText("DISK_FULL", "There is not enough space on the disk.");
    default:
        return ScreenText("FILE_ERROR", "An unexpected file error occurred while accessing %1.", {FullPath(path)});
    }
}

bool ReadWholeFile(const std::filesystem::path& path, std::vector<unsigned char>& bytes, std::string& error)
{
    struct stat st
    {};
    const int fd = OpenRegular(path, st, error);
    if (fd < 0)
        return false;
    // Read straight into the result, then on to the end of a file that grew meanwhile.
    bytes.resize(static_cast<size_t>(st.st_size));
    size_t have = 0;
    for (ssize_t got = 1; got > 0;) {
        if (have == bytes.size())
            bytes.resize(have + 65536);
        got = ReadUpTo(fd, bytes.data() + have, bytes.size() - have);
        if (got < 0) {
            error = FileErrorMessage(errno, path);
            ::close(fd);
            return false;
        }
        have += static_cast<size_t>(got);
        if (have < bytes.size())
            break;
    }
    bytes.resize(have);
    ::close(fd);
    return true;
}

bool ReadWholeFile(const std::filesystem::path& path, CFileBytes& bytes, std::string& error)
{
    struct stat st
    {};
    const int fd = OpenRegular(path, st, error);
    if (fd < 0)
        return false;
    // Whole huge pages where the system gives them on request: a document of many megabytes
    // then costs a few hundred page faults instead of tens of thousands.
    const size_t size = static_cast<size_t>(st.st_size);
    const bool large = size >= 4 * kHugePage;
    const size_t capacity = large ? (size / kHugePage + 1) * kHugePage : size + 1;
    void* memory = large ? std::aligned_alloc(kHugePage, capacity) : std::malloc(capacity);
    if (!memory) {
        ::close(fd);
        error = FileErrorMessage(ENOMEM, path);
        return false;
    }
    if (large)
        ::madvise(memory, capacity, MADV_HUGEPAGE); // advice only: no harm when refused
    std::shared_ptr<unsigned char> data(static_cast<unsigned char*>(memory), [](unsigned char* p) { std::free(p); });
    // One byte more than the size asks whether the file grew since it was opened.
    const ssize_t got = ReadUpTo(fd, data.get(), size + 1);
    const int failure = errno;
    ::close(fd);
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
    struct stat st
    {};
    const int fd = OpenRegular(path, st, error);
    if (fd < 0)
        return false;
    const size_t size = static_cast<size_t>(st.st_size);
    if (size == 0) {
        ::close(fd);
        return ReadWholeFile(path, bytes, error);
    }
    void* memory = ::mmap(nullptr, size, PROT_READ, MAP_PRIVATE, fd, 0);
    const int failure = errno;
    ::close(fd); // the mapping keeps the file open
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
}

void ReleaseMappedPages(const CFileBytes& bytes, size_t from, size_t to)
{
    if (!bytes.mapped || !bytes.data)
        return;
    const size_t page = static_cast<size_t>(::sysconf(_SC_PAGESIZE));
    const size_t begin = (from + page - 1) / page * page;
    const size_t end = std::min(to, bytes.size) / page * page;
    if (begin < end)
        ::madvise(const_cast<unsigned char*>(bytes.data.get()) + begin, end - begin, MADV_DONTNEED);
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
    struct stat a
    {};
    struct stat b
    {};
    return !first.empty() && !second.empty() && ::stat(first.c_str(), &a) == 0 && ::stat(second.c_str(), &b) == 0 &&
           a.st_dev == b.st_dev && a.st_ino == b.st_ino;
}

bool WriteExportFile(const std::filesystem::path& path, const void* data, size_t size,
                     const std::filesystem::path& document, std::string& error)
{
    if (IsSameFile(path, document)) {
        // Another name or a hard link of the open document: the export would replace it.
        error = ScreenText("EXPORT_OVER_DOCUMENT", "%1 is the document itself: choose another file for the export.",
                           {path.string()});
        return false;
    }
    struct stat target
    {};
    if (::stat(path.c_str(), &target) == 0 && (S_ISFIFO(target.st_mode) || S_ISCHR(target.st_mode)))
        return WriteWholeFile(path, data, size, error); // a pipe or a terminal
    return SaveFileAtomic(path, data, size, error);
}

bool WriteWholeFile(const std::filesystem::path& path, const void* data, size_t size, std::string& error)
{
    const int fd = ::open(path.c_str(), O_WRONLY | O_CREAT | O_TRUNC | O_CLOEXEC, 0666);
    if (fd < 0) {
        error = FileErrorMessage(errno, path);
        return false;
    }
    bool ok = WriteAllBytes(fd, data, size);
    int failure = ok ? 0 : errno;
    if (::close(fd) != 0 && ok) {
        ok = false;
        failure = errno;
    }
    if (!ok)
        error = FileErrorMessage(failure, path);
    return ok;
}
