// Fuzzes the document loader with whole .zna files: a file that loads must save, load again
// and save to the very same bytes, and export its reports as text.
#include "CCalcDoc.h"
#include "CCalcDocNode.h"
#include "FuzzSupport.h"

#include <memory>

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size)
{
    InitFuzzEnvironment();
    CFuzzScope scope;
    std::string error;
    std::unique_ptr<CCalcDocNode> head(CCalcDoc::LoadTree(std::vector<unsigned char>(data, data + size), error));
    if (!head)
        return 0;
    const std::vector<unsigned char> saved = CCalcDoc::StoreTree(head.get());
    std::unique_ptr<CCalcDocNode> reloaded(CCalcDoc::LoadTree(saved, error));
    if (!reloaded)
        FuzzFail("document", "a saved document does not load: " + error);
    if (CCalcDoc::StoreTree(reloaded.get()) != saved)
        FuzzFail("document", "saving a reloaded document changes its bytes");
    if (CCalcDoc::Export(head.get()) != CCalcDoc::Export(reloaded.get()))
        FuzzFail("document", "the export of a reloaded document differs");
    return 0;
}
