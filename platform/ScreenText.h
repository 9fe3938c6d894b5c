// The program's own screen texts (prompts, questions, captions) from the [Screen] section of
// the vocabulary, with "%1".."%9" filled in. The English default is the text the program showed
// before the section existed, so a vocabulary without it reads as before.
#pragma once

#include <initializer_list>
#include <string>
#include <string_view>

/// The [Screen] entry `key`, or `english` when the vocabulary has none.
std::string ScreenText(std::string_view key, std::string_view english);
/// The same with %1, %2, ... replaced by the arguments in one pass (an argument's own '%'
/// stays as it is); "%%" gives one '%'.
std::string ScreenText(std::string_view key, std::string_view english, std::initializer_list<std::string_view> args);

/// "Unexpected file format.", the message of a document or clipboard that does not read.
std::string FileFormatMessage();

/// Replaces %1..%9 of `text` by the arguments in one pass; a directive without an argument and
/// every other '%' stay as they are, "%%" gives one '%'.
std::string FillDirectives(std::string_view text, std::initializer_list<std::string_view> args);
