// A calculation's inputs as a table of named fields: what its dialog asks for, in dialog order,
// with each field's stable English name, kind, range, default and the vocabulary key of its
// label. The dialog checks its ranges from it, the command-line tool turns "name=value" into the
// dialog's own actions with it, and `zentavo-cli fields` lists it.
#pragma once

#include <optional>
#include <string>
#include <vector>

enum class CFieldKind
{
    Count,  // a whole number, typed
    Number, // a number, typed
    Choice, // one of several options (radio buttons)
    Flag,   // yes or no (a check box)
    Text,   // free text (the title)
};

/// One option of a choice: its value on the command line and its radio button.
struct CFieldOption
{
    std::string value; // "95", "99", "two-sided"
    int id = 0;
};

struct CField
{
    std::string name;
    CFieldKind kind = CFieldKind::Number;
    int id = 0; // the edit or check box (a choice's options carry their own ids)
    std::optional<double> minimum;
    std::optional<double> maximum;
    std::string defaultValue; // as the dialog shows it on a new calculation
    std::string labelKey;     // vocabulary key of its label: "Section/key", or a key of Terms;
                              // "" for a resource text
    std::string label;        // the resource text, where the label has no vocabulary key
    std::vector<CFieldOption> options;
    int maxChars = 0; // texts: the most characters taken (0: any)
};

/// A set of fields entered several times: the strata of a stratified table (one tab each) or
/// the rows of a list (each typed into the fields and added). On the command line
/// "NAME[N].FIELD=VALUE", N from 1.
struct CFieldGroup
{
    enum Kind
    {
        Tabs, // each entry is a tab; Add makes the next one and shows it
        Rows, // each entry is typed into the fields, then Add files it in the list
    };
    std::string name; // "strata", "rows"
    Kind kind = Rows;
    int addId = 0;    // the Add button
    int maxCount = 0; // the most entries (0: no limit)
    std::vector<CField> fields;
};

struct CFieldTable
{
    std::vector<CField> fields; // in dialog order
    std::vector<CFieldGroup> groups;

    /// The field named `name` (not in a group), or null.
    const CField* Find(const std::string& name) const;
    /// The field with the control id, or null (groups included).
    const CField* FindId(int id) const;
    /// The group named `name`, or null.
    const CFieldGroup* FindGroup(const std::string& name) const;
};

/// Shorthands for the common fields.
CField CountField(const std::string& name, int id, const std::string& labelKey, double minimum, double maximum,
                  const std::string& defaultValue = "0");
CField NumberField(const std::string& name, int id, const std::string& labelKey, std::optional<double> minimum,
                   std::optional<double> maximum, const std::string& defaultValue = "0");
CField FlagField(const std::string& name, int id, const std::string& labelKey, bool defaultValue);
/// The title (at most 50 characters; the default is the time and date of the calculation).
CField TitleField(int id = 1022);
/// The confidence level: "95" or "99" (radio buttons 1020 and 1021).
CField LevelField(const std::string& defaultValue = "95");

/// The first stored input that its field would refuse (a number outside the field's range or not
/// finite, a row value outside its column's), as "name" or "rows[2].size"; "" when all fit. A
/// document can hold any numbers; its results are computed only from inputs the dialog takes.
std::string InputOutsideFields(const CFieldTable& table, const struct CInput* inputs, size_t count);

/// The label of a field in the current vocabulary: its key's text, else its resource text.
std::string FieldLabel(const CField& field);

/// The name of a field kind as `fields` prints it: count, number, choice, flag, text.
const char* FieldKindName(CFieldKind kind);
