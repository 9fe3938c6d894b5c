// The manual: a page for every calculation type, links that lead to pages, worked examples that
// print what the command-line tool prints, and `help CODE` giving a page as readable text.
#include "CliDataSupport.h"
#include "GetCalcBase.h"

#include <algorithm>
#include <cstdlib>
#include <filesystem>
#include <gtest/gtest.h>
#include <regex>
#include <sstream>
#include <string>
#include <vector>

namespace
{
namespace fs = std::filesystem;

fs::path ManualSource()
{
    return fs::path(ZENTAVO_SOURCE_DIR) / "docs";
}

std::string PageOf(const std::string& code)
{
    return "calc-" + code + ".md";
}

std::vector<std::string> Lines(const std::string& text)
{
    std::vector<std::string> lines;
    std::istringstream in(text);
    for (std::string line; std::getline(in, line);)
        lines.push_back(line);
    return lines;
}

/// The worked example of a page: the command after "$ zentavo-cli ", the report block and the
/// prose that follows it up to the next section.
struct CWorkedExample
{
    std::string arguments;
    std::string report;
    std::string prose;
};

/// Empty arguments when the page has no worked example in the expected shape. Code fences may
/// be ``` or longer, with or without a blank after them; a command may go on after a backslash.
CWorkedExample ParseWorkedExample(const std::string& markdown)
{
    CWorkedExample example;
    const std::vector<std::string> lines = Lines(markdown);
    size_t i = 0;
    while (i < lines.size() && lines[i].rfind("## Worked example", 0) != 0)
        ++i;
    enum class Block
    {
        None,
        Console,
        Text
    } block = Block::None;
    bool reportRead = false;
    for (++i; i < lines.size() && lines[i].rfind("## ", 0) != 0; ++i) {
        const std::string& line = lines[i];
        if (line.rfind("```", 0) == 0) {
            if (block != Block::None) {
                reportRead = reportRead || block == Block::Text;
                block = Block::None;
            } else if (line.find("console") != std::string::npos) {
                block = Block::Console;
            } else if (line.find("text") != std::string::npos && !reportRead) {
                block = Block::Text;
            }
            continue;
        }
        if (block == Block::Console && example.arguments.empty() && line.rfind("$ zentavo-cli ", 0) == 0) {
            std::string command = line.substr(14);
            while (!command.empty() && command.back() == '\\' && i + 1 < lines.size())
                command = command.substr(0, command.size() - 1) + " " + lines[++i];
            example.arguments = command;
        } else if (block == Block::Text) {
            example.report += line + "\n";
        } else if (block == Block::None && reportRead) {
            example.prose += line + "\n";
        }
    }
    return example;
}

/// The numbers quoted in prose ("23.50%", "-4.41", "1,234"), with the thousands commas taken out.
std::vector<std::string> QuotedNumbers(const std::string& prose)
{
    static const std::regex number(R"((^|[^0-9A-Za-z.])(-?[0-9]+(,[0-9]{3})*(\.[0-9]+)?))");
    std::vector<std::string> numbers;
    for (auto it = std::sregex_iterator(prose.begin(), prose.end(), number); it != std::sregex_iterator(); ++it)
        numbers.push_back((*it)[2].str());
    return numbers;
}

/// True when `number` stands in the report as a number of its own (not as a part of 117.935).
bool ReportQuotes(const std::string& report, const std::string& number)
{
    const auto isNumberChar = [](char c) { return std::isdigit(static_cast<unsigned char>(c)) || c == '.'; };
    for (const std::string& form : {number, std::regex_replace(number, std::regex(","), "")}) {
        for (size_t at = report.find(form); at != std::string::npos; at = report.find(form, at + 1)) {
            const size_t end = at + form.size();
            const bool digitBefore = at > 0 && std::isdigit(static_cast<unsigned char>(report[at - 1]));
            const bool digitAfter =
                end < report.size() && isNumberChar(report[end]) &&
                !(report[end] == '.' &&
                  (end + 1 == report.size() || !std::isdigit(static_cast<unsigned char>(report[end + 1]))));
            if (!digitBefore && !digitAfter)
                return true;
        }
    }
    return false;
}

std::vector<std::string> PagesOnDisk()
{
    std::vector<std::string> pages;
    for (const auto& entry : fs::directory_iterator(ManualSource()))
        if (entry.path().extension() == ".md")
            pages.push_back(entry.path().filename().string());
    std::sort(pages.begin(), pages.end());
    return pages;
}

std::string CalcCodeOfPage(const std::string& page)
{
    return page.rfind("calc-", 0) == 0 ? page.substr(5, page.size() - 8) : std::string();
}
} // namespace

TEST(Manual, EveryCalculationTypeHasAPage)
{
    std::string missing;
    for (const CCalcClassInfo& info : AllCalcClasses())
        if (!fs::exists(ManualSource() / PageOf(info.code)))
            missing += std::string(" ") + info.code;
    EXPECT_TRUE(missing.empty()) << "calculation types without a page in docs/:" << missing;
    // ... and no page for a type that does not exist.
    for (const std::string& page : PagesOnDisk()) {
        const std::string code = CalcCodeOfPage(page);
        if (!code.empty()) {
            EXPECT_NE(FindCalcClass(code), nullptr) << page << " describes no calculation type";
        }
    }
}

TEST(Manual, LinksLeadToPages)
{
    static const std::regex link(R"(\]\(([A-Za-z0-9_.-]+\.md)(#[^)]*)?\))");
    for (const std::string& page : PagesOnDisk()) {
        const std::string markdown = ReadWholeFile((ManualSource() / page).string());
        for (auto it = std::sregex_iterator(markdown.begin(), markdown.end(), link); it != std::sregex_iterator();
             ++it) {
            const std::string target = (*it)[1].str();
            if (fs::exists(ManualSource() / target))
                continue;
            ADD_FAILURE() << page << " links to " << target << ", which is no page";
        }
    }
}

TEST(Manual, WorkedExamplesPrintWhatThePagesShow)
{
    for (const std::string& page : PagesOnDisk()) {
        if (CalcCodeOfPage(page).empty())
            continue;
        SCOPED_TRACE(page);
        const CWorkedExample example = ParseWorkedExample(ReadWholeFile((ManualSource() / page).string()));
        ASSERT_FALSE(example.arguments.empty()) << "no \"$ zentavo-cli\" line under ## Worked example";
        ASSERT_FALSE(example.report.empty()) << "no report block under ## Worked example";
        const CCliRun run = RunCli(example.arguments + Vocab());
        EXPECT_EQ(run.status, 0) << example.arguments;
        EXPECT_EQ(run.out, example.report) << example.arguments;
        for (const std::string& number : QuotedNumbers(example.prose))
            EXPECT_TRUE(ReportQuotes(run.out, number)) << "the prose quotes " << number << ", the report does not";
    }
}

TEST(CliManual, HelpCodePrintsThePageAsReadableText)
{
    const CCliRun page = RunCli("help 1110");
    ASSERT_EQ(page.status, 0);
    const std::vector<std::string> lines = Lines(page.out);
    ASSERT_GE(lines.size(), 2u);
    EXPECT_EQ(lines[0], "Describe - Proportion - Percentage");
    EXPECT_EQ(lines[1], std::string(lines[0].size(), '='));
    // No Markdown left that reads badly: fences, link targets, emphasis and code marks.
    for (const char* markup : {"```", "](", "**Sample size**", "`"})
        EXPECT_EQ(page.out.find(markup), std::string::npos) << markup;
    EXPECT_NE(page.out.find("\nWorked example\n--------------\n"), std::string::npos);
    // The worked example as the tool prints it, indented, trailing blanks and all.
    EXPECT_NE(page.out.find("    $ zentavo-cli run 1110 percentage=23.5 n=200\n"), std::string::npos);
    EXPECT_NE(page.out.find("    Sample size                         :     200         \n"), std::string::npos);
    // A formula keeps its "*"; "****" (a result that is not finite) stays as the report shows it.
    EXPECT_NE(page.out.find("z * sqrt("), std::string::npos);
    EXPECT_NE(page.out.find("never prints ****."), std::string::npos);
    // The input table's columns line up.
    std::vector<size_t> nameColumns;
    for (const auto& [row, name] : {std::pair{"  Proportion (%)", " percentage "}, std::pair{"  Sample size ", " n "},
                                    std::pair{"  Confidence level", " level "}})
        for (const std::string& line : lines)
            if (line.rfind(row, 0) == 0)
                nameColumns.push_back(line.find(name, std::string(row).size()));
    ASSERT_EQ(nameColumns.size(), 3u) << page.out;
    EXPECT_NE(nameColumns[0], std::string::npos);
    EXPECT_EQ(nameColumns[1], nameColumns[0]);
    EXPECT_EQ(nameColumns[2], nameColumns[0]);

    // The same through --help's route, and for the general pages.
    EXPECT_EQ(RunCli("help reports").status, 0);
    EXPECT_EQ(RunCli("help index").out.rfind("Zentavo manual\n", 0), 0u);
}

TEST(CliManual, CodesWithoutAPageAndAMissingManualAreSaidSo)
{
    const CCliRun unknown = RunCli("help 9876 2>&1");
    EXPECT_EQ(unknown.status, 2);
    EXPECT_NE(unknown.out.find("no page for '9876' (zentavo-cli types"), std::string::npos) << unknown.out;
    // A type whose page is still to be written.
    for (const CCalcClassInfo& info : AllCalcClasses()) {
        if (fs::exists(ManualSource() / PageOf(info.code)))
            continue;
        const CCliRun pending = RunCli(std::string("help ") + info.code + " 2>&1");
        EXPECT_EQ(pending.status, 2);
        EXPECT_NE(pending.out.find("no page for '" + std::string(info.code) + "' yet"), std::string::npos)
            << pending.out;
        break;
    }
    const CCliRun word = RunCli("help frobnicate 2>&1");
    EXPECT_EQ(word.status, 1);
    EXPECT_NE(word.out.find("no command 'frobnicate'"), std::string::npos) << word.out;
    SetTestEnv("ZENTAVO_HELP_DIR", "/nonexistent");
    const CCliRun missing = RunCli("help 1110 2>&1");
    SetTestEnv("ZENTAVO_HELP_DIR", std::nullopt);
    EXPECT_EQ(missing.status, 1);
    EXPECT_NE(missing.out.find("manual was not found"), std::string::npos) << missing.out;
}
