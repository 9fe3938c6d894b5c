// The vocabulary lookups that recur across the program: terms, type labels in titles, folder
// labels, menu texts and the child count of a type code in the type tree.
#pragma once

#include <string>

class CCalcType;

/// Terms/key, or the key itself when missing.
std::string TermText(const std::string& key);
/// Labels/code as used in titles and captions, or the code itself when missing.
std::string TypeLabel(const std::string& code);
/// The full name of a type: the labels of the code's ancestors and of the code itself joined by
/// " - " ("1110": labels of 1000, 1100 and 1110). Report headings and dialog captions use it.
/// A missing character of a damaged, short type string counts as "0".
std::string TypeTitle(const std::string& code);
/// Labels/code as the name of a folder node, or "Corrupt .INI file" when missing.
std::string FolderLabel(const std::string& code);
/// Menus/key (the key when missing) with every backslash turned into a tab, which separates
/// the accelerator column.
std::string MenuText(const std::string& key);

/// The number of children of a code in the type tree: Levels/code clamped to 0..9 (a negative
/// or missing count makes a leaf, a count above 9 would make codes of two-digit positions).
/// A code of level 3 has no further digit to give children and is always a leaf, and so is a
/// code that fails CCalcType::IsValid.
int ChildCount(const CCalcType& type);
