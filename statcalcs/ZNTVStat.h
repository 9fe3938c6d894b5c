// Start-up of the statistical library: makes its calculation classes known to the archive
// and installs its factory in the framework's hook.
#pragma once

/// Registers every calculation class and the note for creation by name when a document is
/// read, and installs GetCalcBase as the framework's factory. Safe to call more than once.
void ZNTVStatInit();
