// The frame every calculation's input dialog follows: the caption built from the type code's
// labels, the vocabulary texts of the shared controls, the title field, and the steps of Do
// that surround the dialog (base Do, the dialog on the stored inputs, copying them back).
#pragma once

#include "CCalcBase.h"
#include "CDialog.h"
#include "DataExchange.h"
#include "FieldTable.h"
#include "UIServices.h"

#include <optional>
#include <string>
#include <vector>

// Control ids shared by the calculation dialogs.
enum : int
{
    kIdTitle = 1022, // title edit (1024 in the R x C dialog)
    kIdTitleLabel = 1105,
    kIdLevelBox = 1106, // confidence group box
    kIdLevel95 = 1020,  // first radio button of the confidence level
    kIdLevel99 = 1021,
    kIdAdd = 1032,
    kIdRemove = 1033,
    kIdList = 1034,
};

/// Longest title a calculation takes, in characters.
constexpr int kMaxTitleChars = 50;

/// A number field of a dialog that is laid out as a column of labelled values: its edit and
/// label ids, the label's resource text, the vocabulary key and suffix the label shows, the
/// largest value it takes (the least is 0; any value is taken when there is no maximum) and its
/// field name on the command line.
struct CValueField
{
    int id;
    int labelId;
    const char* label;
    const char* key;
    const char* suffix;
    std::optional<double> maximum;
    const char* name = "";
};

/// Appends a label and a right-aligned edit for each field, one row each from the top; returns
/// the first row after them.
int AppendValueRows(std::vector<CControlTemplate>& controls, const std::vector<CValueField>& fields);

class CCalcDlg : public CDialog
{
public:
    explicit CCalcDlg(const CDialogTemplate& dialogTemplate) : CDialog(dialogTemplate) {}

    std::string m_typeString; // for the caption
    std::string m_title;

protected:
    /// The base exchange, then the texts of the shared controls that the template has: title
    /// label "65:", confidence box "06" (plus `levelBoxSuffix`), OK "82", Cancel "83", Add "84",
    /// Remove "85", and the caption from the type code.
    bool OnInitDialog() override;

    /// Sets a label to the vocabulary term `key` followed by `suffix` (the key when missing).
    void SetTerm(int id, const std::string& key, const std::string& suffix = ":");
    /// Sets the labels of value fields from the vocabulary.
    void SetValueLabels(const std::vector<CValueField>& fields);
    /// Exchanges value fields with `values` (one per field) and checks their ranges.
    void ExchangeValues(CDataExchange& dx, const std::vector<CValueField>& fields, double* values);
    /// Exchanges a typed field with `value` and checks it against the field's range.
    void ExchangeField(CDataExchange& dx, const CField& field, uint32_t& value);
    void ExchangeField(CDataExchange& dx, const CField& field, int32_t& value);
    void ExchangeField(CDataExchange& dx, const CField& field, double& value);
    /// Exchanges the title edit: at most 50 characters.
    void ExchangeTitle(CDataExchange& dx, int id = kIdTitle);

    std::string m_levelBoxSuffix;   // ":" in the few dialogs that put one after "06"
    bool m_keepButtonTexts = false; // a dialog that keeps its resource OK and Cancel texts
    bool m_keepCaption = false;     // a dialog that keeps its template's caption
};

/// The field `name` of a table; a name the table lacks is a programming error (logic_error).
const CField& FieldOf(const CFieldTable& table, const std::string& name);

/// The steps of Do around the input dialog: the base Do (a default title), the dialog shown on
/// the calculation's current inputs (Dialog::Load), and on OK the inputs and title copied back
/// (Dialog::Store). False when the user cancelled: the calculation is then unchanged.
template <class Dialog, class Calc> bool RunInputDialog(Calc& calc)
{
    calc.CCalcBase::Do();
    Dialog dialog;
    dialog.m_typeString = calc.GetTypeString();
    dialog.m_title = calc.GetTitle();
    dialog.Load(calc);
    if (dialog.DoModal() != IDOK)
        return false;
    dialog.Store(calc);
    calc.SetTitle(dialog.m_title);
    return true;
}
