// The few services that each operating system spells its own way: where the program and the
// user's settings live, the environment and the command line as UTF-8, binary standard output,
// and the file descriptors the whole-file reader and writers use. OsPosix.cpp implements them
// for Linux and macOS, OsWindows.cpp for Windows; each compiles to nothing on the other.
//
// Text in and out of these functions is UTF-8; a path is built from UTF-8 with PathFromUtf8,
// never from the Windows ANSI code page.
#pragma once

#include <cstddef>
#include <cstdint>
#include <cstdio>
#include <filesystem>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

namespace os
{
/// The path that UTF-8 text names.
std::filesystem::path PathFromUtf8(std::string_view utf8);
/// The UTF-8 text of a path.
std::string PathToUtf8(const std::filesystem::path& path);

/// The running program's own file, or empty when the system does not tell.
std::filesystem::path ExecutablePath();
/// The folder of the user's own settings: $XDG_CONFIG_HOME/zentavo (~/.config/zentavo) on
/// Linux, %APPDATA%\Zentavo on Windows, ~/Library/Application Support/Zentavo on macOS. Empty
/// when the system names no home for them.
std::filesystem::path UserSettingsDir();
/// The system's locale name for messages when the environment names none ("de-DE"); empty
/// where the environment variables are the system's only word (Linux).
std::string SystemLocaleName();

/// An environment variable's value as UTF-8; nullopt when it is not set.
std::optional<std::string> GetEnv(std::string_view name);
/// Sets (or with nullopt removes) an environment variable of this process; false on failure.
bool SetEnv(std::string_view name, const std::optional<std::string>& value);

/// The program's arguments as UTF-8: on Windows read again from the wide command line (the
/// narrow argv is in the ANSI code page and loses characters), elsewhere argv itself.
std::vector<std::string> Utf8Arguments(int argc, char** argv);

/// Puts a standard stream into binary mode, so that "\r\n" and a 0x1A byte pass unchanged
/// (only Windows has a text mode).
void SetBinaryMode(std::FILE* stream);
/// True when the stream is a terminal (a console on Windows).
bool IsTerminal(std::FILE* stream);

/// Opens a file for reading: a descriptor, or -1 with errno set. Never blocks on a FIFO.
int OpenForReading(const std::filesystem::path& path);
/// Creates or truncates a file for writing: a descriptor, or -1 with errno set.
int OpenForWriting(const std::filesystem::path& path);
/// Reads up to `size` bytes: the count (0 at the end), -1 with errno set.
long long ReadSome(int fd, void* buffer, size_t size);
/// Writes all bytes, retrying short writes and interruptions; false with errno set.
bool WriteAll(int fd, const void* data, size_t size);
/// Flushes the file's data to the disk; false with errno set.
bool SyncFile(int fd);
/// Closes a descriptor; false with errno set (a write may report its failure only here).
bool CloseFile(int fd);
/// The size of the open file when it is a regular file; nullopt otherwise.
std::optional<uint64_t> RegularFileSize(int fd);

/// What tells one state of a file from another: which file (device and inode; on Windows volume
/// and file index), its size and the time of its last change, to the nanosecond where kept.
struct FileStamp
{
    unsigned long long device = 0;
    unsigned long long inode = 0;
    long long size = 0;
    long long seconds = 0;
    long long nanoseconds = 0;
    bool operator==(const FileStamp&) const = default;
};
/// The stamp of the file a path names (links followed); nullopt when it cannot be read.
std::optional<FileStamp> StampOf(const std::filesystem::path& path);
} // namespace os

#ifdef _WIN32
namespace os
{
/// The errno value that stands for a Windows error code (GetLastError).
int ErrnoFromSystemError(unsigned long code);
} // namespace os
#endif
