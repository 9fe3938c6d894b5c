// Start-up of the calculation framework: makes its serializable classes known to the archive,
// so that documents and clipboard payloads naming them can be read.
#pragma once

/// Registers CCalcDocNode, CCalculation and CCalcBase for creation by name. Safe to call more
/// than once; the program, the command-line tool and the tests call it at start.
void ZNTVCalcInit();
