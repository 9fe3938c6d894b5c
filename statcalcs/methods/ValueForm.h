// The dialog frame of the sample-size, power and distribution types: a column of labelled
// number fields, the level row, the title and OK/Cancel, all made from one field table; the
// checked reading of their stored numbers, and how their reports print percentages.
#pragma once

#include "CMethodCalc.h"

#include <string>
#include <vector>

class CArchive;

/// One number field of a form and what its label shows: the field's term, then `suffix`.
struct CFormValue
{
    CField field;
    std::string suffix = ":";
    int labelId = 0;
};

/// A form: the dialog template and the field table (the values, the level, the title).
struct CValueForm
{
    std::vector<CFormValue> values;
    CFieldTable fields;
    CDialogTemplate dialogTemplate;
};

/// Lays out `values` one per row, then the level row, the title and the buttons.
CValueForm MakeValueForm(int templateId, const std::string& caption, std::vector<CFormValue> values);

/// The input dialog of a value form. Counts are exchanged as whole numbers, other fields as
/// numbers; after every range check OnOK asks Refusal for a rule between the fields.
class CValueFormDlg : public CMethodDlg
{
public:
    explicit CValueFormDlg(const CValueForm& form);

    std::vector<double> m_values; // one per value field, in form order
    double m_level = 95;

protected:
    bool OnInitDialog() override;
    void DoDataExchange(CDataExchange& dx) override;
    void OnOK() override;

    /// A rule the values break: the message key and the field to focus; an empty key when the
    /// values are fine.
    struct CRefusal
    {
        std::string messageKey;
        std::string fieldName;
    };
    virtual CRefusal Refusal() const { return {}; }
    /// The index of the value field `name`; a name the form lacks is a programming error.
    size_t IndexOf(const std::string& name) const;

private:
    const CValueForm& m_form;
};

/// Reads a stored number and refuses one that is not finite; `what` names it in the error.
double ReadFiniteNumber(CArchive& ar, const char* what);

/// A percentage as the reports print it: two decimals and "%", or "****" when undefined.
std::string PercentText(double percent);
/// A level as a report value: "95%" right-aligned under PercentText's "%".
std::string LevelValueText(double levelPercent);
