// The number readers of dialog fields and list cells: a strict decimal check in front of strtod,
// the unsigned and signed field grammars, and a 32-bit strtoul with the classic runtime's results.
#pragma once

#include <cstdint>
#include <optional>
#include <string_view>

/// A double field: blanks or tabs, optional sign, digits with at most one decimal point (the
/// locale's), optional exponent, blanks or tabs, nothing else; the value must be finite. So
/// "nan", "inf", "0x1p3" and "1e999" are refused; "1e5", " 2.5 " and an underflow to 0 pass.
/// The validated text is converted by strtod, so the locale's decimal point applies.
bool ParseStrictDouble(std::string_view text, double& value);

/// An unsigned field: blanks or tabs, optional '+', digits, blanks or tabs. False for anything
/// else (a '-', an empty field). A value past 32 bits reads as 4294967295 (and so fails any
/// range check below it).
bool ParseUnsignedField(std::string_view text, uint32_t& value);

/// A signed field: as the unsigned one with '+' or '-'; values past 32 bits saturate at
/// INT32_MIN or INT32_MAX.
bool ParseIntField(std::string_view text, int32_t& value);

/// strtoul(text, nullptr, 10) of a runtime whose unsigned long has 32 bits: leading white space,
/// optional sign, digits up to the first non-digit ("12abc" -> 12, "abc" -> 0); a magnitude above
/// 4294967295 gives 4294967295 and sets *rangeError; '-' negates modulo 2^32 ("-5" -> 4294967291).
uint32_t StrToUL32(const char* text, bool* rangeError = nullptr);
uint32_t StrToUL32(std::string_view text, bool* rangeError = nullptr);

/// A count typed into a grid cell or read back from a list column: nullopt (an empty cell)
/// when the text is empty, carries a minus sign, or exceeds 2,147,483,647; otherwise the value
/// StrToUL32 reads ("12abc" -> 12, "abc" -> 0).
std::optional<int32_t> ParseGridCell(std::string_view text);
