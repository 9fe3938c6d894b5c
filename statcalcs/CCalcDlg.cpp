// The frame every calculation's input dialog follows.
#include "CCalcDlg.h"

#include "Profile.h"
#include "Terms.h"
#include "Vocabulary.h"

#include <stdexcept>

bool CCalcDlg::OnInitDialog()
{
    CDialog::OnInitDialog();
    const CDialogTemplate& dialogTemplate = GetTemplate();
    if (dialogTemplate.Find(kIdTitleLabel))
        SetTerm(kIdTitleLabel, kTermTitle);
    if (dialogTemplate.Find(kIdLevelBox))
        SetTerm(kIdLevelBox, kTermConfidenceLevel, m_levelBoxSuffix);
    if (!m_keepButtonTexts) {
        SetDlgItemText(IDOK, GetProfileString("Terms", "82", "OK"));
        SetDlgItemText(IDCANCEL, GetProfileString("Terms", "83", "Cancel"));
    }
    if (dialogTemplate.Find(kIdAdd))
        SetDlgItemText(kIdAdd, GetProfileString("Terms", "84", "Add"));
    if (dialogTemplate.Find(kIdRemove))
        SetDlgItemText(kIdRemove, GetProfileString("Terms", "85", "Remove"));
    // A dialog that keeps its own caption still reads it from the vocabulary ([Captions], by
    // type code), so that it can be translated; the template's text is the default.
    SetWindowText(m_keepCaption ? GetProfileString("Captions", m_typeString, dialogTemplate.caption)
                                : TypeTitle(m_typeString));
    return true;
}

void CCalcDlg::SetTerm(int id, const std::string& key, const std::string& suffix)
{
    SetDlgItemText(id, TermText(key) + suffix);
}

void CCalcDlg::ExchangeTitle(CDataExchange& dx, int id)
{
    DDX_Text(dx, id, m_title);
    DDV_MaxChars(dx, m_title, kMaxTitleChars);
}

void CCalcDlg::ExchangeField(CDataExchange& dx, const CField& field, uint32_t& value)
{
    DDX_Text(dx, field.id, value);
    if (field.minimum && field.maximum)
        DDV_MinMaxUInt(dx, value, static_cast<uint32_t>(*field.minimum), static_cast<uint32_t>(*field.maximum));
}

void CCalcDlg::ExchangeField(CDataExchange& dx, const CField& field, int32_t& value)
{
    DDX_Text(dx, field.id, value);
    if (field.minimum && field.maximum)
        DDV_MinMaxInt(dx, value, static_cast<int32_t>(*field.minimum), static_cast<int32_t>(*field.maximum));
}

void CCalcDlg::ExchangeField(CDataExchange& dx, const CField& field, double& value)
{
    DDX_Text(dx, field.id, value);
    if (field.minimum && field.maximum)
        DDV_MinMaxDouble(dx, value, *field.minimum, *field.maximum);
}

const CField& FieldOf(const CFieldTable& table, const std::string& name)
{
    if (const CField* field = table.Find(name))
        return *field;
    for (const CFieldGroup& group : table.groups)
        for (const CField& field : group.fields)
            if (field.name == name)
                return field;
    throw std::logic_error("no field '" + name + "' in the table");
}

int AppendValueRows(std::vector<CControlTemplate>& controls, const std::vector<CValueField>& fields)
{
    int row = 0;
    for (const CValueField& field : fields) {
        controls.push_back(StaticCtl(field.labelId, field.label, row, 0));
        controls.push_back(EditCtl(field.id, row, 1).RightAlign());
        ++row;
    }
    return row;
}

void CCalcDlg::SetValueLabels(const std::vector<CValueField>& fields)
{
    for (const CValueField& field : fields)
        SetTerm(field.labelId, field.key, field.suffix);
}

void CCalcDlg::ExchangeValues(CDataExchange& dx, const std::vector<CValueField>& fields, double* values)
{
    for (size_t i = 0; i < fields.size(); ++i) {
        DDX_Text(dx, fields[i].id, values[i]);
        if (fields[i].maximum)
            DDV_MinMaxDouble(dx, values[i], 0, *fields[i].maximum);
    }
}
