// Writes the seed corpora of the fuzz harnesses into fuzz/corpus/<harness>/ from what the tests
// use: every calculation class with the document tests' non-default inputs (redone through its
// dialog, so each carries a real report), the scripts of the calculation tests, the shipped
// vocabulary section by section, the number fields the number tests read and, given the document
// of the command-line tool's worked examples, a seed of every calculation type from it.
// Usage: MakeCorpus SOURCE_DIR OUT_DIR [EXAMPLES.zna]
#include "CArchive.h"
#include "CCalcBase.h"
#include "CCalcDoc.h"
#include "CCalcDocNode.h"
#include "CCalculation.h"
#include "DocumentInputs.h"
#include "FuzzSupport.h"
#include "GetCalcBase.h"
#include "MemoryViews.h"

#include <algorithm>
#include <cstdio>
#include <filesystem>
#include <fstream>
#include <memory>
#include <regex>
#include <sstream>

namespace fs = std::filesystem;

namespace
{
void WriteFile(const fs::path& path, const std::string& bytes)
{
    fs::create_directories(path.parent_path());
    std::ofstream(path, std::ios::binary).write(bytes.data(), static_cast<std::streamsize>(bytes.size()));
}

std::string AsString(const std::vector<unsigned char>& bytes)
{
    return std::string(bytes.begin(), bytes.end());
}

std::string ReadFile(const fs::path& path)
{
    std::ifstream in(path, std::ios::binary);
    std::ostringstream out;
    out << in.rdbuf();
    return out.str();
}

/// A calculation of `code` with the document tests' inputs, run through its dialog and shown,
/// filed into `doc`; null when its dialog refused.
CCalculation* AddCalculation(CCalcDoc& doc, CMemoryViews& views, const std::string& code, const std::string& type)
{
    auto calc = std::make_unique<CCalculation>(CCalcType(type[0] - '0', type[1] - '0', type[2] - '0', type[3] - '0'));
    if (!calc->SetupBase(code))
        return nullptr;
    CCalcBase* data = calc->GetData();
    SetNonDefaultInputs(data);
    data->SetTitle("Title " + type);
    PinSeed(*data);
    if (!calc->Do())
        return nullptr;
    calc->SetLabel(data->GetTitle());
    CCalculation* added = doc.Add(std::move(calc));
    if (!added)
        return nullptr;
    data->Output();
    views.UpdateCalculation();
    return added;
}

void WriteCalculationSeeds(const fs::path& out)
{
    CFuzzScope scope;
    CCalcDoc every;
    CMemoryViews views(every);
    every.OnNewDocument();
    views.OnUpdate();
    std::vector<std::pair<std::string, std::string>> codes;
    for (const CCalcClassInfo& info : AllCalcClasses())
        codes.emplace_back(info.code, info.code);
    codes.emplace_back("X", "2120"); // a note filed beside a calculation
    for (const auto& [code, type] : codes) {
        CCalculation* calc = AddCalculation(every, views, code, type);
        if (!calc) {
            std::fprintf(stderr, "MakeCorpus: %s refused its inputs\n", code.c_str());
            continue;
        }
        views.SelectNode(nullptr); // stores the shown report into the calculation
        std::vector<unsigned char> payload;
        CArchive ar(payload);
        calc->Clipboard(ar);
        const std::string name = code == "X" ? "note" : code;
        WriteFile(out / "ClipboardFuzzer" / (name + ".bin"), AsString(payload));
        WriteFile(out / "RedoFuzzer" / (name + ".bin"), AsString(payload));
        WriteFile(out / "RtfFuzzer" / (name + ".rtf"), calc->GetText());

        // A document of this calculation alone, filed as Paste files it.
        auto pasted = std::make_unique<CCalculation>();
        CArchive in(payload.data(), payload.size());
        pasted->Clipboard(in);
        auto head = std::make_unique<CCalcDocNode>(CCalcType());
        head->SetLabel(name);
        head->Add(std::move(pasted));
        WriteFile(out / "DocumentFuzzer" / (name + ".zna"), AsString(CCalcDoc::StoreTree(head.get())));
    }
    views.SelectNode(nullptr);
    WriteFile(out / "DocumentFuzzer" / "every-class.zna", AsString(CCalcDoc::StoreTree(every.GetHead())));
    CCalcDoc empty;
    empty.OnNewDocument();
    WriteFile(out / "DocumentFuzzer" / "empty.zna", AsString(CCalcDoc::StoreTree(empty.GetHead())));
}

/// Every calculation of the worked-examples document (the command-line tool's batch of an example
/// of every type, made with `run --batch ... --doc`): each as a clipboard payload and a
/// recalculation seed, its report as rich text, and the document whole.
void WriteExampleSeeds(const fs::path& examples, const fs::path& out)
{
    CFuzzScope scope;
    const std::string bytes = ReadFile(examples);
    std::string error;
    std::unique_ptr<CCalcDocNode> head(
        CCalcDoc::LoadTree(std::vector<unsigned char>(bytes.begin(), bytes.end()), error));
    if (!head) {
        std::fprintf(stderr, "MakeCorpus: %s: %s\n", examples.c_str(), error.c_str());
        return;
    }
    WriteFile(out / "DocumentFuzzer" / "examples.zna", bytes);
    int written = 0;
    // Depth first through the folders; each folder's calculations hang off its first one.
    std::vector<const CCalcDocNode*> folders{head.get()};
    while (!folders.empty()) {
        const CCalcDocNode* folder = folders.back();
        folders.pop_back();
        for (const CCalcDocNode* node = folder; node; node = node->GetNext()) {
            if (node->GetSub())
                folders.push_back(node->GetSub());
            for (CCalculation* calc = node->GetCalc(); calc; calc = calc->GetNext()) {
                std::vector<unsigned char> payload;
                CArchive ar(payload);
                calc->Clipboard(ar);
                const std::string name = "example-" + std::to_string(++written);
                WriteFile(out / "ClipboardFuzzer" / (name + ".bin"), AsString(payload));
                WriteFile(out / "RedoFuzzer" / (name + ".bin"), AsString(payload));
                WriteFile(out / "RtfFuzzer" / (name + ".rtf"), calc->GetText());
            }
        }
    }
}

/// The action scripts of the calculation tests: Report("CODE", {"ID=TEXT", ...}).
void WriteActionSeeds(const fs::path& source, const fs::path& out)
{
    std::vector<std::string> codes;
    for (const CCalcClassInfo& info : AllCalcClasses())
        codes.emplace_back(info.code);
    const std::regex call(R"re((?:Report|Run)\("(\d{4})", \{([^}]*)\}\))re");
    const std::regex quoted(R"re("([^"]*)")re");
    int written = 0;
    std::vector<fs::path> testFiles;
    for (const char* folder : {"statcalcs", "methods"})
        for (const fs::directory_entry& entry : fs::directory_iterator(source / "tests" / folder))
            testFiles.push_back(entry.path());
    std::sort(testFiles.begin(), testFiles.end()); // the same seed names on every file system
    for (const fs::path& file : testFiles) {
        const std::string text = ReadFile(file);
        for (std::sregex_iterator it(text.begin(), text.end(), call), end; it != end; ++it) {
            const auto found = std::find(codes.begin(), codes.end(), (*it)[1].str());
            if (found == codes.end())
                continue;
            std::string seed(1, static_cast<char>(found - codes.begin()));
            const std::string list = (*it)[2].str();
            for (std::sregex_iterator q(list.begin(), list.end(), quoted); q != end; ++q)
                seed += (*q)[1].str() + "\n";
            WriteFile(out / "ActionFuzzer" / ("test-" + std::to_string(++written)), seed);
        }
    }
    for (size_t i = 0; i <= codes.size(); ++i)
        WriteFile(out / "ActionFuzzer" / ("defaults-" + std::to_string(i)),
                  std::string(1, static_cast<char>(i)) + "1022=T\n");
}

/// The shipped vocabulary whole and one file per section.
void WriteVocabularySeeds(const fs::path& source, const fs::path& out)
{
    const std::string ini = ReadFile(source / "resources" / "Zentavo.ini");
    WriteFile(out / "VocabularyFuzzer" / "Zentavo.ini", ini);
    std::istringstream lines(ini);
    std::string line, section, name;
    auto flush = [&] {
        if (!name.empty())
            WriteFile(out / "VocabularyFuzzer" / (name + ".ini"), section);
    };
    while (std::getline(lines, line)) {
        if (!line.empty() && line[0] == '[') {
            flush();
            name = line.substr(1, line.find(']') - 1);
            section.clear();
        }
        section += line + "\n";
    }
    flush();
}

void WriteNumberSeeds(const fs::path& out)
{
    const char* const fields[] = {"0",     "42",    " 2.5 ", "-17",        "+8",         "1e5",        "1e999",
                                  "nan",   "inf",   "0x1p3", "4294967295", "4294967296", "2147483648", "-2147483649",
                                  "12abc", "\t3\t", "1.",    ".5",         "1.2.3",      "",           "-0",
                                  "1e-400"};
    int i = 0;
    for (const char* field : fields)
        WriteFile(out / "NumberFuzzer" / ("field-" + std::to_string(++i)), field);
}
} // namespace

int main(int argc, char** argv)
{
    if (argc != 3 && argc != 4) {
        std::fprintf(stderr, "usage: MakeCorpus SOURCE_DIR OUT_DIR [EXAMPLES.zna]\n");
        return 1;
    }
    InitFuzzEnvironment();
    const fs::path source = argv[1];
    const fs::path out = argv[2];
    WriteCalculationSeeds(out);
    WriteActionSeeds(source, out);
    WriteVocabularySeeds(source, out);
    WriteNumberSeeds(out);
    if (argc == 4)
        WriteExampleSeeds(argv[3], out);
    return 0;
}
