// A calculation as JSON, CSV or TSV.
#include "ResultRecords.h"

#include "CCalcBase.h"
#include "FieldTable.h"
#include "Vocabulary.h"

#include <charconv>
#include <cmath>
#include <nlohmann/json.hpp>

namespace
{
using Json = nlohmann::ordered_json;

/// A number, or null when it is not finite (an undefined result, an absent limit).
Json NumberOrNull(double value)
{
    return std::isfinite(value) ? Json(value) : Json(nullptr);
}

/// An input number: whole numbers as integers (a count reads 12, not 12.0), others as doubles.
Json InputNumber(double value)
{
    if (std::isfinite(value) && value == std::trunc(value) && std::fabs(value) < 9.0e15)
        return Json(static_cast<long long>(value));
    return NumberOrNull(value);
}

Json InputsJson(const CInputs& inputs)
{
    Json object = Json::object();
    for (const CInput& input : inputs) {
        switch (input.kind) {
        case CInput::Number:
            object[input.name] = InputNumber(input.number);
            break;
        case CInput::Flag:
            object[input.name] = input.flag;
            break;
        case CInput::Text:
            object[input.name] = input.text;
            break;
        case CInput::Rows: {
            Json rows = Json::array();
            for (const std::vector<double>& row : input.rows) {
                Json cells = Json::array();
                for (double cell : row)
                    cells.push_back(InputNumber(cell));
                rows.push_back(std::move(cells));
            }
            object[input.name] = std::move(rows);
            break;
        }
        }
    }
    return object;
}

Json ResultJson(const CResult& result)
{
    Json object = Json::object();
    object["key"] = result.key;
    object["label"] = CCalcBase::ResultLabel(result);
    object["estimate"] = NumberOrNull(result.estimate);
    object["lower"] = result.HasInterval() ? NumberOrNull(result.lower) : Json(nullptr);
    object["upper"] = result.HasInterval() ? NumberOrNull(result.upper) : Json(nullptr);
    object["level"] = result.HasInterval() ? Json(result.level) : Json(nullptr);
    object["df"] = NumberOrNull(result.df);
    object["decimals"] = result.decimals;
    object["probability"] = result.probability;
    return object;
}

/// A CSV field, quoted when it holds a separator, a quote or a line end (RFC 4180).
std::string CsvField(const std::string& text)
{
    if (text.find_first_of(",\"\r\n") == std::string::npos)
        return text;
    std::string quoted = "\"";
    for (char c : text) {
        quoted += c;
        if (c == '"')
            quoted += '"';
    }
    return quoted + "\"";
}

/// A TSV field: a tab or line end inside it becomes a blank, so each row stays one line.
std::string TsvField(std::string text)
{
    for (char& c : text)
        if (c == '\t' || c == '\r' || c == '\n')
            c = ' ';
    return text;
}

std::string Row(const std::vector<std::string>& fields, CResultFormat format)
{
    std::string row;
    for (size_t i = 0; i < fields.size(); ++i) {
        if (i > 0)
            row += format == CResultFormat::Csv ? ',' : '\t';
        row += format == CResultFormat::Csv ? CsvField(fields[i]) : TsvField(fields[i]);
    }
    return row + "\n";
}
} // namespace

std::optional<CResultFormat> ResultFormatNamed(std::string_view name)
{
    if (name == "text" || name == "txt")
        return CResultFormat::Text;
    if (name == "json")
        return CResultFormat::Json;
    if (name == "csv")
        return CResultFormat::Csv;
    if (name == "tsv")
        return CResultFormat::Tsv;
    return std::nullopt;
}

CCalcRecord RecordOf(const CCalcBase& data)
{
    CCalcRecord record;
    record.type = data.GetTypeString();
    record.className = data.GetRuntimeClass()->m_lpszClassName;
    record.caption = TypeTitle(record.type);
    record.title = data.GetTitle();
    record.inputs = data.Inputs();
    // A damaged or hand-made document can hold inputs the dialog never takes; the formulas are
    // not meant for them (a count past 2^31, a degrees of freedom the tail sums loop over).
    if (const CFieldTable* table = data.Fields()) {
        const std::string outside = InputOutsideFields(*table, record.inputs.data(), record.inputs.size());
        if (!outside.empty()) {
            record.error = "the stored " + outside + " is outside what its field takes";
            return record;
        }
    }
    record.results = data.Results();
    return record;
}

std::string RecordJsonLine(const CCalcRecord& record)
{
    Json object = Json::object();
    object["type"] = record.type;
    object["class"] = record.className;
    object["caption"] = record.caption;
    object["title"] = record.title;
    if (!record.error.empty())
        object["error"] = record.error;
    object["inputs"] = InputsJson(record.inputs);
    Json results = Json::array();
    for (const CResult& result : record.results)
        results.push_back(ResultJson(result));
    object["results"] = std::move(results);
    // Titles and labels may hold any bytes: ones that are not UTF-8 are replaced, not refused.
    return object.dump(-1, ' ', false, Json::error_handler_t::replace) + "\n";
}

std::string ResultRowsHeader(CResultFormat format)
{
    return Row({"type", "title", "key", "label", "estimate", "lower", "upper", "level", "df", "p"}, format);
}

std::string ResultRows(const CCalcRecord& record, CResultFormat format)
{
    std::string rows;
    for (const CResult& result : record.results) {
        const std::string value = RoundTripNumber(result.estimate);
        const bool interval = result.HasInterval();
        rows += Row({record.type, record.title, result.key, CCalcBase::ResultLabel(result),
                     result.probability ? std::string() : value, interval ? RoundTripNumber(result.lower) : "",
                     interval ? RoundTripNumber(result.upper) : "", result.level, RoundTripNumber(result.df),
                     result.probability ? value : std::string()},
                    format);
    }
    return rows;
}

std::string RoundTripNumber(double value)
{
    if (!std::isfinite(value))
        return {};
    char buffer[32];
    const auto [end, ec] = std::to_chars(buffer, buffer + sizeof buffer, value);
    return ec == std::errc() ? std::string(buffer, end) : std::string();
}
