// Finding the manual's pages and printing one as plain text.
#include "ManualPage.h"

#include "Commands.h"
#include "GetCalcBase.h"
#include "OsFiles.h"

#include <algorithm>
#include <cctype>
#include <cstdlib>
#include <fstream>
#include <sstream>
#include <vector>

namespace fs = std::filesystem;

namespace
{
bool IsDirectoryWithIndex(const fs::path& folder)
{
    std::error_code ec;
    return fs::is_regular_file(folder / "index.md", ec);
}

bool StartsWith(const std::string& text, const std::string& prefix)
{
    return text.rfind(prefix, 0) == 0;
}

std::string TrimBlanks(const std::string& text)
{
    const auto first = text.find_first_not_of(" \t");
    if (first == std::string::npos)
        return {};
    return text.substr(first, text.find_last_not_of(" \t") - first + 1);
}

/// Characters as seen on a terminal: UTF-8 continuation bytes take no column.
size_t Columns(const std::string& text)
{
    return static_cast<size_t>(
        std::count_if(text.begin(), text.end(), [](char c) { return (static_cast<unsigned char>(c) & 0xC0) != 0x80; }));
}

/// Inline Markdown outside code spans: links give their text, emphasis marks and backslash
/// escapes go. Code spans give their content untouched (a formula's "*" stays).
std::string InlineText(const std::string& line)
{
    std::string out;
    size_t i = 0;
    while (i < line.size()) {
        const char c = line[i];
        if (c == '`') {
            size_t ticks = 0;
            while (i + ticks < line.size() && line[i + ticks] == '`')
                ++ticks;
            const std::string fence(ticks, '`');
            const size_t close = line.find(fence, i + ticks);
            if (close == std::string::npos) {
                out += fence;
                i += ticks;
                continue;
            }
            std::string code = line.substr(i + ticks, close - i - ticks);
            if (code.size() >= 2 && code.front() == ' ' && code.back() == ' ')
                code = code.substr(1, code.size() - 2);
            out += code;
            i = close + ticks;
        } else if (c == '\\' && i + 1 < line.size() && std::ispunct(static_cast<unsigned char>(line[i + 1]))) {
            out += line[i + 1];
            i += 2;
        } else if (c == '[') {
            // [text](target): the text alone.
            const size_t closeText = line.find("](", i);
            const size_t closeTarget = closeText == std::string::npos ? closeText : line.find(')', closeText);
            if (closeTarget == std::string::npos) {
                out += c;
                ++i;
                continue;
            }
            out += InlineText(line.substr(i + 1, closeText - i - 1));
            i = closeTarget + 1;
        } else if (c == '*' || c == '_') {
            // An emphasis mark goes; a lone "*" between blanks (a list bullet, a product) and
            // "_" inside a word stay.
            const bool blankBefore = i == 0 || std::isspace(static_cast<unsigned char>(line[i - 1]));
            const bool blankAfter = i + 1 == line.size() || std::isspace(static_cast<unsigned char>(line[i + 1]));
            const bool inWord = c == '_' && !blankBefore && !blankAfter &&
                                std::isalnum(static_cast<unsigned char>(line[i - 1])) &&
                                std::isalnum(static_cast<unsigned char>(line[i + 1]));
            if ((blankBefore && blankAfter) || inWord)
                out += c;
            ++i;
        } else {
            out += c;
            ++i;
        }
    }
    return out;
}

bool IsTableLine(const std::string& line)
{
    return StartsWith(TrimBlanks(line), "|");
}

bool IsTableRule(const std::string& line)
{
    const std::string trimmed = TrimBlanks(line);
    return !trimmed.empty() && trimmed.find_first_not_of("|-: ") == std::string::npos;
}

std::vector<std::string> TableCells(const std::string& line)
{
    std::string trimmed = TrimBlanks(line);
    if (StartsWith(trimmed, "|"))
        trimmed.erase(0, 1);
    if (!trimmed.empty() && trimmed.back() == '|' && (trimmed.size() < 2 || trimmed[trimmed.size() - 2] != '\\'))
        trimmed.pop_back();
    std::vector<std::string> cells;
    std::string cell;
    bool inCode = false;
    for (size_t i = 0; i < trimmed.size(); ++i) {
        const char c = trimmed[i];
        if (c == '\\' && i + 1 < trimmed.size() && trimmed[i + 1] == '|') {
            cell += '|';
            ++i;
        } else if (c == '|' && !inCode) {
            cells.push_back(InlineText(TrimBlanks(cell)));
            cell.clear();
        } else {
            if (c == '`')
                inCode = !inCode;
            cell += c;
        }
    }
    cells.push_back(InlineText(TrimBlanks(cell)));
    return cells;
}

/// The rows of a table with each column as wide as its widest cell, two blanks between them,
/// and a dashed line under the heading row.
void WriteTable(const std::vector<std::string>& lines, std::ostringstream& out)
{
    std::vector<std::vector<std::string>> rows;
    for (const std::string& line : lines)
        if (!IsTableRule(line))
            rows.push_back(TableCells(line));
    std::vector<size_t> widths;
    for (const auto& row : rows) {
        widths.resize(std::max(widths.size(), row.size()), 0);
        for (size_t c = 0; c < row.size(); ++c)
            widths[c] = std::max(widths[c], Columns(row[c]));
    }
    for (size_t r = 0; r < rows.size(); ++r) {
        std::string text;
        for (size_t c = 0; c < rows[r].size(); ++c) {
            text += rows[r][c];
            if (c + 1 < rows[r].size())
                text += std::string(widths[c] - Columns(rows[r][c]) + 2, ' ');
        }
        out << "  " << TrimBlanks(text) << '\n';
        if (r == 0 && rows.size() > 1 && lines.size() > 1 && IsTableRule(lines[1])) {
            size_t total = 0;
            for (size_t c = 0; c < widths.size(); ++c)
                total += widths[c] + (c + 1 < widths.size() ? 2 : 0);
            out << "  " << std::string(total, '-') << '\n';
        }
    }
}
} // namespace

fs::path ManualFolder(const fs::path& executableDir)
{
    if (const std::optional<std::string> env = os::GetEnv("ZENTAVO_HELP_DIR"); env && !env->empty())
        return IsDirectoryWithIndex(os::PathFromUtf8(*env)) ? os::PathFromUtf8(*env) : fs::path();
    std::vector<fs::path> candidates;
    if (!executableDir.empty()) {
        candidates.push_back(executableDir / "help");
        candidates.push_back(executableDir / ".." / "share" / "zentavo" / "help");
    }
#ifdef ZENTAVO_HELP_INSTALL_DIR
    candidates.emplace_back(ZENTAVO_HELP_INSTALL_DIR);
#endif
    candidates.emplace_back("/usr/local/share/zentavo/help");
    candidates.emplace_back("/usr/share/zentavo/help");
    for (const fs::path& candidate : candidates)
        if (IsDirectoryWithIndex(candidate))
            return candidate.lexically_normal();
    return {};
}

std::optional<std::string> ManualPageName(const std::string& topic)
{
    const bool code = topic.size() == 4 && std::all_of(topic.begin(), topic.end(), [](char c) {
                          return std::isdigit(static_cast<unsigned char>(c));
                      });
    if (code)
        return "calc-" + topic + ".md";
    // General pages by their name ("reports", "index"); calculation pages only by their code.
    static const char* const kGeneral[] = {"index", "reports"};
    for (const char* name : kGeneral)
        if (topic == name)
            return topic + ".md";
    return std::nullopt;
}

std::string ManualAsText(const std::string& markdown)
{
    std::istringstream in(markdown);
    std::ostringstream out;
    std::string line;
    std::string fence; // the fence of the open code block, or ""
    std::vector<std::string> table;
    const auto flushTable = [&] {
        if (!table.empty())
            WriteTable(table, out);
        table.clear();
    };
    while (std::getline(in, line)) {
        if (!line.empty() && line.back() == '\r')
            line.pop_back();
        const std::string trimmed = TrimBlanks(line);
        if (!fence.empty()) {
            if (StartsWith(trimmed, fence) && trimmed.find_first_not_of(fence[0]) == std::string::npos)
                fence.clear();
            else
                out << (line.empty() ? "" : "    ") << line << '\n';
            continue;
        }
        if (IsTableLine(line)) {
            table.push_back(line);
            continue;
        }
        flushTable();
        if (StartsWith(trimmed, "```") || StartsWith(trimmed, "~~~")) {
            fence = trimmed.substr(0, trimmed.find_first_not_of(trimmed[0]));
            continue;
        }
        if (StartsWith(line, "#")) {
            const size_t level = line.find_first_not_of('#');
            if (level != std::string::npos && level <= 6 && line[level] == ' ') {
                const std::string heading = InlineText(TrimBlanks(line.substr(level)));
                out << heading << '\n';
                if (level <= 2)
                    out << std::string(Columns(heading), level == 1 ? '=' : '-') << '\n';
                continue;
            }
        }
        out << InlineText(line) << '\n';
    }
    flushTable();
    return out.str();
}

int ManualPageCommand(const std::string& topic, const fs::path& executableDir)
{
    const std::optional<std::string> name = ManualPageName(topic);
    if (!name)
        return CliFailure("no command '" + topic + "': zentavo-cli --help lists them");
    const fs::path folder = ManualFolder(executableDir);
    if (folder.empty())
        return CliFailure("the manual was not found (set ZENTAVO_HELP_DIR to the folder of its pages)");
    std::error_code ec;
    if (!fs::is_regular_file(folder / *name, ec)) {
        if (FindCalcClass(topic))
            return CliRefusal("the manual has no page for '" + topic + "' yet");
        return CliRefusal("the manual has no page for '" + topic + "' (zentavo-cli types lists the codes)");
    }
    std::ifstream file(folder / *name, std::ios::binary);
    std::ostringstream markdown;
    markdown << file.rdbuf();
    if (!file)
        return CliFailure("cannot read " + (folder / *name).string());
    return FinishStdout(ManualAsText(markdown.str()));
}
