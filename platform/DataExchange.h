// Dialog data exchange and validation: DDX_ helpers copy members to and from controls, DDV_
// helpers check the value just exchanged. The first refused field ends the exchange.
#pragma once

#include <cstdint>
#include <string>

class CDialog;

/// One exchange pass. When saving, a refused field shows its prompt, takes the focus and marks
/// the pass failed; every later DDX_/DDV_ call of the pass then does nothing, so later fields
/// keep their members. Showing never prompts.
class CDataExchange
{
public:
    CDataExchange(CDialog& dialog, bool saveAndValidate);

    /// Records the control the next DDV_ call checks (each DDX_ helper calls it).
    void PrepareCtrl(int id) { m_idLastControl = id; }
    /// Refuses the field last prepared: shows `prompt`, focuses the field, stops the pass.
    void Fail(const std::string& prompt);
    bool Failed() const { return m_failed; }

    const bool m_bSaveAndValidate;
    CDialog& m_dialog;
    int m_idLastControl = 0;

private:
    bool m_failed = false;
};

/// Unsigned field ("%u"); refuses text that is no positive integer ("Please enter a positive
/// integer."). A value past 32 bits reads as 4294967295.
void DDX_Text(CDataExchange& dx, int id, uint32_t& value);
/// Signed field ("%d"); refuses text that is no integer ("Please enter an integer.").
void DDX_Text(CDataExchange& dx, int id, int32_t& value);
/// Real field ("%.15g"); refuses text that is no plain finite decimal ("Please enter a number.").
void DDX_Text(CDataExchange& dx, int id, double& value);
void DDX_Text(CDataExchange& dx, int id, std::string& value);

/// "Please enter an integer between MIN and MAX." (bounds "%u") when the value is outside.
void DDV_MinMaxUInt(CDataExchange& dx, uint32_t value, uint32_t minimum, uint32_t maximum);
/// "Please enter an integer between MIN and MAX." (bounds "%d") when the value is outside.
void DDV_MinMaxInt(CDataExchange& dx, int32_t value, int32_t minimum, int32_t maximum);
/// "Please enter a number between MIN and MAX." (bounds "%.15g") when the value is outside.
void DDV_MinMaxDouble(CDataExchange& dx, double value, double minimum, double maximum);
/// Saving: "Please enter no more than N characters." when the text has more than N UTF-8
/// characters. Showing: sets the field's typing limit to N.
void DDV_MaxChars(CDataExchange& dx, const std::string& value, int maxChars);

/// The index of the checked button in the radio group starting at `firstId`. Showing an index
/// outside the group checks the first button; saving always finds exactly one checked.
void DDX_Radio(CDataExchange& dx, int firstId, int& value);
void DDX_Check(CDataExchange& dx, int id, int& value);
void DDX_Check(CDataExchange& dx, int id, bool& value);
