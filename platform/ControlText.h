// Control characters made visible: the one escaping used wherever text from a document reaches a
// terminal or a report line that it must not break.
#pragma once

#include <string>
#include <string_view>

/// The text with every control character spelled out: a byte below 0x20 that is not in `kept`
/// and DEL become "\xHH" (upper-case hex), a C1 character (U+0080..U+009F, two UTF-8 bytes)
/// becomes "\u00HH". Everything else, including a backslash, stays as it is.
std::string EscapeControlCharacters(std::string_view text, std::string_view kept = "\t");

/// True when EscapeControlCharacters would change the text.
bool HasControlCharacters(std::string_view text, std::string_view kept = "\t");
