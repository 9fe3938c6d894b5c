// Fuzzes the number readers of dialog fields and list cells, checking each against the grammar
// its header promises.
#include "FuzzSupport.h"
#include "NumberParse.h"

#include <cmath>
#include <string>
#include <string_view>

namespace
{
bool IsBlank(char c)
{
    return c == ' ' || c == '\t';
}

/// The field without its surrounding blanks and tabs.
std::string_view Trimmed(std::string_view text)
{
    while (!text.empty() && IsBlank(text.front()))
        text.remove_prefix(1);
    while (!text.empty() && IsBlank(text.back()))
        text.remove_suffix(1);
    return text;
}

/// The unsigned field grammar: optional '+', then digits only.
bool IsUnsignedField(std::string_view text)
{
    text = Trimmed(text);
    if (!text.empty() && text.front() == '+')
        text.remove_prefix(1);
    return !text.empty() && text.find_first_not_of("0123456789") == std::string_view::npos;
}
} // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size)
{
    const std::string_view text(reinterpret_cast<const char*>(data), size);

    double real = 0;
    if (ParseStrictDouble(text, real) && !std::isfinite(real))
        FuzzFail("number", "a double field reads as a value that is not finite");

    uint32_t unsignedValue = 0;
    const bool unsignedOk = ParseUnsignedField(text, unsignedValue);
    if (unsignedOk != IsUnsignedField(text))
        FuzzFail("number", "the unsigned field grammar is not the documented one");
    int32_t signedValue = 0;
    const bool signedOk = ParseIntField(text, signedValue);
    if (unsignedOk && !signedOk)
        FuzzFail("number", "an unsigned field is refused as a signed one");
    if (unsignedOk && signedOk && unsignedValue <= 2147483647u && static_cast<uint32_t>(signedValue) != unsignedValue)
        FuzzFail("number", "the signed and unsigned readers disagree");

    const std::string terminated(text);
    bool rangeError = false;
    const uint32_t viaView = StrToUL32(text, &rangeError);
    if (terminated.find('\0') == std::string::npos && StrToUL32(terminated.c_str()) != viaView)
        FuzzFail("number", "StrToUL32 of a view and of its C string differ");
    if (rangeError && viaView != 4294967295u)
        FuzzFail("number", "a range error that does not saturate");

    const std::optional<int32_t> cell = ParseGridCell(text);
    if (cell && *cell < 0)
        FuzzFail("number", "a grid cell reads as a negative count");
    if (text.empty() && cell)
        FuzzFail("number", "an empty grid cell reads as a count");
    return 0;
}
