// The lines of `run --batch`: each holds the arguments of one run, "CODE ARG ...".
#pragma once

#include "Commands.h"

#include <string>
#include <vector>

/// Splits a line into words at blanks and tabs; double quotes group a value with blanks
/// (`title="Cohort A"`) and are removed, and a backslash inside quotes takes the next character
/// as it is. False with the reason for an unclosed quote. A blank line or one whose first
/// character that is not blank is '#' gives no words.
bool SplitBatchLine(const std::string& line, std::vector<std::string>& words, std::string& error);

/// Reads the words of a line as `run` reads its arguments: CODE, ARG ..., --title TEXT and
/// --seed N. False with the reason for anything else.
bool ReadRunLine(const std::vector<std::string>& words, CRunLine& line, std::string& error);
