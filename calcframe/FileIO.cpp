// Whole-file reads and writes with POSIX calls, so that every failure has its errno.
#include "FileIO.h"

#include "AtomicFile.h"

#include <cerrno>
#include <fcntl.h>
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

std::string Replace1(const char* text, const std::string& value)
{
    std::string result(text);
    const size_t at = result.find("%1");
    if (at != std::string::npos)
        result.replace(at, 2, value);
    return result;
}

} // namespace

std::string FileErrorMessage(int error, const std::filesystem::path& path)
{
    switch (error) {
    case ENOENT:
    case ENOTDIR:
        return Replace1("%1 was not found.", FullPath(path));
    case EACCES:
    case EPERM:
    case EROFS:
        return Replace1("Access to %1 was denied.", FullPath(path));
    case ENOSPC:
    case EDQUOT:
        return "There is not enough space on the disk.";
    default:
        return Replace1("An unexpected file error occurred while accessing %1.", FullPath(path));
    }
}

bool ReadWholeFile(const std::filesystem::path& path, std::vector<unsigned char>& bytes, std::string& error)
{
    // Non-blocking open, so that a FIFO named by mistake cannot hang the program.
    const int fd = ::open(path.c_str(), O_RDONLY | O_CLOEXEC | O_NONBLOCK);
    if (fd < 0) {
        error = FileErrorMessage(errno, path);
        return false;
    }
    struct stat st
    {};
    if (::fstat(fd, &st) != 0 || !S_ISREG(st.st_mode)) {
        error = FileErrorMessage(EINVAL, path);
        ::close(fd);
        return false;
    }
    bytes.clear();
    bytes.reserve(static_cast<size_t>(st.st_size));
    unsigned char buffer[65536];
    for (;;) {
        const ssize_t got = ::read(fd, buffer, sizeof buffer);
        if (got < 0 && errno == EINTR)
            continue;
        if (got < 0) {
            error = FileErrorMessage(errno, path);
            ::close(fd);
            return false;
        }
        if (got == 0)
            break;
        bytes.insert(bytes.end(), buffer, buffer + got);
    }
    ::close(fd);
    return true;
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
        error = "%1 is the document itself: choose another file for the export.";
        error.replace(error.find("%1"), 2, path.string());
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
