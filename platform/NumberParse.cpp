// Number readers for dialog fields and list cells. glibc's strtod also takes "nan", "inf", hex
// floats and overflow, and its strtoul is 64-bit: the fields need the narrower classic grammar.
#include "NumberParse.h"

#include <algorithm>
#include <clocale>
#include <cmath>
#include <cstdlib>
#include <limits>
#include <string>

namespace
{
constexpr uint64_t kUInt32Max = std::numeric_limits<uint32_t>::max();

bool IsBlank(char c)
{
    return c == ' ' || c == '\t';
}

// White space as isspace() of the C locale sees it.
bool IsSpace(char c)
{
    return c == ' ' || (c >= '\t' && c <= '\r');
}

bool IsDigit(char c)
{
    return c >= '0' && c <= '9';
}

std::string_view TrimBlanks(std::string_view text)
{
    while (!text.empty() && IsBlank(text.front()))
        text.remove_prefix(1);
    while (!text.empty() && IsBlank(text.back()))
        text.remove_suffix(1);
    return text;
}

// Consumes digits from `text` at `pos`; returns how many.
size_t SkipDigits(std::string_view text, size_t& pos)
{
    const size_t start = pos;
    while (pos < text.size() && IsDigit(text[pos]))
        ++pos;
    return pos - start;
}

// Reads a run of digits as a magnitude saturated just above 32 bits.
uint64_t SaturatedMagnitude(std::string_view digits)
{
    uint64_t value = 0;
    for (char c : digits) {
        value = value * 10 + static_cast<uint64_t>(c - '0');
        if (value > kUInt32Max)
            return kUInt32Max + 1;
    }
    return value;
}

// Checks sign, digits with one decimal point, exponent; `text` has no surrounding blanks.
bool IsPlainDecimal(std::string_view text)
{
    const char* point = std::localeconv()->decimal_point;
    const std::string_view decimalPoint = (point && *point) ? point : ".";
    size_t pos = 0;
    if (pos < text.size() && (text[pos] == '+' || text[pos] == '-'))
        ++pos;
    size_t digits = SkipDigits(text, pos);
    if (text.substr(pos, decimalPoint.size()) == decimalPoint) {
        pos += decimalPoint.size();
        digits += SkipDigits(text, pos);
    }
    if (digits == 0)
        return false;
    if (pos < text.size() && (text[pos] == 'e' || text[pos] == 'E')) {
        ++pos;
        if (pos < text.size() && (text[pos] == '+' || text[pos] == '-'))
            ++pos;
        if (SkipDigits(text, pos) == 0)
            return false;
    }
    return pos == text.size();
}
} // namespace

bool ParseStrictDouble(std::string_view text, double& value)
{
    const std::string_view number = TrimBlanks(text);
    if (!IsPlainDecimal(number))
        return false;
    const std::string copy(number);
    char* end = nullptr;
    const double parsed = std::strtod(copy.c_str(), &end);
    if (end != copy.c_str() + copy.size() || !std::isfinite(parsed))
        return false;
    value = parsed;
    return true;
}

bool ParseUnsignedField(std::string_view text, uint32_t& value)
{
    std::string_view number = TrimBlanks(text);
    if (!number.empty() && number.front() == '+')
        number.remove_prefix(1);
    size_t pos = 0;
    if (SkipDigits(number, pos) == 0 || pos != number.size())
        return false;
    value = static_cast<uint32_t>(std::min(SaturatedMagnitude(number), kUInt32Max));
    return true;
}

bool ParseIntField(std::string_view text, int32_t& value)
{
    std::string_view number = TrimBlanks(text);
    bool negative = false;
    if (!number.empty() && (number.front() == '+' || number.front() == '-')) {
        negative = number.front() == '-';
        number.remove_prefix(1);
    }
    size_t pos = 0;
    if (SkipDigits(number, pos) == 0 || pos != number.size())
        return false;
    const int64_t magnitude = static_cast<int64_t>(SaturatedMagnitude(number));
    const int64_t signedValue = negative ? -magnitude : magnitude;
    constexpr int64_t kMin = std::numeric_limits<int32_t>::min();
    constexpr int64_t kMax = std::numeric_limits<int32_t>::max();
    value = static_cast<int32_t>(std::clamp(signedValue, kMin, kMax));
    return true;
}

uint32_t StrToUL32(std::string_view text, bool* rangeError)
{
    if (rangeError)
        *rangeError = false;
    size_t pos = 0;
    while (pos < text.size() && IsSpace(text[pos]))
        ++pos;
    bool negative = false;
    if (pos < text.size() && (text[pos] == '+' || text[pos] == '-')) {
        negative = text[pos] == '-';
        ++pos;
    }
    const size_t start = pos;
    SkipDigits(text, pos);
    const uint64_t magnitude = SaturatedMagnitude(text.substr(start, pos - start));
    if (magnitude > kUInt32Max) {
        if (rangeError)
            *rangeError = true;
        return static_cast<uint32_t>(kUInt32Max);
    }
    const uint32_t value = static_cast<uint32_t>(magnitude);
    return negative ? static_cast<uint32_t>(0u - value) : value;
}

uint32_t StrToUL32(const char* text, bool* rangeError)
{
    return StrToUL32(text ? std::string_view(text) : std::string_view(), rangeError);
}

std::optional<int32_t> ParseGridCell(std::string_view text)
{
    if (text.empty())
        return std::nullopt;
    size_t pos = 0;
    while (pos < text.size() && IsSpace(text[pos]))
        ++pos;
    if (pos < text.size() && text[pos] == '-')
        return std::nullopt;
    bool rangeError = false;
    const uint32_t value = StrToUL32(text, &rangeError);
    if (rangeError || value > static_cast<uint32_t>(std::numeric_limits<int32_t>::max()))
        return std::nullopt;
    return static_cast<int32_t>(value);
}
