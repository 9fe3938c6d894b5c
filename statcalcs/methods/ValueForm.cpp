// The value-form dialog frame, its layout, and the report's percentages.
#include "ValueForm.h"

#include "CArchive.h"
#include "Format.h"
#include "Profile.h"
#include "StoredInputs.h"

#include <cmath>
#include <stdexcept>

CValueForm MakeValueForm(int templateId, const std::string& caption, std::vector<CFormValue> values)
{
    CValueForm form;
    form.dialogTemplate.id = templateId;
    form.dialogTemplate.caption = caption;
    std::vector<CControlTemplate>& controls = form.dialogTemplate.controls;
    int row = 0;
    for (CFormValue& value : values) {
        value.labelId = value.field.id + 100;
        controls.push_back(StaticCtl(value.labelId, value.field.name + value.suffix, row, 0));
        controls.push_back(EditCtl(value.field.id, row, 1).RightAlign());
        form.fields.fields.push_back(value.field);
        ++row;
    }
    AppendLevelRow(controls, row++);
    controls.push_back(StaticCtl(kIdTitleLabel, "Title:", row, 0));
    controls.push_back(EditCtl(kIdTitle, row++, 1).MaxChars(kMaxTitleChars));
    controls.push_back(DefButtonCtl(IDOK, "OK", row, 0));
    controls.push_back(ButtonCtl(IDCANCEL, "Cancel", row, 1));
    form.fields.fields.push_back(AnyLevelField());
    form.fields.fields.push_back(TitleField());
    form.values = std::move(values);
    return form;
}

CValueFormDlg::CValueFormDlg(const CValueForm& form)
    : CMethodDlg(form.dialogTemplate), m_values(form.values.size(), 0.0), m_form(form)
{}

bool CValueFormDlg::OnInitDialog()
{
    CMethodDlg::OnInitDialog();
    for (const CFormValue& value : m_form.values)
        SetTerm(value.labelId, value.field.labelKey, value.suffix);
    return true;
}

void CValueFormDlg::DoDataExchange(CDataExchange& dx)
{
    for (size_t i = 0; i < m_form.values.size() && !dx.Failed(); ++i) {
        const CField& field = m_form.values[i].field;
        if (field.kind == CFieldKind::Count) {
            // Whole numbers only; the stored double holds any count up to 2^32 exactly. A damaged
            // document's value that no count can hold (negative, too large, not a number) shows
            // as 0, which the range check then refuses, instead of an undefined conversion.
            const double stored = m_values[i];
            auto count = stored >= 0 && stored <= static_cast<double>(UINT32_MAX) ? static_cast<uint32_t>(stored) : 0U;
            ExchangeField(dx, field, count);
            m_values[i] = count;
        } else {
            ExchangeField(dx, field, m_values[i]);
        }
    }
    if (!dx.Failed())
        ExchangeLevel(dx, m_level);
    if (!dx.Failed())
        ExchangeTitle(dx);
}

void CValueFormDlg::OnOK()
{
    if (!UpdateData(true))
        return;
    const CRefusal refusal = Refusal();
    if (!refusal.messageKey.empty()) {
        AfxMessageBox(GetProfileString("Messages", refusal.messageKey, refusal.messageKey));
        GotoDlgCtrl(m_form.values[IndexOf(refusal.fieldName)].field.id);
        return;
    }
    EndDialog(IDOK);
}

size_t CValueFormDlg::IndexOf(const std::string& name) const
{
    for (size_t i = 0; i < m_form.values.size(); ++i)
        if (m_form.values[i].field.name == name)
            return i;
    throw std::logic_error("no value field '" + name + "'");
}

double ReadFiniteNumber(CArchive& ar, const char* what)
{
    double value = 0;
    ar >> value;
    if (!std::isfinite(value))
        ThrowFormatError(what);
    return value;
}

std::string PercentText(double percent)
{
    return CCalcBase::Floating(percent, 2) + (std::isfinite(percent) ? "%" : "");
}

std::string LevelValueText(double levelPercent)
{
    return Format("%11s", CMethodCalc::LevelText(levelPercent).c_str());
}
