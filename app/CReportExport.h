// File > Export and File > Export Selected: the reports of every calculation, or of the
// selected calculation (a selected folder gives those inside it), written as plain text, HTML,
// PDF or ODF text. The format is the file type chosen in the file dialog (or the name's
// extension); the name is asked through the UI services, so tests answer it.
#pragma once

class CCalcDoc;
class CCalcNodeBase;
class ICalcDocViews;

class CReportExport
{
public:
    CReportExport(CCalcDoc& doc, ICalcDocViews& views) : m_doc(doc), m_views(views) {}

    /// Every calculation of the document. False when cancelled or the file was not written
    /// (the reason was shown).
    bool OnExportAll();
    /// The selected node's reports; false as above, and when nothing is selected.
    bool OnExportSelected();

private:
    bool Export(CCalcNodeBase* scope, bool all);

    CCalcDoc& m_doc;
    ICalcDocViews& m_views;
};
