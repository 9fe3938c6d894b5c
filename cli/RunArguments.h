// The arguments of one `run`, turned into the request for a new calculation: the type code
// checked against the type tree, the seed read, the title given or defaulted, and "name=value"
// and the numeric action forms turned into the dialog's actions.
#pragma once

#include "CalcRunner.h"
#include "Commands.h"

#include <string>

/// Fills `request` from `line`. 0 on success; else 1 for a usage error (no or a bad type code, a
/// bad seed, an argument of no known form) or 2 for a field name or value the calculation does
/// not take, with the reason in `error`.
int BuildRunRequest(const CRunLine& line, CCalcRunRequest& request, std::string& error);

/// The name of the field the dialog refused ("a", "strata[N].a"), or "" when the calculation
/// was not refused or its table does not know the control.
std::string RefusedFieldName(const CCalcRunResult& result, const std::string& code);
/// The field table of a type, or null when it has none (kept for the whole run).
const struct CFieldTable* FieldsOf(const std::string& code);
/// Why the calculation was not made, in one line: the dialog's prompt preceded by the name of
/// the field it was about when it has one ("a: Please enter ..."), else its messages;
/// line ends within them become blanks.
std::string RefusalReason(const CCalcRunResult& result, const std::string& code);
