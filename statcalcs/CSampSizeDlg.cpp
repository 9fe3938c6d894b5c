// The input dialog of the sample-size calculations that compare two or three values.
#include "CSampSizeDlg.h"

#include "Profile.h"
#include "SampleTables.h"

CSizeForm MakeSizeForm(int templateId, const char* caption, std::vector<CValueField> values, unsigned flags)
{
    CSizeForm form{{templateId, caption, {}}, std::move(values), flags, {}};
    std::vector<CControlTemplate>& controls = form.dialogTemplate.controls;
    const int row = AppendValueRows(controls, form.values);
    AppendSizeChoices(controls, row);
    controls.push_back(StaticCtl(kIdTitleLabel, "Title:", row + 2, 0));
    controls.push_back(EditCtl(kIdTitle, row + 2, 1).MaxChars(kMaxTitleChars));
    controls.push_back(DefButtonCtl(IDOK, "OK", row + 3, 0));
    controls.push_back(ButtonCtl(IDCANCEL, "Cancel", row + 3, 1));
    for (const CValueField& value : form.values)
        form.fields.fields.push_back(ValueRowField(value));
    form.fields.fields.push_back(SignificanceField());
    form.fields.fields.push_back(PowerField());
    form.fields.fields.push_back(TitleField());
    return form;
}

CInputs SizeFormInputs(const CSizeForm& form, const std::vector<double>& values, int32_t significance, int32_t power,
                       const std::string& title)
{
    CInputList inputs;
    for (size_t i = 0; i < form.values.size() && i < values.size(); ++i)
        inputs.Number(form.values[i].name, values[i]);
    return inputs.Text("significance", ChoiceValue(SignificanceField(), significance))
        .Text("power", ChoiceValue(PowerField(), power))
        .Text("title", title)
        .Take();
}

CSampSizeDlg::CSampSizeDlg(const CSizeForm& form) : CCalcDlg(form.dialogTemplate), m_form(form)
{
    m_keepCaption = (form.flags & kKeepCaption) != 0;
    m_keepButtonTexts = (form.flags & kKeepButtonTexts) != 0;
}

bool CSampSizeDlg::OnInitDialog()
{
    CCalcDlg::OnInitDialog();
    SetValueLabels(m_form.values);
    SetSizeChoiceTexts(*this, (m_form.flags & kColonAfterChoices) != 0 ? ":" : "");
    return true;
}

void CSampSizeDlg::DoDataExchange(CDataExchange& dx)
{
    for (size_t i = 0; i < m_form.values.size(); ++i)
        ExchangeField(dx, FieldOf(m_form.fields, m_form.values[i].name), m_values[i]);
    ExchangeSizeChoices(dx, m_significance, m_power);
    ExchangeTitle(dx);
}

void CSampSizeDlg::OnOK()
{
    if (!UpdateData(true))
        return;
    if (m_values[0] == m_values[1]) {
        AfxMessageBox(GetProfileString("Messages", "02", "02"));
        if ((m_form.flags & kFocusStaysOnEqual) == 0)
            GotoDlgCtrl(m_form.values[0].id);
        return;
    }
    // A zero SD gives no study.
    if ((m_form.flags & kSdMustNotBeZero) != 0 && m_values[2] == 0) {
        AfxMessageBox(GetProfileString("Messages", "03", "03"));
        GotoDlgCtrl(m_form.values[2].id);
        return;
    }
    EndDialog(IDOK);
}
