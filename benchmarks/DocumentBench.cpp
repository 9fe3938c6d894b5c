// Timings of the document's file work on a large document: 10,000 calculations with reports of
// about 2 KB each, saved, opened and exported. Prints one line per step (store and text are the
// in-memory parts of save and export); the aim is under one second each.
#include "CCalcBase.h"
#include "CCalcDoc.h"
#include "CCalcDocNode.h"
#include "CCalculation.h"
#include "FrameworkInit.h"
#include "GetCalcBase.h"
#include "Profile.h"
#include "RichText.h"
#include "UIServices.h"
#include "ZNTVStat.h"

#include <chrono>
#include <cstdio>
#include <ctime>
#include <filesystem>
#include <memory>
#include <string>

namespace
{
constexpr int kCalculations = 10000;

/// A report in the shape the calculations write: a bold heading, then result lines.
std::string ReportRtf(int number)
{
    CRichText text;
    text.Append("Calculation " + std::to_string(number) + "\n", kPhraseBold);
    while (text.ToPlainText(false).size() < 1900)
        text.Append("Proportion                          : 0.2500          [0.1000, 0.4000]\n", kPhrasePlain);
    return text.ToRtf();
}

/// Wall-clock and processor time of a step, in milliseconds. On a busy machine the wall time
/// includes waiting for a processor; the processor time is what the step itself costs.
struct CTiming
{
    double wall = 0;
    double cpu = 0;
};

template <class F> CTiming Time(F&& step)
{
    const auto start = std::chrono::steady_clock::now();
    const std::clock_t cpuStart = std::clock();
    step();
    CTiming t;
    t.cpu = 1000.0 * static_cast<double>(std::clock() - cpuStart) / CLOCKS_PER_SEC;
    t.wall = std::chrono::duration<double, std::milli>(std::chrono::steady_clock::now() - start).count();
    return t;
}

void Print(const char* step, const CTiming& t)
{
    std::printf("%-8s %8.1f ms wall %8.1f ms cpu\n", step, t.wall, t.cpu);
}

} // namespace

int main()
{
    InitVocabulary(std::filesystem::read_symlink("/proc/self/exe").parent_path());
    ZNTVCalcInit();
    ZNTVStatInit();
    CHeadlessUIServices ui;
    SetUIServices(&ui);

    const std::filesystem::path folder = std::filesystem::temp_directory_path() / "zentavo-bench";
    std::filesystem::create_directories(folder);
    const std::filesystem::path file = folder / "bench.zna";
    const std::filesystem::path text = folder / "bench.txt";

    bool ok = true;
    size_t reportBytes = 0;
    {
        CCalcDoc doc;
        doc.OnNewDocument();
        const auto& table = CalcClassTable();
        for (int i = 0; i < kCalculations; ++i) {
            const CCalcClassInfo& info = table[static_cast<size_t>(i) % table.size()];
            const std::string code = info.code;
            auto calc =
                std::make_unique<CCalculation>(CCalcType(code[0] - '0', code[1] - '0', code[2] - '0', code[3] - '0'));
            calc->SetupBase(code);
            calc->SetLabel("Calculation " + std::to_string(i));
            calc->SetText(ReportRtf(i));
            reportBytes += calc->GetText().size();
            doc.GetHead()->Add(std::move(calc));
        }
        std::printf("document: %d calculations, %.0f bytes of report each on average\n", kCalculations,
                    static_cast<double>(reportBytes) / kCalculations);
        Print("store", Time([&] { ok = !CCalcDoc::StoreTree(doc.GetHead()).empty() && ok; }));
        Print("save", Time([&] { ok = doc.OnSaveDocument(file) && ok; }));
    }
    std::printf("file:    %8.0f KB\n", static_cast<double>(std::filesystem::file_size(file)) / 1024);
    CCalcDoc opened;
    Print("open", Time([&] { ok = opened.OnOpenDocument(file) && ok; }));
    Print("text", Time([&] { ok = !CCalcDoc::Export(opened.GetHead()).empty() && ok; }));
    Print("export", Time([&] { ok = opened.ExportToFile(text) && ok; }));
    std::printf("text:    %8.0f KB\n", static_cast<double>(std::filesystem::file_size(text)) / 1024);
    std::filesystem::remove_all(folder);
    SetUIServices(nullptr);
    if (!ok)
        std::fprintf(stderr, "a step failed: %s\n", opened.GetLastError().c_str());
    return ok ? 0 : 1;
}
