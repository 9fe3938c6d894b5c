// The reports an export writes: each calculation's tree label and its stored rich text.
#pragma once

#include "RichText.h"

#include <string>
#include <vector>

class CCalcNodeBase;

struct CExportedReport
{
    std::string heading; // the calculation's label in the tree
    CRichText text;
};

/// The report of a calculation, or of every calculation in a folder and its sub-folders in tree
/// order; nothing for a null node.
std::vector<CExportedReport> CollectReports(CCalcNodeBase* node);
/// The reports as plain text, each followed by the export separator: the bytes the plain-text
/// export of the document writes.
std::string ReportsToText(const std::vector<CExportedReport>& reports);
