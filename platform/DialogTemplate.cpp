// Dialog templates: construction helpers, look-ups and the authoring check.
#include "DialogTemplate.h"

#include "Format.h"

CControlTemplate CControlTemplate::Span(int rows, int cols) const
{
    CControlTemplate copy = *this;
    copy.rowSpan = rows;
    copy.colSpan = cols;
    return copy;
}

CControlTemplate CControlTemplate::InGroup(int groupBoxId) const
{
    CControlTemplate copy = *this;
    copy.group = groupBoxId;
    return copy;
}

CControlTemplate CControlTemplate::GroupStart() const
{
    CControlTemplate copy = *this;
    copy.groupStart = true;
    return copy;
}

CControlTemplate CControlTemplate::MaxChars(int count) const
{
    CControlTemplate copy = *this;
    copy.maxChars = count;
    return copy;
}

CControlTemplate CControlTemplate::RightAlign() const
{
    CControlTemplate copy = *this;
    copy.rightAlign = true;
    return copy;
}

CControlTemplate CControlTemplate::Buddy(int editId) const
{
    CControlTemplate copy = *this;
    copy.buddy = editId;
    return copy;
}

CControlTemplate CControlTemplate::Disabled() const
{
    CControlTemplate copy = *this;
    copy.disabled = true;
    return copy;
}

bool CControlTemplate::TakesFocus() const
{
    switch (kind) {
    case Edit:
    case NumberEdit:
    case Radio:
    case Check:
    case Button:
    case DefButton:
    case List:
    case Tab:
        return true;
    default:
        return false;
    }
}

const CControlTemplate* CDialogTemplate::Find(int controlId) const
{
    for (const CControlTemplate& control : controls) {
        if (control.id == controlId)
            return &control;
    }
    return nullptr;
}

std::vector<int> CDialogTemplate::RadioGroup(int radioId) const
{
    size_t index = 0;
    while (index < controls.size() &&
           !(controls[index].id == radioId && controls[index].kind == CControlTemplate::Radio))
        ++index;
    if (index == controls.size())
        return {};
    // Back to the start of the group, then forward to its end.
    while (index > 0 && !controls[index].groupStart && controls[index - 1].kind == CControlTemplate::Radio)
        --index;
    std::vector<int> ids{controls[index].id};
    for (++index; index < controls.size(); ++index) {
        if (controls[index].kind != CControlTemplate::Radio || controls[index].groupStart)
            break;
        ids.push_back(controls[index].id);
    }
    return ids;
}

namespace
{
CControlTemplate MakeControl(int id, CControlTemplate::Kind kind, const std::string& text, int row, int col)
{
    CControlTemplate control;
    control.id = id;
    control.kind = kind;
    control.text = text;
    control.row = row;
    control.col = col;
    return control;
}

bool Overlaps(const CControlTemplate& a, const CControlTemplate& b)
{
    return a.row < b.row + b.rowSpan && b.row < a.row + a.rowSpan && a.col < b.col + b.colSpan &&
           b.col < a.col + a.colSpan;
}

std::string Describe(const CControlTemplate& control)
{
    return Format("control %d (\"%s\")", control.id, control.text.c_str());
}

// The checks that concern one control and the controls before it.
bool ValidateControl(const CDialogTemplate& dialogTemplate, size_t index, std::string& error)
{
    const CControlTemplate& control = dialogTemplate.controls[index];
    if (control.row < 0 || control.col < 0 || control.rowSpan < 1 || control.colSpan < 1) {
        error = Describe(control) + " has a negative cell or an empty span";
        return false;
    }
    for (size_t other = 0; other < index; ++other) {
        const CControlTemplate& earlier = dialogTemplate.controls[other];
        if (control.id != kStaticId && earlier.id == control.id) {
            error = Format("id %d is used twice", control.id);
            return false;
        }
        if (earlier.group == control.group && Overlaps(earlier, control)) {
            error = Describe(control) + " overlaps " + Describe(earlier);
            return false;
        }
    }
    if (control.group != 0) {
        const CControlTemplate* box = dialogTemplate.Find(control.group);
        if (!box || box->kind != CControlTemplate::GroupBox || box >= &control) {
            error = Describe(control) + Format(" sits in %d, which is no earlier group box", control.group);
            return false;
        }
    }
    if (control.kind == CControlTemplate::Radio && !control.groupStart &&
        (index == 0 || dialogTemplate.controls[index - 1].kind != CControlTemplate::Radio)) {
        error = Describe(control) + " is a radio button outside a group (the first needs GroupStart)";
        return false;
    }
    if (control.kind == CControlTemplate::UpDown) {
        const CControlTemplate* buddy = dialogTemplate.Find(control.buddy);
        if (!buddy || (buddy->kind != CControlTemplate::Edit && buddy->kind != CControlTemplate::NumberEdit)) {
            error = Describe(control) + " is an up-down control without an edit buddy";
            return false;
        }
    }
    return true;
}
} // namespace

CControlTemplate StaticCtl(int id, const std::string& text, int row, int col)
{
    return MakeControl(id, CControlTemplate::Static, text, row, col);
}

CControlTemplate EditCtl(int id, int row, int col)
{
    return MakeControl(id, CControlTemplate::Edit, "", row, col);
}

CControlTemplate NumberEditCtl(int id, int row, int col)
{
    return MakeControl(id, CControlTemplate::NumberEdit, "", row, col).RightAlign();
}

CControlTemplate RadioCtl(int id, const std::string& text, int row, int col)
{
    return MakeControl(id, CControlTemplate::Radio, text, row, col);
}

CControlTemplate CheckCtl(int id, const std::string& text, int row, int col)
{
    return MakeControl(id, CControlTemplate::Check, text, row, col);
}

CControlTemplate GroupBoxCtl(int id, const std::string& text, int row, int col)
{
    return MakeControl(id, CControlTemplate::GroupBox, text, row, col);
}

CControlTemplate ButtonCtl(int id, const std::string& text, int row, int col)
{
    return MakeControl(id, CControlTemplate::Button, text, row, col);
}

CControlTemplate DefButtonCtl(int id, const std::string& text, int row, int col)
{
    return MakeControl(id, CControlTemplate::DefButton, text, row, col);
}

CControlTemplate ListCtl(int id, int row, int col)
{
    return MakeControl(id, CControlTemplate::List, "", row, col);
}

CControlTemplate TabCtl(int id, int row, int col)
{
    return MakeControl(id, CControlTemplate::Tab, "", row, col);
}

CControlTemplate UpDownCtl(int id, int buddyEditId, int row, int col)
{
    return MakeControl(id, CControlTemplate::UpDown, "", row, col).Buddy(buddyEditId);
}

CControlTemplate ProgressCtl(int id, int row, int col)
{
    return MakeControl(id, CControlTemplate::Progress, "", row, col);
}

bool ValidateTemplate(const CDialogTemplate& dialogTemplate, std::string& error)
{
    for (size_t index = 0; index < dialogTemplate.controls.size(); ++index) {
        if (!ValidateControl(dialogTemplate, index, error))
            return false;
    }
    error.clear();
    return true;
}
