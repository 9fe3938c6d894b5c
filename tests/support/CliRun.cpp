// Runs the built command-line tool for the tests that check it from outside, without a shell
// (Windows has none to speak of): the arguments come as shell-like words, split and unquoted
// here, with the few redirections the tests use.
#include "PortableTest.h"
#include "TestSupport.h"

#include <cerrno>
#include <cstdio>
#include <thread>
#include <vector>

#ifdef _WIN32
#include <windows.h>
#else
#include <fcntl.h>
#include <spawn.h>
#include <sys/wait.h>
#include <unistd.h>

extern char** environ;
#endif

namespace
{
/// Where a standard stream of the tool goes.
struct CTarget
{
    enum Kind
    {
        Inherit, // the test's own stream
        Capture, // into CCliRun::out
        File,    // a file, created or truncated (or read, for standard input)
    } kind = Inherit;
    std::string path;
};

struct CCommand
{
    std::vector<std::string> args;
    CTarget in;
    CTarget out{CTarget::Capture, {}};
    CTarget err;
};

/// Splits shell-like words: '...' literal, "..." with \" \\ \$ \` escapes, a backslash outside
/// quotes escapes the next character. Redirections: <FILE, >FILE, 2>FILE, 2>&1 (the target may
/// follow as the next word). Anything else a shell would do is refused.
bool ParseCommand(const std::string& text, CCommand& command, std::string& problem)
{
    std::vector<std::pair<std::string, bool>> words; // text, whether it began with a quote
    std::string word;
    bool inWord = false;
    bool quoted = false;
    for (size_t i = 0; i < text.size(); ++i) {
        const char c = text[i];
        if (!inWord && text.compare(i, 4, "2>&1") == 0 && (i + 4 == text.size() || text[i + 4] == ' ')) {
            words.emplace_back("2>&1", false);
            i += 3;
        } else if (c == ' ' || c == '\t' || c == '\n') {
            if (inWord)
                words.emplace_back(word, quoted);
            word.clear();
            inWord = quoted = false;
        } else if (c == '\'') {
            quoted = quoted || !inWord;
            const size_t end = text.find('\'', i + 1);
            if (end == std::string::npos)
                return problem = "unclosed quote", false;
            word += text.substr(i + 1, end - i - 1);
            i = end;
            inWord = true;
        } else if (c == '"') {
            quoted = quoted || !inWord;
            size_t j = i + 1;
            for (; j < text.size() && text[j] != '"'; ++j) {
                if (text[j] == '$' || text[j] == '`')
                    return problem = "no substitutions", false;
                if (text[j] == '\\' && j + 1 < text.size() &&
                    std::string("\"\\$`").find(text[j + 1]) != std::string::npos)
                    ++j;
                word += text[j];
            }
            if (j == text.size())
                return problem = "unclosed quote", false;
            i = j;
            inWord = true;
        } else if (c == '\\' && i + 1 < text.size()) {
            word += text[++i];
            inWord = true;
        } else if (std::string(";&|$`()*?").find(c) != std::string::npos) {
            return problem = std::string("no shell here for '") + c + "'", false;
        } else {
            word += c;
            inWord = true;
        }
    }
    if (inWord)
        words.emplace_back(word, quoted);

    for (size_t i = 0; i < words.size(); ++i) {
        const auto& [text_, wasQuoted] = words[i];
        std::string rest;
        CTarget* target = nullptr;
        if (!wasQuoted && text_ == "2>&1") {
            command.err = command.out;
            continue;
        }
        if (!wasQuoted && text_.rfind("2>", 0) == 0) {
            target = &command.err;
            rest = text_.substr(2);
        } else if (!wasQuoted && text_.rfind('>', 0) == 0) {
            target = &command.out;
            rest = text_.substr(1);
        } else if (!wasQuoted && text_.rfind('<', 0) == 0) {
            target = &command.in;
            rest = text_.substr(1);
        }
        if (!target) {
            command.args.push_back(text_);
            continue;
        }
        if (rest.empty()) {
            if (i + 1 == words.size())
                return problem = "a redirection without a file", false;
            rest = words[++i].first;
        }
        *target = {CTarget::File, rest};
    }
    return true;
}

#ifdef _WIN32
std::wstring Wide(const std::string& utf8)
{
    return std::filesystem::path(std::u8string(utf8.begin(), utf8.end())).wstring();
}

/// One argument quoted as CommandLineToArgvW reads it back.
void AppendQuoted(std::wstring& line, const std::wstring& argument)
{
    line += L'"';
    size_t backslashes = 0;
    for (const wchar_t c : argument) {
        if (c == L'\\') {
            ++backslashes;
            continue;
        }
        line.append(c == L'"' ? backslashes * 2 + 1 : backslashes, L'\\');
        backslashes = 0;
        line += c;
    }
    line.append(backslashes * 2, L'\\');
    line += L'"';
}

std::wstring WindowsPath(const std::string& path)
{
    std::wstring wide = Wide(path == "/dev/null" ? std::string("NUL") : path);
    for (wchar_t& c : wide)
        if (c == L'/')
            c = L'\\';
    return wide;
}

HANDLE OpenTarget(const CTarget& target, bool reading)
{
    SECURITY_ATTRIBUTES inherit{sizeof inherit, nullptr, TRUE};
    return ::CreateFileW(WindowsPath(target.path).c_str(), reading ? GENERIC_READ : GENERIC_WRITE,
                         FILE_SHARE_READ | FILE_SHARE_WRITE | FILE_SHARE_DELETE, &inherit,
                         reading ? OPEN_EXISTING : CREATE_ALWAYS, FILE_ATTRIBUTE_NORMAL, nullptr);
}

/// A started tool: its process and the read end of the captured output.
struct CStarted
{
    HANDLE process = nullptr;
    HANDLE output = nullptr;
    unsigned long failure = 0; // the system's error when the tool could not be started
};

CStarted Start(const CCommand& command)
{
    CStarted started;
    SECURITY_ATTRIBUTES inherit{sizeof inherit, nullptr, TRUE};
    HANDLE readEnd = nullptr;
    HANDLE writeEnd = nullptr;
    if (!::CreatePipe(&readEnd, &writeEnd, &inherit, 0)) {
        started.failure = ::GetLastError();
        return started;
    }
    ::SetHandleInformation(readEnd, HANDLE_FLAG_INHERIT, 0);
    std::vector<HANDLE> opened;
    const auto handleFor = [&](const CTarget& target, DWORD standard, bool reading) {
        if (target.kind == CTarget::Capture)
            return writeEnd;
        if (target.kind == CTarget::Inherit) {
            const HANDLE own = ::GetStdHandle(standard);
            HANDLE copy = nullptr;
            if (own && own != INVALID_HANDLE_VALUE &&
                ::DuplicateHandle(::GetCurrentProcess(), own, ::GetCurrentProcess(), &copy, 0, TRUE,
                                  DUPLICATE_SAME_ACCESS)) {
                opened.push_back(copy);
                return copy;
            }
            const HANDLE none = OpenTarget({CTarget::File, "/dev/null"}, reading);
            opened.push_back(none);
            return none;
        }
        const HANDLE file = OpenTarget(target, reading);
        opened.push_back(file);
        return file;
    };
    STARTUPINFOW startup{};
    startup.cb = sizeof startup;
    startup.dwFlags = STARTF_USESTDHANDLES;
    startup.hStdInput = handleFor(command.in, STD_INPUT_HANDLE, true);
    startup.hStdOutput = handleFor(command.out, STD_OUTPUT_HANDLE, false);
    startup.hStdError = handleFor(command.err, STD_ERROR_HANDLE, false);

    std::wstring line;
    const std::wstring program = WindowsPath(ZENTAVO_CLI);
    AppendQuoted(line, program);
    for (const std::string& argument : command.args) {
        line += L' ';
        AppendQuoted(line, Wide(argument));
    }
    PROCESS_INFORMATION process{};
    const bool ok =
        ::CreateProcessW(program.c_str(), line.data(), nullptr, nullptr, TRUE, 0, nullptr, nullptr, &startup, &process);
    // Our copies go at once, so that the next tool started does not inherit them and the
    // output ends when this tool ends.
    ::CloseHandle(writeEnd);
    for (const HANDLE handle : opened)
        if (handle != INVALID_HANDLE_VALUE)
            ::CloseHandle(handle);
    if (!ok) {
        started.failure = ::GetLastError();
        ::CloseHandle(readEnd);
        return started;
    }
    ::CloseHandle(process.hThread);
    started.process = process.hProcess;
    started.output = readEnd;
    return started;
}

std::string ReadAll(CStarted& started)
{
    std::string out;
    char buffer[4096];
    DWORD got = 0;
    while (::ReadFile(started.output, buffer, sizeof buffer, &got, nullptr) && got > 0)
        out.append(buffer, got);
    ::CloseHandle(started.output);
    return out;
}

bool Started(const CStarted& started)
{
    return started.process != nullptr;
}

int Finish(CStarted& started)
{
    ::WaitForSingleObject(started.process, INFINITE);
    DWORD code = 0;
    const bool known = ::GetExitCodeProcess(started.process, &code);
    ::CloseHandle(started.process);
    return known ? static_cast<int>(code) : -1;
}
#else
struct CStarted
{
    pid_t process = -1;
    int output = -1;
    unsigned long failure = 0; // the system's error when the tool could not be started
};

CStarted Start(const CCommand& command)
{
    CStarted started;
    int ends[2];
    if (::pipe2(ends, O_CLOEXEC) != 0)
        return started;
    posix_spawn_file_actions_t actions;
    posix_spawn_file_actions_init(&actions);
    const auto route = [&](const CTarget& target, int fd, bool reading) {
        if (target.kind == CTarget::Capture)
            posix_spawn_file_actions_adddup2(&actions, ends[1], fd);
        else if (target.kind == CTarget::File)
            posix_spawn_file_actions_addopen(&actions, fd, target.path.c_str(),
                                             reading ? O_RDONLY : O_WRONLY | O_CREAT | O_TRUNC, 0666);
    };
    route(command.in, 0, true);
    route(command.out, 1, false);
    route(command.err, 2, false);
    std::vector<std::string> words = {ZENTAVO_CLI};
    words.insert(words.end(), command.args.begin(), command.args.end());
    std::vector<char*> argv;
    for (std::string& word : words)
        argv.push_back(word.data());
    argv.push_back(nullptr);
    const int failed = posix_spawn(&started.process, ZENTAVO_CLI, &actions, nullptr, argv.data(), environ);
    posix_spawn_file_actions_destroy(&actions);
    ::close(ends[1]);
    if (failed != 0) {
        ::close(ends[0]);
        started.process = -1;
        started.failure = static_cast<unsigned long>(failed);
        return started;
    }
    started.output = ends[0];
    return started;
}

std::string ReadAll(CStarted& started)
{
    std::string out;
    char buffer[4096];
    for (;;) {
        const ssize_t got = ::read(started.output, buffer, sizeof buffer);
        if (got < 0 && errno == EINTR)
            continue;
        if (got <= 0)
            break;
        out.append(buffer, static_cast<size_t>(got));
    }
    ::close(started.output);
    return out;
}

bool Started(const CStarted& started)
{
    return started.process >= 0;
}

int Finish(CStarted& started)
{
    int status = 0;
    while (::waitpid(started.process, &status, 0) < 0)
        if (errno != EINTR)
            return -1;
    return WIFEXITED(status) ? WEXITSTATUS(status) : -1;
}
#endif
} // namespace

std::vector<CCliRun> RunCliTogether(const std::vector<std::string>& argumentLines)
{
    std::vector<CCliRun> runs(argumentLines.size());
    std::vector<CStarted> started(argumentLines.size());
    for (size_t i = 0; i < argumentLines.size(); ++i) {
        CCommand command;
        std::string problem;
        if (!ParseCommand(argumentLines[i], command, problem)) {
            ADD_FAILURE() << "RunCli cannot run \"" << argumentLines[i] << "\": " << problem;
            continue;
        }
        started[i] = Start(command);
        if (!Started(started[i]))
            ADD_FAILURE() << "cannot start " << ZENTAVO_CLI << " (system error " << started[i].failure << ")";
    }
    // Each output is read on a thread of its own: a tool that waits for another (the document
    // lock) must never wait on a pipe nobody reads.
    std::vector<std::thread> readers;
    for (size_t i = 0; i < started.size(); ++i) {
        if (!Started(started[i]))
            continue;
        readers.emplace_back([&runs, &started, i] {
            runs[i].out = ReadAll(started[i]);
            runs[i].status = Finish(started[i]);
        });
    }
    for (std::thread& reader : readers)
        reader.join();
    return runs;
}

CCliRun RunCli(const std::string& arguments)
{
    return RunCliTogether({arguments}).front();
}
