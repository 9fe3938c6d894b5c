// zentavo-cli fields: the input fields of a calculation type, in dialog order, as text or JSON.
#include "CCalcBase.h"
#include "Commands.h"
#include "FieldTable.h"
#include "GetCalcBase.h"
#include "TypeCodes.h"
#include "Vocabulary.h"

#include <cstdio>
#include <memory>
#include <nlohmann/json.hpp>

namespace
{
using Json = nlohmann::ordered_json;

std::string Number(double value)
{
    char buffer[32];
    std::snprintf(buffer, sizeof buffer, "%.15g", value);
    return buffer;
}

/// What a field takes, as `fields` prints it: "0 to 1000000", "95, 99", "yes, no", "50 characters".
std::string RangeText(const CField& field)
{
    switch (field.kind) {
    case CFieldKind::Count:
    case CFieldKind::Number:
        if (field.minimum && field.maximum)
            return Number(*field.minimum) + " to " + Number(*field.maximum);
        if (field.minimum)
            return "at least " + Number(*field.minimum);
        if (field.maximum)
            return "at most " + Number(*field.maximum);
        return "any";
    case CFieldKind::Choice: {
        std::string options;
        for (const CFieldOption& option : field.options)
            options += (options.empty() ? "" : ", ") + option.value;
        return options;
    }
    case CFieldKind::Flag:
        return "yes, no";
    case CFieldKind::Text:
        return field.maxChars > 0 ? "up to " + std::to_string(field.maxChars) + " characters" : "any text";
    }
    return {};
}

/// The default the command-line tool gives: the title is the type code, so that output is the
/// same run to run; the rest as the dialog shows them.
std::string DefaultText(const CField& field, const std::string& name, const std::string& code)
{
    return name == "title" && field.kind == CFieldKind::Text ? code : field.defaultValue;
}

Json FieldJson(const CField& field, const std::string& name, const std::string& code)
{
    Json object = Json::object();
    object["name"] = name;
    object["kind"] = FieldKindName(field.kind);
    object["minimum"] = field.minimum ? Json(*field.minimum) : Json(nullptr);
    object["maximum"] = field.maximum ? Json(*field.maximum) : Json(nullptr);
    Json options = Json::array();
    for (const CFieldOption& option : field.options)
        options.push_back(option.value);
    if (field.kind == CFieldKind::Flag)
        options = Json::array({"yes", "no"});
    object["options"] = std::move(options);
    object["max_chars"] = field.maxChars > 0 ? Json(field.maxChars) : Json(nullptr);
    object["default"] = DefaultText(field, name, code);
    object["label"] = FieldLabel(field);
    object["id"] = field.id;
    return object;
}

std::string TextLine(const CField& field, const std::string& name, const std::string& code)
{
    return name + "\t" + FieldKindName(field.kind) + "\t" + RangeText(field) + "\t" + DefaultText(field, name, code) +
           "\t" + FieldLabel(field) + "\n";
}

/// "strata[N]": the name a group's fields are shown under.
std::string GroupPrefix(const CFieldGroup& group)
{
    return group.name + "[N].";
}

std::string GroupLimit(const CFieldGroup& group)
{
    return "N from 1" + (group.maxCount > 0 ? " to " + std::to_string(group.maxCount) : std::string());
}
} // namespace

int FieldsCommand(const std::string& code, const std::optional<std::string>& format)
{
    const std::optional<CResultFormat> named = format ? ResultFormatNamed(*format) : CResultFormat::Text;
    if (!named || (*named != CResultFormat::Text && *named != CResultFormat::Json))
        return CliFailure("fields writes text or json, not '" + format.value_or("") + "'");
    if (const std::string problem = TypeCodeProblem(code); !problem.empty())
        return CliFailure(problem);
    if (code == "9999")
        return CliFailure("9999 makes a note, which has no fields");
    const std::unique_ptr<CCalcBase> calc(GetCalcBase(code));
    const CFieldTable* table = calc ? calc->Fields() : nullptr;
    if (!table)
        return CliFailure(code + " has no named fields yet: give its values by control id (see zentavo-cli help run)");

    if (*named == CResultFormat::Json) {
        Json fields = Json::array();
        for (const CField& field : table->fields)
            fields.push_back(FieldJson(field, field.name, code));
        Json groups = Json::array();
        for (const CFieldGroup& group : table->groups) {
            Json object = Json::object();
            object["name"] = group.name;
            object["kind"] = group.kind == CFieldGroup::Tabs ? "tabs" : "rows";
            object["max_count"] = group.maxCount > 0 ? Json(group.maxCount) : Json(nullptr);
            Json members = Json::array();
            for (const CField& field : group.fields)
                members.push_back(FieldJson(field, GroupPrefix(group) + field.name, code));
            object["fields"] = std::move(members);
            groups.push_back(std::move(object));
        }
        Json out = Json::object();
        out["type"] = code;
        out["caption"] = TypeTitle(code);
        out["fields"] = std::move(fields);
        out["groups"] = std::move(groups);
        return FinishStdout(out.dump(2, ' ', false, Json::error_handler_t::replace) + "\n");
    }
    std::string out;
    for (const CField& field : table->fields)
        out += TextLine(field, field.name, code);
    for (const CFieldGroup& group : table->groups) {
        out += group.name + "[N]\t" + (group.kind == CFieldGroup::Tabs ? "tabs" : "rows") + "\t" + GroupLimit(group) +
               "\t\t\n";
        for (const CField& field : group.fields)
            out += TextLine(field, GroupPrefix(group) + field.name, code);
    }
    return FinishStdout(out);
}
