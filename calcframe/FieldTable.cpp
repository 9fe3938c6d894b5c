// A calculation's inputs as a table of named fields.
#include "FieldTable.h"

#include "CCalcBase.h"
#include "CalcResults.h"
#include "Profile.h"
#include "Terms.h"

#include <cmath>

const CField* CFieldTable::Find(const std::string& name) const
{
    for (const CField& field : fields)
        if (field.name == name)
            return &field;
    return nullptr;
}

const CField* CFieldTable::FindId(int id) const
{
    for (const CField& field : fields)
        if (field.id == id)
            return &field;
    for (const CFieldGroup& group : groups)
        for (const CField& field : group.fields)
            if (field.id == id)
                return &field;
    return nullptr;
}

const CFieldGroup* CFieldTable::FindGroup(const std::string& name) const
{
    for (const CFieldGroup& group : groups)
        if (group.name == name)
            return &group;
    return nullptr;
}

CField CountField(const std::string& name, int id, const std::string& labelKey, double minimum, double maximum,
                  const std::string& defaultValue)
{
    CField field;
    field.name = name;
    field.kind = CFieldKind::Count;
    field.id = id;
    field.minimum = minimum;
    field.maximum = maximum;
    field.defaultValue = defaultValue;
    field.labelKey = labelKey;
    return field;
}

CField NumberField(const std::string& name, int id, const std::string& labelKey, std::optional<double> minimum,
                   std::optional<double> maximum, const std::string& defaultValue)
{
    CField field;
    field.name = name;
    field.kind = CFieldKind::Number;
    field.id = id;
    field.minimum = minimum;
    field.maximum = maximum;
    field.defaultValue = defaultValue;
    field.labelKey = labelKey;
    return field;
}

CField FlagField(const std::string& name, int id, const std::string& labelKey, bool defaultValue)
{
    CField field;
    field.name = name;
    field.kind = CFieldKind::Flag;
    field.id = id;
    field.defaultValue = defaultValue ? "yes" : "no";
    field.labelKey = labelKey;
    return field;
}

CField TitleField(int id)
{
    CField field;
    field.name = "title";
    field.kind = CFieldKind::Text;
    field.id = id;
    field.labelKey = kTermTitle;
    field.maxChars = 50;
    field.defaultValue = "the time and date";
    return field;
}

CField LevelField(const std::string& defaultValue)
{
    CField field;
    field.name = "level";
    field.kind = CFieldKind::Choice;
    field.labelKey = kTermConfidenceLevel;
    field.defaultValue = defaultValue;
    field.options = {{"95", 1020}, {"99", 1021}};
    return field;
}

namespace
{
/// Whether a typed field takes the number.
bool Takes(const CField& field, double value)
{
    if (field.kind != CFieldKind::Count && field.kind != CFieldKind::Number)
        return true;
    if (std::isnan(value))
        return true; // no value stored (a cell outside the table in use)
    if (!std::isfinite(value))
        return false;
    return (!field.minimum || value >= *field.minimum) && (!field.maximum || value <= *field.maximum);
}

/// The field a stored input's name stands for: "name", or "group[N].name".
const CField* FieldOfInput(const CFieldTable& table, const std::string& name)
{
    if (const CField* field = table.Find(name))
        return field;
    const size_t open = name.find('['), close = name.find("].");
    if (open == std::string::npos || close == std::string::npos || close < open)
        return nullptr;
    const CFieldGroup* group = table.FindGroup(name.substr(0, open));
    if (!group)
        return nullptr;
    const std::string fieldName = name.substr(close + 2);
    for (const CField& field : group->fields)
        if (field.name == fieldName)
            return &field;
    return nullptr;
}
} // namespace

std::string InputOutsideFields(const CFieldTable& table, const CInput* inputs, size_t count)
{
    for (size_t i = 0; i < count; ++i) {
        const CInput& input = inputs[i];
        if (input.kind == CInput::Number) {
            const CField* field = FieldOfInput(table, input.name);
            if (field && !Takes(*field, input.number))
                return input.name;
        } else if (input.kind == CInput::Rows) {
            const CFieldGroup* group = table.FindGroup(input.name);
            if (!group)
                continue;
            for (size_t row = 0; row < input.rows.size(); ++row) {
                const std::vector<double>& values = input.rows[row];
                for (size_t column = 0; column < values.size() && column < group->fields.size(); ++column)
                    if (!Takes(group->fields[column], values[column]))
                        return input.name + "[" + std::to_string(row + 1) + "]." + group->fields[column].name;
            }
        }
    }
    return {};
}

std::string FieldLabel(const CField& field)
{
    if (field.labelKey.empty())
        return field.label;
    const size_t slash = field.labelKey.find('/');
    if (slash == std::string::npos)
        return CCalcBase::Term(field.labelKey);
    const std::string section = field.labelKey.substr(0, slash), key = field.labelKey.substr(slash + 1);
    return GetProfileString(section, key, key);
}

const char* FieldKindName(CFieldKind kind)
{
    switch (kind) {
    case CFieldKind::Count:
        return "count";
    case CFieldKind::Number:
        return "number";
    case CFieldKind::Choice:
        return "choice";
    case CFieldKind::Flag:
        return "flag";
    case CFieldKind::Text:
        return "text";
    }
    return "";
}
