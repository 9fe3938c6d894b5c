// Conversions between UTF-8 (strings in memory), Windows-1252 (strings in documents and RTF)
// and UTF-16 (the archive's 16-bit string form).
#pragma once

#include "Utf8.h"

#include <string>
#include <string_view>

/// The character of a Windows-1252 byte. The five bytes the code page leaves unassigned
/// (81, 8D, 8F, 90, 9D) map to U+0081, U+008D, U+008F, U+0090 and U+009D, so every byte
/// round-trips.
char32_t Cp1252ToUnicode(unsigned char byte);
/// The Windows-1252 byte of a character, or -1 when the code page has no such character.
int UnicodeToCp1252(char32_t character);

/// Appends the UTF-8 form of a character (surrogates and values above U+10FFFF as U+FFFD).
void AppendUtf8(std::string& out, char32_t character);

/// True when every character of the text has a Windows-1252 byte (invalid UTF-8 does not fit).
bool FitsCp1252(std::string_view utf8);
std::string Cp1252ToUtf8(std::string_view bytes);
/// Windows-1252 bytes of UTF-8 text; a character outside the code page becomes '?'. Callers
/// that must not lose characters check FitsCp1252 first.
std::string Utf8ToCp1252(std::string_view utf8);

std::u16string Utf8ToUtf16(std::string_view utf8);
/// UTF-8 of UTF-16 units; an unpaired surrogate becomes U+FFFD.
std::string Utf16ToUtf8(std::u16string_view utf16);
