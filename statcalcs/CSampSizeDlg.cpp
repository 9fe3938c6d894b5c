// The input dialog of the sample-size calculations that compare two or three values.
#include "CSampSizeDlg.h"

#include "Profile.h"
#include "SampleTables.h"

CSizeForm MakeSizeForm(int templateId, const char* caption, std::vector<CValueField> values, unsigned flags)
{
    CSizeForm form{{templateId, caption, {}}, std::move(values), flags};
    std::vector<CControlTemplate>& controls = form.dialogTemplate.controls;
    const int row = AppendValueRows(controls, form.values);
    AppendSizeChoices(controls, row);
    controls.push_back(StaticCtl(kIdTitleLabel, "Title:", row + 2, 0));
    controls.push_back(EditCtl(kIdTitle, row + 2, 1).MaxChars(kMaxTitleChars));
    controls.push_back(DefButtonCtl(IDOK, "OK", row + 3, 0));
    controls.push_back(ButtonCtl(IDCANCEL, "Cancel", row + 3, 1));
    return form;
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
    ExchangeValues(dx, m_form.values, m_values);
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
