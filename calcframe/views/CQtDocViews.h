// The document's two Qt views behind the narrow interface the document talks to: the tree view
// and the result view, wired to each other and registered with the document.
#pragma once

#include "DocViews.h"

class CCalcDoc;
class CCalcEditView;
class CCalcTreeView;

class CQtDocViews : public ICalcDocViews
{
public:
    /// Registers with the document and tells each view about the document and the other view.
    /// The views are not owned and must outlive this object.
    CQtDocViews(CCalcDoc& doc, CCalcTreeView& tree, CCalcEditView& edit);
    /// Unregisters from the document and detaches the views from it.
    ~CQtDocViews() override;
    CQtDocViews(const CQtDocViews&) = delete;
    CQtDocViews& operator=(const CQtDocViews&) = delete;

    /// The tree first (it inserts and selects), then the result view (it shows the selection).
    /// The frame also calls this after a new or opened document: the initial update.
    void OnUpdate() override;
    void ResetTree() override;
    void ResetResult() override;
    void UpdateCalculation() override;
    void BeginProgramWrite() override;
    void InsertPhrase(const std::string& text, unsigned flags) override;
    void EndProgramWrite() override;
    void SelectNode(CCalcNodeBase* node) override;
    void SetRootText(const std::string& text) override;

    CCalcTreeView& Tree() const { return m_tree; }
    CCalcEditView& Edit() const { return m_edit; }

private:
    CCalcDoc& m_doc;
    CCalcTreeView& m_tree;
    CCalcEditView& m_edit;
};
