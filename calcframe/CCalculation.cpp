// A calculation node: its calculation object, its report text and its place in a chain.
#include "CCalculation.h"

#include "CArchive.h"
#include "CCalcBase.h"
#include "CCalcDoc.h"
#include "CalcFactory.h"
#include "FileIO.h"

#include <algorithm>
#include <cstring>
#include <vector>

IMPLEMENT_SERIAL(CCalculation, CCalcNodeBase, 0)

namespace
{
/// The archive whose reports are kept in place, the bytes it reads, and how far mapped bytes
/// were handed back.
struct CSharedReports
{
    const CArchive* archive = nullptr;
    const CFileBytes* bytes = nullptr;
    size_t released = 0;
};

/// Mapped bytes are handed back in steps of this size, a little behind the archive.
constexpr size_t kReleaseStep = size_t{1} << 20;
thread_local CSharedReports t_shared;

/// Moves the archive past `size` bytes it has checked are there.
void SkipBytes(CArchive& ar, size_t size)
{
    char scratch[4096];
    while (size > 0) {
        const size_t step = std::min(size, sizeof scratch);
        ar.Read(scratch, step);
        size -= step;
    }
}
} // namespace

CSharedReportScope::CSharedReportScope(const CArchive& ar, const CFileBytes& bytes)
{
    t_shared = {&ar, &bytes, 0};
}

CSharedReportScope::~CSharedReportScope()
{
    t_shared = {};
}

CCalculation::CCalculation() = default;

CCalculation::CCalculation(const CCalcType& type)
{
    m_type = type;
    m_label.clear();
}

CCalculation::~CCalculation()
{
    // Each successor is taken off the chain before it goes, so no destructor recurses along it.
    std::unique_ptr<CCalculation> next = std::move(m_next);
    while (next)
        next = std::move(next->m_next);
}

void CCalculation::Set(const CCalcType& type, const std::string& label)
{
    m_type = type;
    m_label = label;
}

bool CCalculation::SetupBase(const std::string& code)
{
    std::unique_ptr<CCalcBase> data(MakeCalcBase(code));
    if (!data)
        return false;
    m_data = std::move(data);
    m_data->SetTypeString(m_type.GetTypeString());
    return true;
}

bool CCalculation::Do()
{
    if (!m_data || !m_data->Do())
        return false;
    m_edited = 0;
    return true;
}

void CCalculation::Editted(int value)
{
    if (value == 1) {
        if (CCalcDoc* doc = CCalcDoc::GetCurrent())
            doc->SetModifiedFlag(true);
    }
    m_edited = value;
}

CCalculation* CCalculation::Add(std::unique_ptr<CCalculation> calc)
{
    if (!calc)
        return nullptr;
    CCalculation* last = this;
    while (last->m_next)
        last = last->m_next.get();
    last->m_next = std::move(calc);
    return last->m_next.get();
}

bool CCalculation::Delete(TreeItemHandle item)
{
    if (!item)
        return false; // nodes that are not shown all have a null item: it names none of them
    for (CCalculation* calc = this; calc->m_next; calc = calc->m_next.get()) {
        if (calc->m_next->GetTreeHandle() == item) {
            const std::unique_ptr<CCalculation> gone = std::move(calc->m_next);
            calc->m_next = gone->TakeNext();
            return true;
        }
    }
    return false;
}

long CCalculation::StreamIn(unsigned char* buffer, long count)
{
    const std::string_view text = m_text.View();
    const long left = static_cast<long>(text.size()) - m_readPos;
    const long n = std::max(0L, std::min(count, left));
    if (n > 0) {
        std::memcpy(buffer, text.data() + m_readPos, static_cast<size_t>(n));
        m_readPos += static_cast<int32_t>(n);
    }
    return n;
}

void CCalculation::AppendText(const unsigned char* block, size_t size)
{
    m_text.Append(reinterpret_cast<const char*>(block), size);
}

void CCalculation::StoreHead(CArchive& ar) const
{
    // Storing leaves the node unchanged; the base's Serialize serves both directions.
    const_cast<CCalculation*>(this)->CCalcNodeBase::Serialize(ar);
    ar.WriteObject(m_data.get());
}

void CCalculation::LoadHead(CArchive& ar)
{
    CCalcNodeBase::Serialize(ar);
    m_data.reset();
    m_data.reset(static_cast<CCalcBase*>(ar.ReadObject(RUNTIME_CLASS(CCalcBase))));
    // The program never writes a calculation without its object, and everything that runs,
    // redoes or copies a calculation relies on having one.
    if (!m_data)
        throw CArchiveException("calculation without its calculation object");
}

void CCalculation::StoreTail(CArchive& ar) const
{
    const std::string_view text = m_text.View();
    ar << static_cast<int32_t>(text.size()) << m_edited;
    ar.Write(text.data(), text.size());
}

void CCalculation::LoadTail(CArchive& ar)
{
    int32_t length = 0;
    int32_t edited = 0;
    ar >> length >> edited;
    if (length < 0)
        throw CArchiveException("negative text length");
    ar.Require(static_cast<uint64_t>(length)); // before allocating anything
    const size_t size = static_cast<size_t>(length);
    if (t_shared.archive == &ar && t_shared.bytes->size >= ar.BytesLeft()) {
        // Kept where it lies in the file's bytes: no copy, no parse until it is needed.
        const CFileBytes& bytes = *t_shared.bytes;
        m_text.Refer(bytes.data, bytes.data.get() + (bytes.size - ar.BytesLeft()), size);
        SkipBytes(ar, size);
        // The archive reads forwards only: what lies a step behind it is not read again now.
        const size_t at = bytes.size - ar.BytesLeft();
        if (bytes.mapped && at >= t_shared.released + 2 * kReleaseStep) {
            ReleaseMappedPages(bytes, t_shared.released, at - kReleaseStep);
            t_shared.released = at - kReleaseStep;
        }
    } else {
        std::string text(size, '\0');
        ar.Read(text.data(), text.size());
        m_text.Assign(std::move(text));
    }
    m_edited = edited != 0 ? 1 : 0;
}

void CCalculation::Serialize(CArchive& ar)
{
    // The format nests each next calculation inside the one before it, and the texts follow
    // the innermost one: walk the chain forwards for the heads, backwards for the tails.
    std::vector<CCalculation*> chain{this};
    if (ar.IsStoring()) {
        StoreHead(ar);
        for (CCalculation* calc = this;; calc = calc->m_next.get()) {
            ar.WriteObjectHeader(calc->m_next.get());
            if (!calc->m_next)
                break;
            calc->m_next->StoreHead(ar);
            chain.push_back(calc->m_next.get());
        }
        for (size_t i = chain.size(); i-- > 0;)
            chain[i]->StoreTail(ar);
        return;
    }
    LoadHead(ar);
    for (CCalculation* calc = this;;) {
        bool isNull = false;
        const CRuntimeClass* runtimeClass = ar.ReadObjectHeader(RUNTIME_CLASS(CCalculation), isNull);
        if (isNull)
            break;
        // Linked at once: if reading fails later, this chain's owner destroys it all.
        calc->m_next.reset(static_cast<CCalculation*>(runtimeClass->CreateObject()));
        calc = calc->m_next.get();
        calc->LoadHead(ar);
        chain.push_back(calc);
    }
    for (size_t i = chain.size(); i-- > 0;)
        chain[i]->LoadTail(ar);
}

void CCalculation::Clipboard(CArchive& ar)
{
    if (ar.IsStoring()) {
        StoreHead(ar);
        StoreTail(ar);
    } else {
        LoadHead(ar);
        LoadTail(ar);
    }
}
