// Shared fixture and helpers of the calculation tests: runs, refusal checks, report-line
// layout and the dialog hosts that record what a dialog shows.
#include "CalcTestSupport.h"

#include "CCalcBase.h"
#include "CDialog.h"
#include "CMethodCalc.h"
#include "FieldArgs.h"
#include "FieldTable.h"
#include "Format.h"
#include "FrameworkInit.h"
#include "GetCalcBase.h"
#include "HookGuards.h"
#include "Profile.h"
#include "TestSupport.h"
#include "ZNTVStat.h"

#include <algorithm>
#include <clocale>
#include <memory>
#include <sstream>

void CCalcTest::SetUp()
{
    std::setlocale(LC_ALL, "C");
    static const CProfile shipped = [] {
        CProfile profile;
        profile.Load(ShippedVocabularyPath());
        return profile;
    }();
    ASSERT_FALSE(shipped.Empty()) << "cannot read " << ShippedVocabularyPath();
    SetVocabularyProfiles({shipped});
    ZNTVCalcInit();
    ZNTVStatInit();
    m_fallbacks.clear();
    SetVocabularyFallbackObserver([this](std::string_view section, std::string_view key) {
        m_fallbacks.push_back(std::string(section) + "/" + std::string(key));
    });
}

void CCalcTest::TearDown()
{
    SetVocabularyFallbackObserver(nullptr);
}

CCalcRunResult CCalcTest::Run(const std::string& code, const std::vector<std::string>& actions)
{
    CCalcRunRequest request;
    request.code = code;
    for (const std::string& text : actions) {
        CScriptAction action;
        if (!ParseScriptAction(text, action)) {
            ADD_FAILURE() << "action does not parse: " << text;
            continue;
        }
        request.actions.push_back(action);
    }
    return RunNewCalculation(request);
}

CCalcRunResult CCalcTest::RunByNames(const std::string& code, const std::vector<std::string>& args)
{
    CCalcRunRequest request;
    request.code = code;
    std::unique_ptr<CCalcBase> calc(GetCalcBase(code));
    const CFieldTable* table = calc ? calc->Fields() : nullptr;
    if (!table) {
        ADD_FAILURE() << code << " has no field table";
        return {};
    }
    std::string error;
    if (!FieldActions(*table, args, request.actions, error))
        ADD_FAILURE() << code << ": " << error;
    return RunNewCalculation(request);
}

CCalcRunResult CCalcTest::ExpectResultsAsData(const std::string& code, const std::vector<std::string>& byIds,
                                              const std::vector<std::string>& byNames)
{
    const CCalcRunResult ids = Run(code, byIds);
    CCalcRunResult names = RunByNames(code, byNames);
    EXPECT_EQ(ids.outcome, CCalcRunResult::Written) << code << ": " << ids.error;
    EXPECT_EQ(names.outcome, CCalcRunResult::Written) << code << ": " << names.error;
    EXPECT_EQ(names.report, ids.report) << code;
    EXPECT_FALSE(names.results.empty()) << code << " has no results";

    std::unique_ptr<CCalcBase> calc(GetCalcBase(code));
    if (const CFieldTable* table = calc ? calc->Fields() : nullptr) {
        for (const CField& field : table->fields) {
            const bool named = std::any_of(names.inputs.begin(), names.inputs.end(),
                                           [&](const CInput& input) { return input.name == field.name; });
            EXPECT_TRUE(named) << code << ": field '" << field.name << "' is not among the inputs";
        }
    }
    std::vector<std::string> lines;
    for (size_t start = 0; start < names.report.size();) {
        const size_t end = std::min(names.report.find('\n', start), names.report.size());
        lines.push_back(names.report.substr(start, end - start));
        start = end + 1;
    }
    for (const CResult& result : names.results) {
        const std::string label = CCalcBase::ResultLabel(result);
        const std::string value = CCalcBase::Floating(result.estimate, result.decimals);
        // The newer types print a probability below 0.000001 as "< 0.000001".
        const std::string tiny =
            result.probability && result.estimate < 0.000001 ? CMethodCalc::PValueText(result.estimate) : value;
        // The interval's list separator shows as the C locale's ",".
        std::string interval =
            result.HasInterval() ? CCalcBase::CI(result.lower, result.upper, result.decimals) : std::string();
        std::replace(interval.begin(), interval.end(), '\a', ',');
        const bool shown = std::any_of(lines.begin(), lines.end(), [&](const std::string& line) {
            const size_t first = line.find_first_not_of(" \t");
            return first != std::string::npos && line.compare(first, label.size(), label) == 0 &&
                   (line.find(value) != std::string::npos || line.find(tiny) != std::string::npos) &&
                   (interval.empty() || line.find(interval) != std::string::npos);
        });
        EXPECT_TRUE(shown) << code << ": result " << result.key << " (" << label << value << " " << interval
                           << ") is not on a report line";
    }
    return names;
}

std::string CCalcTest::Report(const std::string& code, std::vector<std::string> actions)
{
    actions.push_back("1022=T");
    const CCalcRunResult result = Run(code, actions);
    EXPECT_EQ(result.outcome, CCalcRunResult::Written) << code << ": " << result.error;
    EXPECT_TRUE(result.messages.empty()) << code << ": " << result.messages.front();
    EXPECT_TRUE(m_fallbacks.empty()) << code << ": " << m_fallbacks.front();
    return result.report;
}

CCalcRunResult CCalcTest::ExpectRefused(const std::string& code, const std::vector<std::string>& actions,
                                        const std::string& message, int id)
{
    CCalcRunResult result = Run(code, actions);
    const std::string last = actions.empty() ? std::string() : actions.back();
    EXPECT_EQ(result.outcome, CCalcRunResult::NotAdded) << code << " " << message;
    EXPECT_TRUE(result.refusedOpen) << code << " " << message;
    EXPECT_EQ(result.messages, std::vector<std::string>{message}) << code << " " << last;
    EXPECT_EQ(result.finalFocusId, id) << code << " " << last;
    return result;
}

void CCalcTest::ExpectRefusedWithoutReport(const std::string& code, const std::vector<std::string>& actions,
                                           const std::string& message, int id)
{
    EXPECT_TRUE(ExpectRefused(code, actions, message, id).report.empty()) << code;
}

std::string ReportLine(const std::string& report, const std::string& label)
{
    std::istringstream lines(report);
    std::string line;
    while (std::getline(lines, line)) {
        const size_t colon = line.find(" : ");
        if (colon == std::string::npos)
            continue;
        const size_t end = line.find_last_not_of(' ', colon);
        if (end != std::string::npos && line.compare(0, end + 1, label) == 0 && end + 1 == label.size())
            return line;
    }
    return {};
}

std::string ResultLine(const std::string& label, const std::string& value, const std::string& extra)
{
    return PadToWidth(label, 35, true) + " : " + PadToWidth(value, 15, true) + " " + extra;
}

std::string PhrasesText(const std::vector<CPhrase>& phrases)
{
    std::string text;
    for (const CPhrase& phrase : phrases)
        text += phrase.text;
    return text;
}

std::string VocabularyMessage(const char* key)
{
    return GetProfileString("Messages", key, key);
}

std::vector<CScriptAction> ParseActions(const std::vector<std::string>& texts)
{
    std::vector<CScriptAction> actions;
    for (const std::string& text : texts) {
        CScriptAction action;
        EXPECT_TRUE(ParseScriptAction(text, action)) << text;
        actions.push_back(action);
    }
    return actions;
}

CRedoScope::CRedoScope(const std::vector<std::string>& actions)
    : m_previousServices(UIServices()), m_previousHost(CurrentDialogHost())
{
    m_host.m_actions = ParseActions(actions);
    SetUIServices(&m_services);
    SetDialogHost(&m_host);
}

CRedoScope::~CRedoScope()
{
    SetDialogHost(&m_previousHost);
    SetUIServices(&m_previousServices);
}

int CSnapshotHost::RunModal(CDialog& dialog)
{
    if (m_checkTemplate) {
        std::string error;
        EXPECT_TRUE(ValidateTemplate(dialog.GetTemplate(), error)) << error;
    }
    dialog.BeginModal();
    m_unknownIds = dialog.GetUnknownIds();
    if (m_checkTemplate) {
        EXPECT_TRUE(m_unknownIds.empty()) << m_unknownIds.front();
    }
    m_caption = dialog.GetWindowText();
    m_template = dialog.GetTemplate();
    for (const CControlTemplate& control : m_template.controls) {
        m_texts[control.id] = dialog.GetDlgItemText(control.id);
        if (const CControlState* state = dialog.GetControlState(control.id))
            m_checked[control.id] = state->checked;
    }
    if (m_press == 0) {
        dialog.EndDialog(IDCANCEL);
        return IDCANCEL;
    }
    dialog.OnCommand(m_press);
    return dialog.GetResult();
}

int CProbeHost::RunModal(CDialog& dialog)
{
    dialog.BeginModal();
    m_body(dialog);
    if (!dialog.IsEnded())
        dialog.EndDialog(IDCANCEL);
    return dialog.GetResult();
}

bool Probe(CCalcBase& calc, std::function<void(CDialog&)> body)
{
    CProbeHost host(std::move(body));
    const CHeadlessScope scope(host);
    return calc.Do();
}

void OpenAndCancel(const std::string& code)
{
    std::unique_ptr<CCalcBase> calc(GetCalcBase(code));
    calc->SetTypeString(code);
    EXPECT_FALSE(calc->Do());
    EXPECT_TRUE(calc->GetPhrases().empty());
}
