// Non-default inputs for every calculation class, for the document round-trip tests.
#pragma once

class CCalcBase;

/// Gives a calculation object inputs that differ from its defaults (through its public
/// fields); false for a class it does not know. A note has no inputs and counts as known.
bool SetNonDefaultInputs(CCalcBase* data);
