// Fuzzes the rich-text reader with any bytes as a stored report: what it reads writes as RTF
// that reads back to the same text, and that RTF is written again byte for byte.
#include "FuzzSupport.h"
#include "RichText.h"

#include <string_view>

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size)
{
    const std::string_view input(reinterpret_cast<const char*>(data), size);
    const CRichText text = CRichText::FromRtf(input);
    for (const CTextRun& run : text.Runs())
        if (run.text.empty())
            FuzzFail("rtf", "an empty run");
    const std::string rtf = text.ToRtf();
    const CRichText again = CRichText::FromRtf(rtf);
    if (!(again == text))
        FuzzFail("rtf", "the written RTF reads back to a different text");
    if (again.ToRtf() != rtf)
        FuzzFail("rtf", "writing the text read back gives different RTF");
    if (RtfToPlainText(input) != text.ToPlainText(true))
        FuzzFail("rtf", "the export text differs from the text read");
    return 0;
}
