// Fuzzes Redo of a stored calculation: a calculation read from a clipboard payload (the stored
// form of one calculation, as in a document) runs its own input dialog, which opens with the
// stored inputs and is closed with OK, and writes its report. The redone calculation then
// stores and loads again to the same bytes.
#include "CArchive.h"
#include "CCalcBase.h"
#include "CCalculation.h"
#include "CNote.h"
#include "FuzzSupport.h"

#include <memory>

namespace
{
std::vector<unsigned char> Payload(CCalculation& calc)
{
    std::vector<unsigned char> bytes;
    CArchive ar(bytes);
    calc.Clipboard(ar);
    return bytes;
}
} // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size)
{
    InitFuzzEnvironment();
    CFuzzScope scope;
    std::unique_ptr<CCalculation> calc = LoadPayload(data, size);
    if (!calc)
        return 0;
    CCalcBase* base = calc->GetData();
    if (!base || TooMuchWork(*base))
        return 0;
    PinSeed(*base);
    if (!calc->Do())
        return 0; // OK refused the stored inputs, or the calculation has no dialog
    base->Output();
    const bool note = dynamic_cast<CNote*>(base) != nullptr; // a note has no report
    if (!note && scope.m_report.IsEmpty())
        FuzzFail("redo", "a redone calculation wrote no report");
    const std::vector<unsigned char> stored = Payload(*calc);
    auto reloaded = std::make_unique<CCalculation>();
    try {
        CArchive ar(stored.data(), stored.size());
        reloaded->Clipboard(ar);
    } catch (const std::exception& e) {
        FuzzFail("redo", std::string("a redone calculation does not load again: ") + e.what());
    }
    if (Payload(*reloaded) != stored)
        FuzzFail("redo", "a redone calculation stores different bytes after loading");
    return 0;
}
