// Fuzzes the clipboard payload of a calculation as Paste reads it: a payload that loads is filed
// into a new document and shown; the document then saves and loads again, and the pasted
// calculation copies to the same payload (its report written as the result view writes it).
#include "CArchive.h"
#include "CCalcBase.h"
#include "CCalcDoc.h"
#include "CCalcDocNode.h"
#include "CCalculation.h"
#include "ControlText.h"
#include "FuzzSupport.h"
#include "MemoryViews.h"
#include "RichText.h"

#include <memory>

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size)
{
    InitFuzzEnvironment();
    CFuzzScope scope;
    std::unique_ptr<CCalculation> calc = LoadPayload(data, size);
    if (!calc)
        return 0; // refused whole, as Paste does
    // Filing spells out control characters of the title and the label; the payload compared
    // below is the one after that deliberate change.
    if (CCalcBase* data = calc->GetData(); data && HasControlCharacters(data->GetTitle()))
        data->SetTitle(EscapeControlCharacters(data->GetTitle()));
    if (HasControlCharacters(calc->GetLabel()))
        calc->SetLabel(EscapeControlCharacters(calc->GetLabel()));
    // Showing a report stores it back as the result view writes rich text; nothing else of the
    // calculation may change on the way.
    std::vector<unsigned char> copied;
    {
        const std::string original = calc->GetText();
        calc->SetText(CRichText::FromRtf(original).ToRtf());
        CArchive ar(copied);
        calc->Clipboard(ar);
        calc->SetText(original);
    }

    CCalcDoc doc;
    CMemoryViews views(doc);
    if (!doc.OnNewDocument())
        FuzzFail("clipboard", "a new document cannot be made");
    views.OnUpdate();
    const bool valid = calc->GetType().IsValid();
    CCalculation* pasted = doc.Add(std::move(calc));
    if (!pasted && valid)
        FuzzFail("clipboard", "a loaded payload is not filed");
    if (!pasted)
        return 0; // refused with the usual message
    views.SelectNode(pasted);
    views.UpdateCalculation();

    std::vector<unsigned char> again;
    {
        CArchive ar(again);
        pasted->Clipboard(ar);
    }
    if (again != copied)
        FuzzFail("clipboard", "filing and showing a pasted calculation changes its payload");
    std::string error;
    const std::vector<unsigned char> saved = CCalcDoc::StoreTree(doc.GetHead());
    std::unique_ptr<CCalcDocNode> reloaded(CCalcDoc::LoadTree(saved, error));
    if (!reloaded)
        FuzzFail("clipboard", "a document with a pasted calculation does not load: " + error);
    return 0;
}
