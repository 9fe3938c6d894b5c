// "name=value" arguments turned into dialog actions.
#include "FieldArgs.h"

#include <algorithm>
#include <cctype>
#include <map>

namespace
{
/// The value of a flag: yes/no, true/false, on/off, 1/0 (any case).
bool ParseFlag(std::string value, bool& flag)
{
    std::transform(value.begin(), value.end(), value.begin(), [](unsigned char c) { return std::tolower(c); });
    if (value == "yes" || value == "true" || value == "on" || value == "1")
        flag = true;
    else if (value == "no" || value == "false" || value == "off" || value == "0")
        flag = false;
    else
        return false;
    return true;
}

/// The actions that enter one field's value.
bool AppendField(const CField& field, const std::string& shownName, const std::string& value,
                 std::vector<CScriptAction>& actions, std::string& error)
{
    CScriptAction action;
    switch (field.kind) {
    case CFieldKind::Count:
    case CFieldKind::Number:
    case CFieldKind::Text:
        action.kind = CScriptAction::SetText;
        action.id = field.id;
        action.text = value;
        break;
    case CFieldKind::Flag: {
        bool flag = false;
        if (!ParseFlag(value, flag)) {
            error = shownName + ": '" + value + "' is not yes or no";
            return false;
        }
        action.kind = flag ? CScriptAction::Check : CScriptAction::Uncheck;
        action.id = field.id;
        break;
    }
    case CFieldKind::Choice: {
        std::string taken;
        for (const CFieldOption& option : field.options) {
            if (option.value == value) {
                action.kind = CScriptAction::Check;
                action.id = option.id;
                actions.push_back(action);
                return true;
            }
            taken += (taken.empty() ? "" : ", ") + option.value;
        }
        error = shownName + ": '" + value + "' is not one of " + taken;
        return false;
    }
    }
    actions.push_back(action);
    return true;
}

struct CGroupValue
{
    const CField* field;
    std::string name;
    std::string value;
};

/// Splits "GROUP[N].NAME" into its parts; false when the name has no index.
bool SplitIndexed(const std::string& name, std::string& group, long& index, std::string& field)
{
    const size_t open = name.find('[');
    const size_t close = name.find("].");
    if (open == std::string::npos || close == std::string::npos || close < open + 2)
        return false;
    group = name.substr(0, open);
    field = name.substr(close + 2);
    const std::string digits = name.substr(open + 1, close - open - 1);
    if (digits.size() > 4 ||
        !std::all_of(digits.begin(), digits.end(), [](unsigned char c) { return std::isdigit(c); }))
        return false;
    index = std::stol(digits);
    return true;
}
} // namespace

bool FieldActions(const CFieldTable& table, const std::vector<std::string>& args, std::vector<CScriptAction>& actions,
                  std::string& error)
{
    // Entries of each group by index, in the group's order.
    std::map<const CFieldGroup*, std::map<long, std::vector<CGroupValue>>> entries;
    for (const std::string& arg : args) {
        const size_t equals = arg.find('=');
        const std::string name = equals == std::string::npos ? arg : arg.substr(0, equals);
        const bool numeric = !name.empty() && (std::isdigit(static_cast<unsigned char>(name[0])) || name == "tab" ||
                                               name == "row" || name[0] == '+' || name[0] == '-' || name[0] == '@');
        if (numeric) {
            CScriptAction action;
            if (!ParseScriptAction(arg, action)) {
                error = "cannot read the action '" + arg + "'";
                return false;
            }
            actions.push_back(action);
            continue;
        }
        if (equals == std::string::npos) {
            error = "'" + arg + "' needs a value: " + arg + "=VALUE";
            return false;
        }
        const std::string value = arg.substr(equals + 1);
        if (const CField* field = table.Find(name)) {
            if (!AppendField(*field, name, value, actions, error))
                return false;
            continue;
        }
        std::string groupName, fieldName;
        long index = 0;
        const CFieldGroup* group = nullptr;
        if (SplitIndexed(name, groupName, index, fieldName))
            group = table.FindGroup(groupName);
        if (!group) {
            error = "no field '" + name + "'";
            return false;
        }
        if (index < 1 || (group->maxCount > 0 && index > group->maxCount)) {
            error = name + ": " + groupName + " are numbered from 1" +
                    (group->maxCount > 0 ? " to " + std::to_string(group->maxCount) : std::string());
            return false;
        }
        const auto field = std::find_if(group->fields.begin(), group->fields.end(),
                                        [&](const CField& f) { return f.name == fieldName; });
        if (field == group->fields.end()) {
            error = "no field '" + name + "'";
            return false;
        }
        entries[group][index].push_back({&*field, name, value});
    }

    for (const CFieldGroup& group : table.groups) {
        const auto found = entries.find(&group);
        if (found == entries.end())
            continue;
        long made = group.kind == CFieldGroup::Tabs ? 1 : 0; // a stratified dialog opens with one
        for (const auto& [index, values] : found->second) {
            if (group.kind == CFieldGroup::Tabs) {
                for (; made < index; ++made)
                    actions.push_back({CScriptAction::Press, group.addId, 0, {}});
                actions.push_back({CScriptAction::SelectTab, 0, static_cast<int>(index - 1), {}});
            } else if (index != made + 1) {
                error = group.name + "[" + std::to_string(made + 1) + "] is missing before " + group.name + "[" +
                        std::to_string(index) + "]";
                return false;
            }
            for (const CGroupValue& entry : values)
                if (!AppendField(*entry.field, entry.name, entry.value, actions, error))
                    return false;
            if (group.kind == CFieldGroup::Rows) {
                actions.push_back({CScriptAction::Press, group.addId, 0, {}});
                made = index;
            }
        }
    }
    return true;
}

std::string FieldNameOfId(const CFieldTable& table, int id, int tab)
{
    for (const CField& field : table.fields)
        if (field.id == id)
            return field.name;
    for (const CFieldGroup& group : table.groups)
        for (const CField& field : group.fields)
            if (field.id == id)
                return group.name + "[" + (tab >= 0 ? std::to_string(tab + 1) : std::string("N")) + "]." + field.name;
    return {};
}
