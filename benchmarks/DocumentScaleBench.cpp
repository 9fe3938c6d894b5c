// Figures of a document of 100,000 calculations: making it, opening it (time and peak memory
// against the file's size), appending one calculation, and the cost of adding n calculations.
// Each figure comes from its own mode, so that a process's peak memory is that step's alone:
//   DocumentScaleBench make FILE [N]   N calculations (2x2 tables and random lists) into FILE
//   DocumentScaleBench open FILE [map] open as the program (read) or zentavo-cli (map) does;
//                                      time and peak resident memory
//   DocumentScaleBench append FILE     open (mapped, as zentavo-cli run --doc), add one 2x2
//                                      table, save (each step timed, and the write alone)
//   DocumentScaleBench scale           time of adding n calculations for growing n
// tools/bench-document.sh runs them all. Needs the vocabulary (ZENTAVO_INI or beside the program).
#include "CArchive.h"
#include "CCalcDoc.h"
#include "CCalcDocNode.h"
#include "CCalculation.h"
#include "CalcRunner.h"
#include "FileIO.h"
#include "FrameworkInit.h"
#include "MemoryViews.h"
#include "Profile.h"
#include "UIServices.h"
#include "ZNTVStat.h"

#include <chrono>
#include <clocale>
#include <cstdio>
#include <cstdlib>
#include <filesystem>
#include <memory>
#include <string>
#include <sys/resource.h>
#include <vector>

namespace
{
using CClock = std::chrono::steady_clock;
using CBytes = std::vector<unsigned char>;

double MillisecondsSince(CClock::time_point start)
{
    return std::chrono::duration<double, std::milli>(CClock::now() - start).count();
}

double PeakResidentMiB()
{
    struct rusage usage
    {};
    ::getrusage(RUSAGE_SELF, &usage);
    return static_cast<double>(usage.ru_maxrss) / 1024.0; // kilobytes on Linux
}

double FileMiB(const std::filesystem::path& file)
{
    return static_cast<double>(std::filesystem::file_size(file)) / (1024.0 * 1024.0);
}

CScriptAction Action(const std::string& text)
{
    CScriptAction action;
    ParseScriptAction(text, action);
    return action;
}

/// The clipboard bytes of the calculations that real runs file into a small document: 2x2
/// tables with varied counts and random lists of a few dozen numbers.
std::vector<CBytes> TemplateCalculations(const std::filesystem::path& folder)
{
    const std::filesystem::path file = folder / "templates.zna";
    std::filesystem::remove(file);
    // One table to five lists: reports of about 800 bytes on average, as in users' documents.
    for (int i = 0; i < 12; ++i) {
        CCalcRunRequest request;
        request.documentPath = file.string();
        if (i % 6 == 0) {
            request.code = "3200";
            for (const int id : {1090, 1091, 1092, 1093})
                request.actions.push_back(Action(std::to_string(id) + "=" + std::to_string(7 + 13 * i + id % 7)));
        } else {
            request.code = "4310";
            request.seed = 1000u + static_cast<unsigned>(i);
            for (const char* text : {"1076=20", "1075=1", "1074=1000"})
                request.actions.push_back(Action(text));
        }
        if (RunNewCalculation(request).outcome != CCalcRunResult::Written) {
            std::fprintf(stderr, "a template calculation was not written\n");
            std::exit(1);
        }
    }
    CCalcDoc doc;
    if (!doc.OnOpenDocument(file)) {
        std::fprintf(stderr, "%s\n", doc.GetLastError().c_str());
        std::exit(1);
    }
    std::vector<CBytes> templates;
    doc.GetHead()->Walk([&templates](CCalcNodeBase& node, int) {
        if (!node.IsCalculation())
            return;
        CBytes bytes;
        CArchive ar(bytes);
        static_cast<CCalculation&>(node).Clipboard(ar);
        templates.push_back(std::move(bytes));
    });
    std::filesystem::remove(file);
    return templates;
}

/// A new calculation read from clipboard bytes, as Paste makes it.
std::unique_ptr<CCalculation> Clone(const CBytes& bytes, int number)
{
    auto calc = std::make_unique<CCalculation>();
    CArchive ar(bytes.data(), bytes.size());
    calc->Clipboard(ar);
    calc->SetLabel(calc->GetLabel() + " #" + std::to_string(number));
    return calc;
}

/// Files n calculations through the document's add path; the time in milliseconds.
double AddMany(CCalcDoc& doc, const std::vector<CBytes>& templates, int n)
{
    std::vector<std::unique_ptr<CCalculation>> made;
    made.reserve(static_cast<size_t>(n));
    for (int i = 0; i < n; ++i)
        made.push_back(Clone(templates[static_cast<size_t>(i) % templates.size()], i));
    const CClock::time_point start = CClock::now();
    for (std::unique_ptr<CCalculation>& calc : made)
        doc.Add(std::move(calc));
    return MillisecondsSince(start);
}

int Make(const std::filesystem::path& file, int n)
{
    const std::vector<CBytes> templates = TemplateCalculations(file.parent_path());
    CCalcDoc doc;
    doc.OnNewDocument();
    const double add = AddMany(doc, templates, n);
    const CClock::time_point start = CClock::now();
    if (!doc.OnSaveDocument(file)) {
        std::fprintf(stderr, "%s\n", doc.GetLastError().c_str());
        return 1;
    }
    std::printf("make:    %d calculations added in %.1f ms, saved in %.1f ms, file %.1f MiB\n", n, add,
                MillisecondsSince(start), FileMiB(file));
    return 0;
}

int Open(const std::filesystem::path& file, bool map)
{
    CCalcDoc::MapFilesWhenOpening(map);
    const CClock::time_point start = CClock::now();
    CCalcDoc doc;
    CMemoryViews views(doc);
    if (!doc.OnOpenDocument(file)) {
        std::fprintf(stderr, "%s\n", doc.GetLastError().c_str());
        return 1;
    }
    views.OnUpdate();
    const double open = MillisecondsSince(start);
    const double peak = PeakResidentMiB();
    std::printf("open:    %.1f ms (%s), peak resident %.1f MiB for a file of %.1f MiB (%.2f x)\n", open,
                map ? "mapped" : "read", peak, FileMiB(file), peak / FileMiB(file));
    return 0;
}

int Append(const std::filesystem::path& file)
{
    const std::vector<CBytes> templates = TemplateCalculations(file.parent_path());
    CCalcDoc::MapFilesWhenOpening(true);
    CClock::time_point start = CClock::now();
    CCalcDoc doc;
    CMemoryViews views(doc);
    if (!doc.OnOpenDocument(file)) {
        std::fprintf(stderr, "%s\n", doc.GetLastError().c_str());
        return 1;
    }
    views.OnUpdate();
    const double open = MillisecondsSince(start);
    start = CClock::now();
    doc.Add(Clone(templates[0], -1));
    views.UpdateCalculation();
    const double add = MillisecondsSince(start);
    // The save stores the tree straight into the file. Storing into nothing tells how much of it
    // is the storing; the rest is the write (and the flush to disk).
    start = CClock::now();
    size_t stored = 0;
    CCalcDoc::StoreTree(doc.GetHead(), [&stored](const unsigned char*, size_t size) { stored += size; });
    const double store = MillisecondsSince(start);
    start = CClock::now();
    if (!doc.OnSaveDocument(file)) {
        std::fprintf(stderr, "%s\n", doc.GetLastError().c_str());
        return 1;
    }
    const double save = MillisecondsSince(start);
    std::printf("append:  open %.1f ms, add %.1f ms, store %.1f ms (%.1f MiB): %.1f ms plus the write, "
                "which with the store took %.1f ms\n",
                open, add, store, static_cast<double>(stored) / 1048576, open + add + store, save);
    return 0;
}

int Scale()
{
    // One kind only, so that every calculation goes into the same folder's chain.
    const std::vector<CBytes> templates{TemplateCalculations(std::filesystem::temp_directory_path()).front()};
    double first = 0;
    for (int n = 12500; n <= 100000; n *= 2) {
        CCalcDoc doc;
        doc.OnNewDocument();
        const double ms = AddMany(doc, templates, n);
        if (first == 0)
            first = ms / 12500;
        std::printf("add %6d into one folder: %8.1f ms, %.2f us each (%.1f x the first)\n", n, ms, 1000 * ms / n,
                    ms / n / first);
    }
    return 0;
}
} // namespace

int main(int argc, char** argv)
{
    std::setlocale(LC_ALL, "C");
    InitVocabulary(std::filesystem::read_symlink("/proc/self/exe").parent_path());
    ZNTVCalcInit();
    ZNTVStatInit();
    CHeadlessUIServices ui;
    SetUIServices(&ui);
    const std::string mode = argc > 1 ? argv[1] : "";
    if (mode == "make" && argc >= 3)
        return Make(argv[2], argc > 3 ? std::atoi(argv[3]) : 100000);
    if (mode == "open" && (argc == 3 || (argc == 4 && std::string(argv[3]) == "map")))
        return Open(argv[2], argc == 4);
    if (mode == "append" && argc == 3)
        return Append(argv[2]);
    if (mode == "scale")
        return Scale();
    std::fprintf(stderr, "usage: DocumentScaleBench make FILE [N] | open FILE [map] | append FILE | scale\n");
    return 1;
}
