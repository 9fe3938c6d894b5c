// The calculation types of the vocabulary's type tree, as the commands name them by code.
#pragma once

#include <string>
#include <vector>

/// Every leaf of the type tree, depth first in ascending child order: the calculations.
std::vector<std::string> LeafTypeCodes();
/// Empty when `code` names one calculation (a leaf of the type tree, or 9999 for a note); else
/// why it does not: a group of types, or no type at all, with a pointer to `zentavo-cli types`.
std::string TypeCodeProblem(const std::string& code);
