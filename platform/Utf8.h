// The program's one UTF-8 decoder. It takes the strict form only: a character in the shortest
// sequence that encodes it, no surrogates, nothing above U+10FFFF, no sequence cut short.
#pragma once

#include <cstddef>
#include <optional>
#include <string_view>

/// The character that stands for an invalid byte where one must be shown or written.
constexpr char32_t kUtf8Replacement = 0xFFFD;

/// Decodes the character at `pos` and advances `pos` past it. An invalid sequence (a stray
/// continuation byte, a lead byte C0, C1 or F5..FF, a truncated sequence, an overlong form, an
/// encoded surrogate, a value above U+10FFFF) gives nullopt and advances by one byte only, so
/// that every byte of it counts as one character of its own.
std::optional<char32_t> NextUtf8(std::string_view text, size_t& pos);

/// As NextUtf8, with U+FFFD for each invalid byte.
char32_t DecodeUtf8(std::string_view utf8, size_t& pos);

/// True when the whole text is valid UTF-8 (the empty text is).
bool IsValidUtf8(std::string_view text);
