// "name=value" arguments of the command-line tool, turned into the actions a user would take in
// the calculation's dialog to enter them: typing into an edit, checking a box or an option,
// adding a stratum or a row. The dialog then checks every value as it does for a user.
#pragma once

#include "FieldTable.h"
#include "ScriptedDialogHost.h"

#include <string>
#include <vector>

/// Appends to `actions` what enters the arguments, each "NAME=VALUE" (a field of the table),
/// "GROUP[N].NAME=VALUE" (a field of a stratum or row, N from 1) or one of the numeric forms
/// ParseScriptAction reads ("ID=TEXT", "+ID", "-ID", "@ID", "tab=N", "row=N"). Fields come
/// first in argument order, then each group's entries in ascending order. False with the reason
/// in `error` for an unknown name, a value a choice or flag does not take, or a bad index.
bool FieldActions(const CFieldTable& table, const std::vector<std::string>& args, std::vector<CScriptAction>& actions,
                  std::string& error);

/// The command-line name of the control `id` ("a", "strata[2].a" when `tab` is 1), or "" when
/// the table has no field with that id.
std::string FieldNameOfId(const CFieldTable& table, int id, int tab = -1);
