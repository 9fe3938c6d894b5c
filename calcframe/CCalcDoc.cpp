// The calculation document: new, open, save, export, new calculations and report phrases.
#include "CCalcDoc.h"

#include "AtomicFile.h"
#include "CArchive.h"
#include "CCalcBase.h"
#include "CCalcDocNode.h"
#include "CCalculation.h"
#include "ControlText.h"
#include "DocViews.h"
#include "FileIO.h"
#include "LeasedFile.h"
#include "OsFiles.h"
#include "Profile.h"
#include "RichText.h"
#include "ScreenText.h"
#include "UIServices.h"

#include <cerrno>
#include <memory>
#include <optional>

namespace
{
CCalcDoc* g_current = nullptr;
enum class COpenWay
{
    Read,
    Map,
    Lease
};
COpenWay g_openWay = COpenWay::Read;

bool ReadDocumentFile(const std::filesystem::path& path, CFileBytes& bytes, std::string& error)
{
    switch (g_openWay) {
    case COpenWay::Map:
        return MapWholeFile(path, bytes, error);
    case COpenWay::Lease:
        return MapLeasedFile(path, bytes, error);
    case COpenWay::Read:
        break;
    }
    return ReadWholeFile(path, bytes, error);
}

const char kBaseProblem[] = "There was a problem with the base of the new calculation.";
const char kBaseProblemCause[] = "This was probably caused by an error in the 'Zentavo.ini' file.";
const char kAddProblem[] = "There was an unexpected problem adding the calculation";
} // namespace

CCalcDoc::CCalcDoc() = default;

CCalcDoc::~CCalcDoc()
{
    // Calculations reach the current document through these pointers: none may outlive it.
    if (g_current == this) {
        g_current = nullptr;
        if (CurrentReportTarget() == this)
            SetCurrentReportTarget(nullptr);
    }
}

CCalcDoc* CCalcDoc::GetCurrent()
{
    return g_current;
}

void CCalcDoc::MakeCurrent()
{
    if (g_current)
        return;
    g_current = this;
    SetCurrentReportTarget(this);
}

void CCalcDoc::UpdateAllViews()
{
    if (m_views)
        m_views->OnUpdate();
}

void CCalcDoc::Fail(const std::string& message)
{
    m_lastError = message;
    AfxMessageBox(message, MB_OK);
}

void CCalcDoc::ReplaceTree(std::unique_ptr<CCalcDocNode> head)
{
    m_head = std::move(head); // in place before the old tree goes
}

void CCalcDoc::PrepareHead(const std::string& label)
{
    auto head = std::make_unique<CCalcDocNode>(CCalcType());
    head->SetLabel(label);
    ReplaceTree(std::move(head));
}

bool CCalcDoc::OnNewDocument()
{
    UpdateAllViews(); // the result view stores the report it shows
    MakeCurrent();
    // Nothing may refer to the old tree once it is gone: the tree's items, the selection and
    // the result view's calculation are forgotten first.
    if (m_views)
        m_views->ResetTree();
    m_selected = nullptr;
    if (m_views)
        m_views->ResetResult();
    m_path.clear();
    m_title = ScreenText("UNTITLED", "Untitled");
    PrepareHead(m_title);
    m_modified = false;
    return true;
}

bool CCalcDoc::OnOpenDocument(const std::filesystem::path& path)
{
    MakeCurrent();
    CFileBytes bytes;
    std::string error;
    if (!ReadDocumentFile(path, bytes, error)) {
        Fail(error);
        return false;
    }
    std::unique_ptr<CCalcDocNode> head = LoadTree(bytes, error);
    EndFirstRead(bytes);
    if (!head) {
        Fail(error);
        return false;
    }
    // Only a tree read in full replaces the open one.
    if (m_views)
        m_views->ResetTree();
    m_selected = nullptr;
    if (m_views)
        m_views->ResetResult();
    ReplaceTree(std::move(head));
    m_path = path;
    m_title = FileTitle(path);
    m_head->SetLabel(m_title);
    m_modified = false;
    RememberFileStamp();
    return true;
}

void CCalcDoc::MapFilesWhenOpening(bool map)
{
    g_openWay = map ? COpenWay::Map : COpenWay::Read;
}

void CCalcDoc::LeaseFilesWhenOpening()
{
    g_openWay = COpenWay::Lease;
}

bool CCalcDoc::OnSaveDocument(const std::filesystem::path& path)
{
    if (m_views)
        m_views->UpdateCalculation();
    if (!m_head)
        PrepareHead(m_title);
    // Stored straight into the file, a piece at a time: a large document is never in memory
    // twice, once as its tree and once as its bytes.
    struct CWriteRefused
    {
        int error;
    };
    const CCalcDocNode* head = m_head.get();
    const FileContent content = [head](const FileWriter& write) {
        try {
            StoreTree(head, [&write](const unsigned char* data, size_t size) {
                if (!write(data, size))
                    throw CWriteRefused{errno};
            });
        } catch (const CWriteRefused& refused) {
            errno = refused.error;
            return false;
        }
        return true;
    };
    int failure = 0;
    try {
        failure = ReplaceFileAtomic(path, content);
    } catch (const CArchiveException&) {
        failure = EINVAL; // a string too long for the format
    }
    if (failure != 0) {
        Fail(FileErrorMessage(failure, path));
        return false;
    }
    m_path = path;
    m_title = FileTitle(path);
    m_modified = false;
    RememberFileStamp();
    if (m_views) {
        m_views->SetRootText(m_title); // the head's stored label stays as it is
        if (m_selected)
            m_views->SelectNode(m_selected);
    }
    return true;
}

void CCalcDoc::Serialize(CArchive& ar)
{
    if (ar.IsStoring()) {
        ar.WriteObject(m_head.get());
        return;
    }
    std::unique_ptr<CCalcDocNode> head(static_cast<CCalcDocNode*>(ar.ReadObject(RUNTIME_CLASS(CCalcDocNode))));
    if (!head)
        throw CArchiveException("document without a head folder");
    if (m_views)
        m_views->ResetTree();
    m_selected = nullptr;
    if (m_views)
        m_views->ResetResult();
    ReplaceTree(std::move(head));
}

std::unique_ptr<CCalcDocNode> CCalcDoc::LoadTree(const std::vector<unsigned char>& bytes, std::string& error)
{
    auto copy = std::make_shared<const std::vector<unsigned char>>(bytes);
    return LoadTree(CFileBytes{std::shared_ptr<const unsigned char>(copy, copy->data()), copy->size()}, error);
}

std::unique_ptr<CCalcDocNode> CCalcDoc::LoadTree(const CFileBytes& bytes, std::string& error)
{
    try {
        CArchive ar(bytes.data.get(), bytes.size);
        const CSharedReportScope reports(ar, bytes); // reports stay in these bytes
        std::unique_ptr<CCalcDocNode> head(static_cast<CCalcDocNode*>(ar.ReadObject(RUNTIME_CLASS(CCalcDocNode))));
        if (!head)
            throw CArchiveException("document without a head folder");
        return head; // bytes after the head are ignored
    } catch (const std::exception&) {
        // CArchiveException, or an allocation refused although every length was checked
        error = FileFormatMessage();
        return nullptr;
    }
}

namespace
{
/// How many nodes a tree has (each stores about two objects) and about how many bytes it takes.
struct CTreeSize
{
    size_t nodes = 0;
    size_t bytes = 64;
};

CTreeSize SizeOfTree(const CCalcDocNode* head)
{
    CTreeSize size;
    if (head) {
        const_cast<CCalcDocNode*>(head)->Walk([&size](CCalcNodeBase& node, int) {
            ++size.nodes;
            size.bytes += 96 + node.GetLabel().size();
            if (node.IsCalculation())
                size.bytes += static_cast<size_t>(static_cast<CCalculation&>(node).GetTextLength());
        });
    }
    return size;
}
} // namespace

std::vector<unsigned char> CCalcDoc::StoreTree(const CCalcDocNode* head)
{
    // Reports make up most of a document: room for them up front spares the copies of growth.
    const CTreeSize size = SizeOfTree(head);
    std::vector<unsigned char> bytes;
    bytes.reserve(size.bytes);
    CArchive ar(bytes);
    ar.ReserveObjects(2 * size.nodes);
    ar.WriteObject(head);
    return bytes;
}

void CCalcDoc::StoreTree(const CCalcDocNode* head, const std::function<void(const unsigned char*, size_t)>& drain)
{
    CArchive ar(drain);
    ar.WriteObject(head);
    ar.Flush();
}

CCalculation* CCalcDoc::Add(std::unique_ptr<CCalculation> calc)
{
    if (!m_head || !calc || !calc->GetType().IsValid())
        return nullptr; // an invalid code is refused with nothing changed
    // The report marks its list separators with character 7: a title must not bring its own,
    // nor a line end or a terminal control. Such characters are spelled out, in the title and
    // in the label alike; the report's heading, already composed, is mended as it is written.
    m_heading = {};
    if (CCalcBase* data = calc->GetData(); data && HasControlCharacters(data->GetTitle())) {
        const std::string escaped = EscapeControlCharacters(data->GetTitle());
        m_heading = {data->GetTitle() + "\n\n", escaped + "\n\n"};
        data->SetTitle(escaped);
    }
    if (HasControlCharacters(calc->GetLabel()))
        calc->SetLabel(EscapeControlCharacters(calc->GetLabel()));
    CCalculation* added = m_head->Add(std::move(calc));
    if (!added)
        return nullptr;
    m_modified = true;
    UpdateAllViews();
    return added;
}

CCalculation* CCalcDoc::AddNewCalculation(CCalcType type, const CalcPrepareHook& prepare)
{
    std::string code = type.GetTypeString();
    if (code == "9999") {
        // A note is filed with the selected node's type; the factory makes a note for "X...".
        type = m_selected ? m_selected->GetType() : CCalcType();
        code = "X";
    }
    auto calc = std::make_unique<CCalculation>(type);
    if (!calc->SetupBase(code)) {
        Fail(ScreenText("BASE_PROBLEM", kBaseProblem) + "\n" + ScreenText("BASE_PROBLEM_CAUSE", kBaseProblemCause));
        return nullptr;
    }
    if (prepare)
        prepare(*calc->GetData());
    if (!calc->Do())
        return nullptr; // cancelled: no trace
    calc->SetLabel(calc->GetData()->GetTitle());
    // Filed first: the views then show the new calculation, and Output writes into it.
    CCalculation* added = Add(std::move(calc));
    if (!added) {
        Fail(ScreenText("ADD_PROBLEM", kAddProblem));
        return nullptr;
    }
    added->GetData()->Output();
    return added;
}

CCalculation* CCalcDoc::OnNewCalculation(unsigned id)
{
    if (id < kFirstCalculationCommand || id > kLastCalculationCommand)
        return nullptr;
    CCalcType type;
    type.SetTypeInt(static_cast<int>(id - kFirstCalculationCommand));
    return AddNewCalculation(type);
}

CCalculation* CCalcDoc::OnNote()
{
    return AddNewCalculation(CCalcType(9, 9, 9, 9));
}

void CCalcDoc::BeginProgramWrite()
{
    if (m_views)
        m_views->BeginProgramWrite();
}

void CCalcDoc::InsertPhrase(const std::string& text, unsigned flags)
{
    if (!m_views)
        return;
    // The title line of the calculation filed last, as its report wrote it before filing.
    if (!m_heading.first.empty() && text == m_heading.first)
        m_views->InsertPhrase(m_heading.second, flags);
    else
        m_views->InsertPhrase(text, flags);
}

void CCalcDoc::EndProgramWrite()
{
    if (m_views)
        m_views->EndProgramWrite();
}

void CCalcDoc::SetSelectedNode(CCalcNodeBase* node)
{
    m_selected = node;
    UpdateAllViews();
}

void CCalcDoc::OnFileExport()
{
    CFileDialogRequest request;
    request.save = true;
    request.title = GetProfileString("Messages", "10", "10");
    request.filterName = GetProfileString("Export", "TEXT", "Text Files (*.txt)");
    request.filterPattern = "*.txt";
    request.defaultExtension = "txt";
    request.confirmOverwrite = true;
    const std::optional<std::string> name = UIServices().AskFileName(request);
    if (name)
        ExportToFile(*name);
}

bool CCalcDoc::ExportToFile(const std::filesystem::path& path)
{
    CWaitCursor wait;
    // The reports are taken from their stored rich text; the one on show is stored first.
    if (m_views)
        m_views->UpdateCalculation();
    CCalcNodeBase* remembered = m_selected;
    const std::string text = m_head ? Export(m_head.get()) : std::string();
    std::string error;
    const bool ok = WriteExportFile(path, text.data(), text.size(), m_path, error);
    if (m_views && remembered)
        m_views->SelectNode(remembered);
    if (!ok)
        Fail(error);
    return ok;
}

void CCalcDoc::RememberFileStamp()
{
    m_stamp = CFileStamp();
    const std::optional<os::FileStamp> stamp = m_path.empty() ? std::nullopt : os::StampOf(m_path);
    if (!stamp)
        return;
    m_stamp.known = true;
    m_stamp.device = stamp->device;
    m_stamp.inode = stamp->inode;
    m_stamp.size = stamp->size;
    m_stamp.seconds = stamp->seconds;
    m_stamp.nanoseconds = stamp->nanoseconds;
}

bool CCalcDoc::FileChangedOnDisk() const
{
    const std::optional<os::FileStamp> now = !m_stamp.known || m_path.empty() ? std::nullopt : os::StampOf(m_path);
    if (!now)
        return false; // never read or written here, or gone: nothing of someone else's to lose
    return now->device != m_stamp.device || now->inode != m_stamp.inode || now->size != m_stamp.size ||
           now->seconds != m_stamp.seconds || now->nanoseconds != m_stamp.nanoseconds;
}

std::string CCalcDoc::Export(CCalcDocNode* node)
{
    std::string out;
    if (!node)
        return out;
    node->Walk([&out](CCalcNodeBase& visited, int) {
        if (!visited.IsCalculation())
            return;
        const auto& calc = static_cast<const CCalculation&>(visited);
        out += RtfToPlainText(calc.StoredText());
        out += kExportSeparator;
    });
    return out;
}

std::string CCalcDoc::FileTitle(const std::filesystem::path& path)
{
    const std::string name = path.filename().string();
    const size_t dot = name.rfind('.');
    return dot == std::string::npos ? name : name.substr(0, dot);
}

std::string CCalcDoc::OpenHeadName(const std::string& path)
{
    const size_t slash = path.find_last_of("/\\");
    const std::string name = slash == std::string::npos ? path : path.substr(slash + 1);
    const size_t dot = name.rfind('.');
    return dot == std::string::npos ? std::string() : name.substr(0, dot);
}
