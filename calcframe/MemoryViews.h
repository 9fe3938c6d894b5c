// In-memory views of a document for the tests and the command-line tool: a tree that gives
// each node an item handle and selects as the tree view does, and a result view holding the
// shown report as rich text, stored into and loaded from its calculation as RTF.
#pragma once

#include "DocViews.h"
#include "RichText.h"

#include <string>

class CCalcDoc;
class CCalculation;

class CMemoryViews : public ICalcDocViews
{
public:
    /// Registers with the document as its views; unregisters on destruction.
    explicit CMemoryViews(CCalcDoc& doc);
    ~CMemoryViews() override;
    CMemoryViews(const CMemoryViews&) = delete;
    CMemoryViews& operator=(const CMemoryViews&) = delete;

    void OnUpdate() override;
    void ResetTree() override;
    void ResetResult() override;
    void UpdateCalculation() override;
    void BeginProgramWrite() override { m_tracking = false; }
    void InsertPhrase(const std::string& text, unsigned flags) override;
    void EndProgramWrite() override { m_tracking = true; }
    void SelectNode(CCalcNodeBase* node) override;
    void SetRootText(const std::string& text) override { m_rootText = text; }

    /// A change by hand to the shown report: the first one after loading marks the calculation
    /// edited and the document modified.
    void TypeText(const std::string& text);

    const CRichText& ShownText() const { return m_text; }
    CCalculation* ShownCalculation() const { return m_shown; }
    const std::string& RootText() const { return m_rootText; }

private:
    void UpdateTree();
    void UpdateResult();
    void Store();
    void Load(CCalculation* calc);

    CCalcDoc& m_doc;
    CCalculation* m_shown = nullptr;
    CRichText m_text;
    bool m_tracking = false;
    std::string m_rootText;
};
