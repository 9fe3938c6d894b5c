// Toolkit-free dialog templates: every control of a dialog with its id, kind, resource text and
// its place in a grid, from which the scripted host builds its model and the Qt host real widgets.
#pragma once

#include <string>
#include <vector>

/// Id of a label nobody addresses (several controls may share it).
constexpr int kStaticId = -1;

/// One control of a template. Layout: `row`/`col` (with spans) are cells of the grid of the
/// control's container, which is the group box `group` (its own grid, rows and columns counted
/// from 0 inside the box) or the dialog itself when `group` is 0. Tab order is template order.
struct CControlTemplate
{
    enum Kind
    {
        Static,
        Edit,
        NumberEdit, // an edit that filters typed keys to digits
        Radio,
        Check,
        GroupBox,
        Button,
        DefButton, // the button Enter presses
        List,      // list control in report style
        Tab,       // tab control (a row of tabs; the controls it switches sit beside it)
        UpDown,    // arrows bound to the edit `buddy`
        Progress,
    };

    int id = kStaticId;
    Kind kind = Static;
    std::string text; // resource text: the default until the dialog sets the vocabulary's
    int row = 0;
    int col = 0;
    int rowSpan = 1;
    int colSpan = 1;
    int group = 0;           // id of the group box holding the control, 0 for none
    bool groupStart = false; // first radio button of a radio group
    int maxChars = 0;        // typing limit of an edit in characters, 0 = none
    bool rightAlign = false; // right-aligned text (number fields)
    int buddy = 0;           // the edit an up-down control steps
    bool disabled = false;   // disabled when the dialog opens

    /// Chainable modifiers, for compact templates:
    /// `EditCtl(1022, 0, 1).MaxChars(50).Span(1, 3)`.
    CControlTemplate Span(int rows, int cols) const;
    CControlTemplate InGroup(int groupBoxId) const;
    CControlTemplate GroupStart() const;
    CControlTemplate MaxChars(int count) const;
    CControlTemplate RightAlign() const;
    CControlTemplate Buddy(int editId) const;
    CControlTemplate Disabled() const;

    /// True for the kinds that take the keyboard focus (edits, buttons, lists, tabs).
    bool TakesFocus() const;
};

/// A dialog: its template id, the caption it carries, and its controls in tab order.
struct CDialogTemplate
{
    int id = 0;
    std::string caption;
    std::vector<CControlTemplate> controls;

    /// The control with this id, or nullptr (the first one for kStaticId).
    const CControlTemplate* Find(int controlId) const;
    /// Ids of the radio buttons of the group that starts at (or contains) `radioId`, in
    /// template order; empty when `radioId` is not a radio button.
    std::vector<int> RadioGroup(int radioId) const;
};

CControlTemplate StaticCtl(int id, const std::string& text, int row, int col);
CControlTemplate EditCtl(int id, int row, int col);
CControlTemplate NumberEditCtl(int id, int row, int col);
CControlTemplate RadioCtl(int id, const std::string& text, int row, int col);
CControlTemplate CheckCtl(int id, const std::string& text, int row, int col);
CControlTemplate GroupBoxCtl(int id, const std::string& text, int row, int col);
CControlTemplate ButtonCtl(int id, const std::string& text, int row, int col);
CControlTemplate DefButtonCtl(int id, const std::string& text, int row, int col);
CControlTemplate ListCtl(int id, int row, int col);
CControlTemplate TabCtl(int id, int row, int col);
CControlTemplate UpDownCtl(int id, int buddyEditId, int row, int col);
CControlTemplate ProgressCtl(int id, int row, int col);

/// Checks a template for authoring faults: duplicate ids (other than kStaticId), a group that
/// is not an earlier group box, a radio group without its start, an up-down control without an
/// edit buddy, negative cells or empty spans, two controls on one cell of the same container.
/// Returns false with the first fault described in `error`.
bool ValidateTemplate(const CDialogTemplate& dialogTemplate, std::string& error);
