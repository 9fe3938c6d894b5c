// Makes one new calculation through the document's new-calculation command, driven by a script.
#include "CalcRunner.h"

#include "CCalcBase.h"
#include "CCalcDoc.h"
#include "CCalculation.h"
#include "CSampRanGroup.h"
#include "CSampRanGrpList.h"
#include "CSampRanList.h"
#include "CSampRanTable.h"
#include "DialogHost.h"
#include "MemoryViews.h"
#include "OsFiles.h"
#include "UIServices.h"

#include <filesystem>

namespace
{
/// The type code of a four-digit string, or nullopt.
std::optional<CCalcType> ParseTypeCode(const std::string& code)
{
    if (code.size() != 4)
        return std::nullopt;
    int digits[4];
    for (int i = 0; i < 4; ++i) {
        if (code[i] < '0' || code[i] > '9')
            return std::nullopt;
        digits[i] = code[i] - '0';
    }
    return CCalcType(digits[0], digits[1], digits[2], digits[3]);
}

/// Sets the stored seed before the dialog opens, when the request names one.
CalcPrepareHook SeedHook(const std::optional<uint32_t>& seed)
{
    if (!seed)
        return {};
    return [value = *seed](CCalcBase& data) { SetStoredSeed(&data, value); };
}

/// Installs services and a dialog host for one run and restores the previous ones after it.
class CRunScope
{
public:
    CRunScope(std::vector<CScriptAction> actions, bool echo)
        : m_previousServices(UIServices()), m_previousHost(CurrentDialogHost()), m_host(std::move(actions))
    {
        m_services.m_echoMessages = echo;
        SetUIServices(&m_services);
        SetDialogHost(&m_host);
    }
    ~CRunScope()
    {
        SetDialogHost(&m_previousHost);
        SetUIServices(&m_previousServices);
    }
    CRunScope(const CRunScope&) = delete;
    CRunScope& operator=(const CRunScope&) = delete;

    CHeadlessUIServices m_services;
    IUIServices& m_previousServices;
    IDialogHost& m_previousHost;
    CScriptedDialogHost m_host;
};
} // namespace

void SetStoredSeed(CCalcBase* data, uint32_t seed)
{
    if (auto* list = dynamic_cast<CSampRanList*>(data))
        list->m_seed = seed;
    else if (auto* group = dynamic_cast<CSampRanGroup*>(data))
        group->m_seed = seed;
    else if (auto* groupedList = dynamic_cast<CSampRanGrpList*>(data))
        groupedList->m_seed = seed;
    else if (auto* table = dynamic_cast<CSampRanTable*>(data))
        table->m_seed = seed;
}

namespace
{
/// The document's new-calculation command; a run that wants only the data and files nothing
/// prints no report on the way.
const CCalculation* AddMaybeMuted(CCalcDoc& doc, const CCalcType& type, const CCalcRunRequest& request)
{
    if (request.wantReport || !request.documentPath.empty())
        return doc.AddNewCalculation(type, SeedHook(request.seed));
    const CCalcBase::CMuteReports muted;
    return doc.AddNewCalculation(type, SeedHook(request.seed));
}
} // namespace

CCalcRunResult RunNewCalculation(const CCalcRunRequest& request, bool echoMessages)
{
    CCalcRunResult result;
    const std::optional<CCalcType> type = ParseTypeCode(request.code);
    if (!type) {
        result.error = "'" + request.code + "' is not a four-digit type code";
        return result;
    }
    CRunScope scope(request.actions, echoMessages);
    CCalcDoc doc;
    CMemoryViews views(doc);
    std::error_code ec;
    const std::filesystem::path documentPath = os::PathFromUtf8(request.documentPath); // never the ANSI code page
    const bool opened = !request.documentPath.empty() && std::filesystem::exists(documentPath, ec)
                            ? doc.OnOpenDocument(documentPath)
                            : doc.OnNewDocument();
    if (opened)
        views.OnUpdate(); // the frame's initial update: the tree is filled and the head selected
    if (!opened) {
        result.error = doc.GetLastError();
    } else if (const CCalculation* added = AddMaybeMuted(doc, *type, request)) {
        const bool filed = !request.documentPath.empty();
        if (request.wantReport || filed)
            views.UpdateCalculation();
        const CCalcBase& made = *added->GetData();
        result.className = made.GetRuntimeClass()->m_lpszClassName;
        result.title = made.GetTitle();
        result.inputs = made.Inputs();
        if (request.wantResults)
            result.results = made.Results();
        result.outcome = CCalcRunResult::Written;
        if (request.wantReport) {
            result.report = views.ShownText().ToPlainText(false);
            result.rtf = views.ShownText().ToRtf();
        }
        if (filed && !doc.OnSaveDocument(documentPath)) {
            result.outcome = CCalcRunResult::Failed;
            result.error = doc.GetLastError();
        }
    } else {
        result.outcome = CCalcRunResult::NotAdded;
    }
    const CScriptedDialogHost& host = scope.m_host;
    result.messages = scope.m_services.m_messages;
    result.actionErrors = host.m_actionErrors;
    result.refusedOpen = host.m_refusedOpen;
    result.finalFocusId = host.m_finalFocusId;
    result.caption = host.m_finalCaption;
    if (!result.actionErrors.empty() && result.outcome != CCalcRunResult::Failed) {
        result.outcome = CCalcRunResult::Failed;
        result.error = result.actionErrors.front();
    }
    return result;
}
