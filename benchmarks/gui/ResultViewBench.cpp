// Timing of the result view of the desktop program: a random list of 100,000 numbers between 1
// and 1,000,000 made through its dialog and written into the view, then stored and shown again;
// then the first paint of a saved document of many calculations (100,000 unless a count is given).
// Run: ZENTAVO_INI=resources/Zentavo.ini build/benchmarks/gui/ResultViewBench [COUNT]
#include "CCalcBase.h"
#include "CCalcDoc.h"
#include "CCalcDocNode.h"
#include "CCalcEditView.h"
#include "CCalcTreeView.h"
#include "CCalcType.h"
#include "CCalculation.h"
#include "CQtDocViews.h"
#include "CalcFactory.h"
#include "DialogHost.h"
#include "FrameworkInit.h"
#include "GetCalcBase.h"
#include "Profile.h"
#include "RichText.h"
#include "ScriptedDialogHost.h"
#include "UIServices.h"
#include "ZNTVStat.h"

#include <QApplication>
#include <QSplitter>

#include <chrono>
#include <clocale>
#include <cstdio>
#include <cstdlib>
#include <ctime>
#include <filesystem>
#include <memory>

namespace
{
const double kTargetSeconds = 2.0;

std::filesystem::path ExecutableDir(const char* argv0)
{
    std::error_code ec;
    const std::filesystem::path self = std::filesystem::read_symlink("/proc/self/exe", ec);
    return ec ? std::filesystem::absolute(argv0).parent_path() : self.parent_path();
}

/// The dialog's answers: 100,000 numbers from 1 to 1,000,000, repeats allowed, unsorted.
std::vector<CScriptAction> ListActions()
{
    std::vector<CScriptAction> actions;
    for (const char* text : {"1076=100000", "1075=1", "1074=1000000"}) {
        CScriptAction action;
        ParseScriptAction(text, action);
        actions.push_back(action);
    }
    return actions;
}

double SecondsSince(std::chrono::steady_clock::time_point start)
{
    return std::chrono::duration<double>(std::chrono::steady_clock::now() - start).count();
}

/// The processor time this process has used, in seconds: on a busy machine it tells the
/// work done apart from the time spent waiting for a processor.
double CpuSeconds()
{
    return static_cast<double>(std::clock()) / CLOCKS_PER_SEC;
}

void PrintTime(const char* what, double seconds, double cpu = -1)
{
    std::printf("%-58s %7.3f s%s", what, seconds, seconds < kTargetSeconds ? "" : "  (over the 2 s target)");
    if (cpu >= 0)
        std::printf("  (%.3f s of processor time)", cpu);
    std::printf("\n");
}

/// A report of about 800 bytes stored, in the shape the calculations write.
std::string ReportRtf(int number)
{
    CRichText text;
    text.Append("Calculation " + std::to_string(number) + "\n", kPhraseBold);
    while (text.ToPlainText(false).size() < 700)
        text.Append("Proportion                          : 0.2500          [0.1000, 0.4000]\n", kPhrasePlain);
    return text.ToRtf();
}

/// Saves a document of `count` calculations spread over every type's folder.
bool SaveLargeDocument(const std::filesystem::path& file, int count)
{
    CCalcDoc doc;
    doc.OnNewDocument();
    const auto& table = CalcClassTable();
    for (int i = 0; i < count; ++i) {
        const std::string code = table[static_cast<size_t>(i) % table.size()].code;
        auto calc =
            std::make_unique<CCalculation>(CCalcType(code[0] - '0', code[1] - '0', code[2] - '0', code[3] - '0'));
        calc->SetupBase(code);
        calc->SetLabel("Calculation " + std::to_string(i));
        calc->SetText(ReportRtf(i));
        doc.GetHead()->Add(std::move(calc));
    }
    return doc.OnSaveDocument(file);
}

/// Opens `file` into a new window and waits for its first paint; -1 when it cannot be opened.
double FirstPaint(const std::filesystem::path& file)
{
    const auto start = std::chrono::steady_clock::now();
    CCalcDoc doc;
    QSplitter window;
    auto* tree = new CCalcTreeView(&window);
    auto* edit = new CCalcEditView(&window);
    window.resize(900, 600);
    CQtDocViews views(doc, *tree, *edit);
    if (!doc.OnOpenDocument(file))
        return -1;
    views.OnUpdate();
    window.show();
    QApplication::processEvents();
    window.repaint();
    return SecondsSince(start);
}

CCalculation* SelectedCalculation(const CCalcDoc& doc)
{
    CCalcNodeBase* node = doc.GetSelectedNode();
    return node && node->IsCalculation() ? static_cast<CCalculation*>(node) : nullptr;
}
} // namespace

int main(int argc, char** argv)
{
    if (!std::getenv("QT_QPA_PLATFORM"))
        setenv("QT_QPA_PLATFORM", "offscreen", 1);
    QApplication app(argc, argv);
    std::setlocale(LC_ALL, "C");
    InitVocabulary(ExecutableDir(argv[0]));
    ZNTVCalcInit();
    ZNTVStatInit();
    CCalcDoc::LeaseFilesWhenOpening(); // documents open as the program opens them

    CHeadlessUIServices ui;
    SetUIServices(&ui);
    CScriptedDialogHost host(ListActions());
    SetDialogHost(&host);

    CCalcDoc doc;
    QSplitter window;
    auto* tree = new CCalcTreeView(&window);
    auto* edit = new CCalcEditView(&window);
    window.resize(900, 600);
    window.show();
    CQtDocViews views(doc, *tree, *edit);
    doc.OnNewDocument();
    views.OnUpdate();
    QApplication::processEvents();

    // The new-calculation command: dialog, draw, filing in the tree and the report in the view.
    auto start = std::chrono::steady_clock::now();
    double cpuStart = CpuSeconds();
    doc.AddNewCalculation(CCalcType(4, 3, 1, 0));
    QApplication::processEvents();
    const double made = SecondsSince(start);
    const double madeCpu = CpuSeconds() - cpuStart;
    CCalculation* calc = SelectedCalculation(doc);
    if (!calc || !host.m_actionErrors.empty()) {
        std::fprintf(stderr, "the random list was not added%s%s\n", host.m_actionErrors.empty() ? "" : ": ",
                     host.m_actionErrors.empty() ? "" : host.m_actionErrors.front().c_str());
        return 2;
    }
    const std::size_t shownChars = edit->document()->characterCount();

    // Another node and back: the view stores the rich text into the calculation and reloads it.
    start = std::chrono::steady_clock::now();
    tree->SelectNode(doc.GetHead());
    QApplication::processEvents();
    const double stored = SecondsSince(start);
    const std::size_t storedBytes = calc->GetText().size();
    start = std::chrono::steady_clock::now();
    cpuStart = CpuSeconds();
    tree->SelectNode(calc);
    QApplication::processEvents();
    const double reloaded = SecondsSince(start);
    const double reloadedCpu = CpuSeconds() - cpuStart;
    const bool same = edit->document()->characterCount() == static_cast<int>(shownChars);

    std::printf("random list of 100000 numbers in 1..1000000 (%zu characters shown, %zu bytes stored)\n", shownChars,
                storedBytes);
    PrintTime("made and written into the result view:", made, madeCpu);
    PrintTime("another node selected (text stored):", stored);
    PrintTime("selected again (text reloaded):", reloaded, reloadedCpu);
    PrintTime("away and back in all:", stored + reloaded);
    if (!same)
        std::printf("the reloaded text differs in length from the text first shown\n");

    // First paint of a large saved document: open, fill the tree, show and paint the window.
    const int count = argc > 1 ? std::atoi(argv[1]) : 100000;
    const std::filesystem::path folder = std::filesystem::temp_directory_path() / "zentavo-view-bench";
    std::filesystem::create_directories(folder);
    const std::filesystem::path file = folder / "large.zna";
    double painted = -1;
    if (count > 0 && SaveLargeDocument(file, count)) {
        std::printf("document of %d calculations, %.1f MB\n", count,
                    static_cast<double>(std::filesystem::file_size(file)) / 1e6);
        painted = FirstPaint(file);
        PrintTime("opened and first painted:", painted);
    }
    std::filesystem::remove_all(folder);

    SetDialogHost(nullptr);
    SetUIServices(nullptr);
    const bool fast = made < kTargetSeconds && stored + reloaded < kTargetSeconds;
    return fast && same && (count <= 0 || painted >= 0) ? 0 : 1;
}
