// The shared set-up, scope, limits and failure report of the fuzz harnesses.
#include "FuzzSupport.h"

#include "CArchive.h"
#include "CCalcType.h"
#include "CCalculation.h"
#include "CSampRanGroup.h"
#include "CSampRanGrpList.h"
#include "CSampRanList.h"
#include "CSampRanTable.h"
#include "DialogHost.h"
#include "FrameworkInit.h"
#include "NumberParse.h"
#include "Profile.h"
#include "RandomDraw.h"
#include "ZNTVStat.h"

#include <clocale>
#include <cstdio>
#include <cstdlib>

void InitFuzzEnvironment()
{
    static const bool done = [] {
        std::setlocale(LC_ALL, "C");
        CProfile shipped;
        if (!shipped.Load(ZENTAVO_VOCABULARY_FILE)) {
            std::fprintf(stderr, "cannot read the vocabulary %s\n", ZENTAVO_VOCABULARY_FILE);
            std::abort();
        }
        SetVocabularyProfiles({shipped});
        ZNTVCalcInit();
        ZNTVStatInit();
        return true;
    }();
    (void)done;
}

void FuzzFail(const char* harness, const std::string& what)
{
    std::fprintf(stderr, "%s: %s\n", harness, what.c_str());
    std::abort();
}

std::unique_ptr<CCalculation> LoadPayload(const uint8_t* data, size_t size)
{
    auto calc = std::make_unique<CCalculation>();
    try {
        CArchive ar(data, size);
        calc->Clipboard(ar);
    } catch (const std::exception&) {
        return nullptr;
    }
    return calc;
}

CFuzzScope::CFuzzScope(std::vector<CScriptAction> actions)
    : m_host(std::move(actions)), m_previousServices(UIServices()), m_previousHost(CurrentDialogHost()),
      m_previousTarget(CurrentReportTarget())
{
    SetUIServices(&m_services);
    SetDialogHost(&m_host);
    SetCurrentReportTarget(this);
}

CFuzzScope::~CFuzzScope()
{
    SetCurrentReportTarget(m_previousTarget);
    SetDialogHost(&m_previousHost);
    SetUIServices(&m_previousServices);
}

bool TooMuchWork(const CCalcBase& data)
{
    if (const auto* list = dynamic_cast<const CSampRanList*>(&data))
        return list->m_number > kFuzzMaxDraws;
    if (const auto* group = dynamic_cast<const CSampRanGroup*>(&data))
        return group->m_number > kFuzzMaxDraws || group->m_groups > kFuzzMaxDraws;
    if (const auto* grouped = dynamic_cast<const CSampRanGrpList*>(&data))
        return grouped->m_number > kFuzzMaxDraws ||
               static_cast<uint64_t>(grouped->m_groups) * grouped->m_number > kFuzzMaxDraws;
    if (const auto* table = dynamic_cast<const CSampRanTable*>(&data))
        return table->m_number > kFuzzMaxDraws || table->m_digits > 16 ||
               static_cast<uint64_t>(table->m_number) * table->m_digits > kFuzzMaxDraws;
    return false;
}

void PinSeed(CCalcBase& data)
{
    if (auto* list = dynamic_cast<CSampRanList*>(&data); list && list->m_seed == 0)
        list->m_seed = 1;
    else if (auto* group = dynamic_cast<CSampRanGroup*>(&data); group && group->m_seed == 0)
        group->m_seed = 1;
    else if (auto* grouped = dynamic_cast<CSampRanGrpList*>(&data); grouped && grouped->m_seed == 0)
        grouped->m_seed = 1;
    else if (auto* table = dynamic_cast<CSampRanTable*>(&data); table && table->m_seed == 0)
        table->m_seed = 1;
}

bool ScriptAsksTooMuch(const std::string& code, const std::vector<CScriptAction>& actions)
{
    if (code.size() != 4 || code.compare(0, 2, "43") != 0)
        return false;
    for (const CScriptAction& action : actions) {
        if (action.kind != CScriptAction::SetText || action.id < kIdRanNumber || action.id > kIdRanDigits)
            continue;
        uint32_t value = 0;
        if (ParseUnsignedField(action.text, value) && value > kFuzzMaxDraws)
            return true;
    }
    return false;
}

std::vector<std::string> SplitLines(std::string_view bytes, size_t maxLines)
{
    std::vector<std::string> lines;
    while (!bytes.empty() && lines.size() < maxLines) {
        const size_t end = bytes.find('\n');
        std::string_view line = bytes.substr(0, end);
        if (!line.empty() && line.back() == '\r')
            line.remove_suffix(1);
        lines.emplace_back(line);
        if (end == std::string_view::npos)
            break;
        bytes.remove_prefix(end + 1);
    }
    return lines;
}
