// The input dialog of the six sample-size calculations that compare two or three values: the
// values, the significance and power boxes, the title, a row each. Each calculation describes its
// values and its few particular ways; its own small dialog class copies its fields in and out.
// (The case-control dialog, with its up-down count, has a dialog of its own.)
#pragma once

#include "CCalcDlg.h"

#include <cstdint>
#include <vector>

/// The ways in which the sample-size dialogs differ besides their values, as flags.
enum CSizeFormFlags : unsigned
{
    kColonAfterChoices = 1, // the significance and power boxes read "...:"
    kSdMustNotBeZero = 2,   // the third value, an SD, is refused when 0 (message "03")
    kFocusStaysOnEqual = 4, // equal values leave the focus where it is
    kKeepCaption = 8,       // the caption stays the template's
    kKeepButtonTexts = 16,  // OK and Cancel stay the template's
};

/// What a sample-size dialog holds and checks.
struct CSizeForm
{
    CDialogTemplate dialogTemplate;
    std::vector<CValueField> values; // two or three; the first two are the ones compared
    unsigned flags = 0;              // CSizeFormFlags
    CFieldTable fields;              // the values, significance, power and title
};

/// The form with its template and its field table: the values, the significance and power boxes,
/// the title and the buttons, one row each from the top.
CSizeForm MakeSizeForm(int templateId, const char* caption, std::vector<CValueField> values, unsigned flags = 0);

/// The inputs of a calculation of the form by the names of its fields: `values` in the order of
/// the form's values, the significance and power indexes, and the title.
CInputs SizeFormInputs(const CSizeForm& form, const std::vector<double>& values, int32_t significance, int32_t power,
                       const std::string& title);

class CSampSizeDlg : public CCalcDlg
{
public:
    explicit CSampSizeDlg(const CSizeForm& form);

    double m_values[3] = {0.0, 0.0, 0.0}; // in the order of the form's values
    int32_t m_significance = 1;
    int32_t m_power = 0;

protected:
    bool OnInitDialog() override;
    void DoDataExchange(CDataExchange& dx) override;
    /// The field checks, then: equal first two values are refused (the formulas divide by
    /// their difference); then a zero SD where that is refused.
    void OnOK() override;

private:
    const CSizeForm& m_form;
};
