// The narrow interface between the document and its two views (the tree and the result view).
// The Qt views implement it in the program; CMemoryViews implements it in memory for the tests
// and the command-line tool. The document never includes a toolkit header.
#pragma once

#include <string>

class CCalcNodeBase;

class ICalcDocViews
{
public:
    virtual ~ICalcDocViews() = default;

    /// Both views refresh from the document: the tree inserts the nodes that are not on it yet
    /// (selecting a new calculation, or the head after a full fill), and the result view stores
    /// the report it shows into its calculation and shows the document's selected node.
    virtual void OnUpdate() = 0;
    /// The tree forgets every item and clears every node's item handle (New, Open).
    virtual void ResetTree() = 0;
    /// The result view forgets the calculation it shows, without storing its text.
    virtual void ResetResult() = 0;
    /// The result view stores the report it shows into the calculation it shows, if any.
    virtual void UpdateCalculation() = 0;

    /// Program writes into the shown report: not edits by the user, no undo records.
    virtual void BeginProgramWrite() = 0;
    /// Appends a phrase (flags 1 bold, 2 italic, 4 underline) at the end of the shown report.
    virtual void InsertPhrase(const std::string& text, unsigned flags) = 0;
    virtual void EndProgramWrite() = 0;

    /// Selects the node's tree item (when it has one); the document's selection follows.
    virtual void SelectNode(CCalcNodeBase* node) = 0;
    /// Sets the text of the head's tree item (after a save: the file's title).
    virtual void SetRootText(const std::string& text) = 0;
};
