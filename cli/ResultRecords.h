// A calculation as data, the way zentavo-cli writes it for scripts: JSON (one object per
// calculation), or CSV/TSV rows (one per result). Keys and field names never depend on the
// vocabulary; labels and the caption do.
#pragma once

#include "CalcResults.h"

#include <optional>
#include <string>
#include <string_view>

class CCalcBase;

enum class CResultFormat
{
    Text, // the printed report
    Json,
    Csv,
    Tsv,
};

/// The format a name gives: "text"/"txt", "json", "csv", "tsv"; none else.
std::optional<CResultFormat> ResultFormatNamed(std::string_view name);

/// One calculation: its type code, class, heading caption, title, inputs and results.
struct CCalcRecord
{
    std::string type;
    std::string className;
    std::string caption;
    std::string title;
    CInputs inputs;
    CResults results;
    std::string error; // why there are no results, for a stored calculation whose inputs do not fit
};

/// The record of a stored calculation (or note): its inputs and results computed from its fields.
CCalcRecord RecordOf(const CCalcBase& data);

/// The record as one line of JSON, ending in "\n".
std::string RecordJsonLine(const CCalcRecord& record);
/// The header row of CSV or TSV, ending in "\n".
std::string ResultRowsHeader(CResultFormat format);
/// One CSV or TSV row per result of the record, each ending in "\n".
std::string ResultRows(const CCalcRecord& record, CResultFormat format);
/// The shortest decimal text that reads back as exactly `value`; "" when it is not finite.
std::string RoundTripNumber(double value);
