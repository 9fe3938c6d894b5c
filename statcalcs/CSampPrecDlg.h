// The input dialog of the six precision calculations: one or two values, the precision, the
// confidence level and the title, a row each. Each calculation describes its values and which
// checks OK makes; its own small dialog class copies its fields in and out.
#pragma once

#include "CCalcDlg.h"

#include <cstdint>
#include <vector>

/// What a precision dialog holds and checks.
struct CPrecisionForm
{
    CDialogTemplate dialogTemplate;
    std::vector<CValueField> values; // one or two
    bool valuesPositive = false;     // the values must be above 0 like the precision (message "05")
    bool valuesDiffer = false;       // the two values must differ (message "02")
    CFieldTable fields;              // the values, precision, level and title
};

/// The form with its template and its field table: the values, the precision, the level box, the
/// title and the buttons, one row each from the top.
CPrecisionForm MakePrecisionForm(int templateId, const char* caption, std::vector<CValueField> values,
                                 bool valuesPositive, bool valuesDiffer);

/// The inputs of a calculation of the form by the names of its fields: `values` in the order of
/// the form's values, the precision, the level index and the title.
CInputs PrecisionFormInputs(const CPrecisionForm& form, const std::vector<double>& values, double precision,
                            int32_t level, const std::string& title);

class CSampPrecDlg : public CCalcDlg
{
public:
    explicit CSampPrecDlg(const CPrecisionForm& form);

    double m_values[2] = {0.0, 0.0}; // in the order of the form's values
    double m_precision = 0.0;
    int32_t m_level = 0;

protected:
    bool OnInitDialog() override;
    void DoDataExchange(CDataExchange& dx) override;
    /// The field checks, then: a zero precision (or value, where values must be positive) is
    /// refused with the focus on the first zero; then two equal values, with the focus on the
    /// first.
    void OnOK() override;

private:
    const CPrecisionForm& m_form;
};
