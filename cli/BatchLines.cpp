// The lines of `run --batch`.
#include "BatchLines.h"

#include <CLI/CLI.hpp>
#include <algorithm>

bool SplitBatchLine(const std::string& line, std::vector<std::string>& words, std::string& error)
{
    words.clear();
    const size_t first = line.find_first_not_of(" \t\r");
    if (first == std::string::npos || line[first] == '#')
        return true;
    std::string word;
    bool inWord = false, quoted = false;
    for (size_t i = first; i < line.size(); ++i) {
        const char c = line[i];
        if (quoted) {
            if (c == '"')
                quoted = false;
            else if (c == '\\' && i + 1 < line.size())
                word += line[++i];
            else
                word += c;
        } else if (c == '"') {
            quoted = inWord = true;
        } else if (c == ' ' || c == '\t' || c == '\r') {
            if (inWord)
                words.push_back(std::move(word));
            word.clear();
            inWord = false;
        } else {
            word += c;
            inWord = true;
        }
    }
    if (quoted) {
        error = "a quote is not closed";
        return false;
    }
    if (inWord)
        words.push_back(std::move(word));
    return true;
}

bool ReadRunLine(const std::vector<std::string>& words, CRunLine& line, std::string& error)
{
    // One parser for every line: CLI11 clears what the last line set before it reads the next.
    static CLI::App parser("one calculation of a batch", "run");
    static CRunLine read;
    static const bool defined = [] {
        parser.set_help_flag();
        parser.add_option("--title", read.title);
        parser.add_option("--seed", read.seed);
        parser.add_option("words", read.words);
        return true;
    }();
    (void)defined;
    read = CRunLine();
    std::vector<std::string> reversed(words.rbegin(), words.rend()); // CLI11 reads from the back
    try {
        parser.parse(reversed);
    } catch (const CLI::ParseError& failure) {
        error = failure.what();
        return false;
    }
    line = read;
    return true;
}
