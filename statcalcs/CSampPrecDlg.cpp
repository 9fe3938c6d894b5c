// The input dialog of the six precision calculations.
#include "CSampPrecDlg.h"

#include "Profile.h"
#include "SampleTables.h"
#include "Terms.h"

enum : int
{
    kIdPrecision = 1069,
    kIdPrecisionLabel = 1147,
};

CPrecisionForm MakePrecisionForm(int templateId, const char* caption, std::vector<CValueField> values,
                                 bool valuesPositive, bool valuesDiffer)
{
    CPrecisionForm form{{templateId, caption, {}}, std::move(values), valuesPositive, valuesDiffer, {}};
    std::vector<CControlTemplate>& controls = form.dialogTemplate.controls;
    int row = AppendValueRows(controls, form.values);
    controls.push_back(StaticCtl(kIdPrecisionLabel, "Precision (+/-):", row, 0));
    controls.push_back(EditCtl(kIdPrecision, row, 1).RightAlign());
    ++row;
    controls.push_back(GroupBoxCtl(kIdLevelBox, "Confidence level", row, 0).Span(1, 2));
    controls.push_back(RadioCtl(kIdLevel95, "95%", 0, 0).InGroup(kIdLevelBox).GroupStart());
    controls.push_back(RadioCtl(kIdLevel99, "99%", 0, 1).InGroup(kIdLevelBox));
    ++row;
    controls.push_back(StaticCtl(kIdTitleLabel, "Title:", row, 0));
    controls.push_back(EditCtl(kIdTitle, row, 1).MaxChars(kMaxTitleChars));
    ++row;
    controls.push_back(DefButtonCtl(IDOK, "OK", row, 0));
    controls.push_back(ButtonCtl(IDCANCEL, "Cancel", row, 1));
    for (const CValueField& value : form.values)
        form.fields.fields.push_back(ValueRowField(value));
    form.fields.fields.push_back(NumberField("precision", kIdPrecision, kTermPrecision, 0, 1000000));
    form.fields.fields.push_back(LevelField());
    form.fields.fields.push_back(TitleField());
    return form;
}

CInputs PrecisionFormInputs(const CPrecisionForm& form, const std::vector<double>& values, double precision,
                            int32_t level, const std::string& title)
{
    CInputList inputs;
    for (size_t i = 0; i < form.values.size() && i < values.size(); ++i)
        inputs.Number(form.values[i].name, values[i]);
    return inputs.Number("precision", precision)
        .Text("level", ChoiceValue(LevelField(), level))
        .Text("title", title)
        .Take();
}

CSampPrecDlg::CSampPrecDlg(const CPrecisionForm& form) : CCalcDlg(form.dialogTemplate), m_form(form)
{}

bool CSampPrecDlg::OnInitDialog()
{
    CCalcDlg::OnInitDialog();
    SetValueLabels(m_form.values);
    SetTerm(kIdPrecisionLabel, kTermPrecision, " (+/-):");
    return true;
}

void CSampPrecDlg::DoDataExchange(CDataExchange& dx)
{
    for (size_t i = 0; i < m_form.values.size(); ++i)
        ExchangeField(dx, FieldOf(m_form.fields, m_form.values[i].name), m_values[i]);
    ExchangeField(dx, FieldOf(m_form.fields, "precision"), m_precision);
    DDX_Radio(dx, kIdLevel95, m_level);
    ExchangeTitle(dx);
}

void CSampPrecDlg::OnOK()
{
    if (!UpdateData(true))
        return;
    // A zero precision would need an infinite sample; a zero SD needs no study at all.
    int zero = m_precision == 0 ? kIdPrecision : 0;
    if (m_form.valuesPositive) {
        for (size_t i = m_form.values.size(); i-- > 0;)
            if (m_values[i] == 0)
                zero = m_form.values[i].id;
    }
    if (zero != 0) {
        const char* key = m_form.valuesPositive ? "05" : "04";
        AfxMessageBox(GetProfileString("Messages", key, key));
        GotoDlgCtrl(zero);
        return;
    }
    // Equal values have no difference to estimate.
    if (m_form.valuesDiffer && m_values[0] == m_values[1]) {
        AfxMessageBox(GetProfileString("Messages", "02", "02"));
        GotoDlgCtrl(m_form.values[0].id);
        return;
    }
    EndDialog(IDOK);
}
