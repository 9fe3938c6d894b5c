// A calculation node of the tree: the calculation object made by the factory, the report that
// the result view showed for it (Rich Text Format bytes), and the next calculation of its folder.
#pragma once

#include "CCalcNodeBase.h"
#include "StoredText.h"

#include <cstddef>
#include <cstdint>
#include <memory>
#include <string>
#include <string_view>

class CCalcBase;
struct CFileBytes;

class CCalculation : public CCalcNodeBase
{
    DECLARE_SERIAL(CCalculation)
public:
    /// Label "Unlabelled", no calculation object, no text, no next (used when loading and pasting).
    CCalculation();
    /// Type given, label empty, no calculation object, no text, no next.
    explicit CCalculation(const CCalcType& type);
    /// Destroys the calculation object, the text and the rest of the chain (without recursion).
    ~CCalculation() override;

    void Set(const CCalcType& type, const std::string& label);
    /// Asks the factory for the calculation object of `code`; false (and nothing changed) when
    /// the code is unknown. The object gets this node's type string.
    bool SetupBase(const std::string& code);
    CCalcBase* GetData() const { return m_data.get(); }
    /// Runs the calculation object's Do; on success the report counts as not edited by hand.
    bool Do();

    /// 1 marks the current document modified; then the edited flag takes the value.
    void Editted(int value);
    int IsEditted() const { return m_edited; }

    /// Appends the calculation at the end of this chain (which owns it from then on); returns
    /// it, or null for null.
    CCalculation* Add(std::unique_ptr<CCalculation> calc);
    CCalculation* GetNext() const { return m_next.get(); }
    bool HasSub() const override { return false; }
    bool IsCalculation() const override { return true; }
    /// Removes the calculation shown by `item` from the rest of this chain (not this one).
    bool Delete(TreeItemHandle item) override;

    /// The report text: Rich Text Format bytes, no terminating zero. A report still kept as a
    /// stretch of the document's file is copied into a string of its own by this call; readers
    /// that only look use StoredText().
    const std::string& GetText() const { return m_text.String(); }
    /// The report bytes where they are kept; valid until the text is next changed.
    std::string_view StoredText() const { return m_text.View(); }
    void SetText(std::string rtf) { m_text.Assign(std::move(rtf)); }
    int32_t GetTextLength() const { return static_cast<int32_t>(m_text.Size()); }
    void ClearText() { m_text.Clear(); }

    /// Streaming the text into the result view: ResetReadPos, then StreamIn until it gives 0.
    void ResetReadPos() { m_readPos = 0; }
    /// Copies up to `count` bytes from the read position into `buffer` and advances; returns
    /// the number copied, 0 at the end of the text.
    long StreamIn(unsigned char* buffer, long count);
    /// Streaming the result view's text out: ClearText, then AppendText for each block.
    void AppendText(const unsigned char* block, size_t size);

    /// Stores or loads this calculation and the rest of its chain: per calculation the base,
    /// the calculation object, the next one (nested), then text length, edited flag and text.
    /// The chain is walked in a loop, so a long chain needs no deep stack.
    void Serialize(CArchive& ar) override;
    /// The clipboard form: as Serialize without the next calculation; a fresh archive of its own.
    void Clipboard(CArchive& ar);

private:
    friend class CCalcDocNode; // links and unlinks the calculations of a folder's chain

    /// Takes the rest of the chain off this calculation, which then ends the chain.
    std::unique_ptr<CCalculation> TakeNext() { return std::move(m_next); }

    void StoreHead(CArchive& ar) const;
    void LoadHead(CArchive& ar);
    void StoreTail(CArchive& ar) const;
    void LoadTail(CArchive& ar);

    int32_t m_readPos = 0;
    int32_t m_edited = 0;
    std::unique_ptr<CCalculation> m_next;
    std::unique_ptr<CCalcBase> m_data;
    CStoredText m_text;
};

/// While one exists, calculations loaded from `ar` keep their reports as stretches of `bytes`
/// (the very bytes, all of them, that `ar` reads) instead of copies. Mapped bytes that the
/// archive has passed are handed back to the system as it goes (they are read again from the
/// file when a report is needed), so a mapped document's size does not add to the peak memory
/// of opening it. One at a time per thread.
class CSharedReportScope
{
public:
    CSharedReportScope(const CArchive& ar, const CFileBytes& bytes);
    ~CSharedReportScope();
    CSharedReportScope(const CSharedReportScope&) = delete;
    CSharedReportScope& operator=(const CSharedReportScope&) = delete;
};
