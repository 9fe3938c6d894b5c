// What the fuzz harnesses share: the framework set up once as the program sets it up, a scope
// of fresh headless services and a scripted dialog host per input, a report collector, the
// limits that keep one input cheap, and the abort that libFuzzer records as a finding.
#pragma once

#include "ReportTarget.h"
#include "RichText.h"
#include "ScriptedDialogHost.h"
#include "UIServices.h"

#include <cstddef>
#include <cstdint>
#include <memory>
#include <string>
#include <string_view>
#include <vector>

class CCalcBase;
class CCalcType;
class IDialogHost;

/// Registers the classes, installs the statistical factory and the shipped vocabulary and pins
/// the C locale; the first call does the work.
void InitFuzzEnvironment();

/// Reports a broken property of the code under test and aborts (libFuzzer saves the input).
[[noreturn]] void FuzzFail(const char* harness, const std::string& what);

class CCalculation;

/// A calculation read from clipboard-payload bytes as Paste reads them; null when the reader
/// refuses them whole.
std::unique_ptr<CCalculation> LoadPayload(const uint8_t* data, size_t size);

/// Fresh headless UI services and a scripted dialog host (OK after `actions`) for one input;
/// the previous ones come back when it goes. Phrases sent by Output land in m_report.
class CFuzzScope : public IReportTarget
{
public:
    explicit CFuzzScope(std::vector<CScriptAction> actions = {});
    ~CFuzzScope() override;
    CFuzzScope(const CFuzzScope&) = delete;
    CFuzzScope& operator=(const CFuzzScope&) = delete;

    void BeginProgramWrite() override {}
    void InsertPhrase(const std::string& text, unsigned flags) override { m_report.Append(text, flags); }
    void EndProgramWrite() override {}

    CHeadlessUIServices m_services;
    CScriptedDialogHost m_host;
    CRichText m_report;

private:
    IUIServices& m_previousServices;
    IDialogHost& m_previousHost;
    IReportTarget* m_previousTarget;
};

/// Most random numbers (or digits) a harness lets one calculation draw. The program allows far
/// more; every count up to this one runs the same code, at a cost a fuzzer can afford.
constexpr uint64_t kFuzzMaxDraws = 2000;

/// Inputs of a random-number calculation that draw more than kFuzzMaxDraws: legitimate work,
/// but too slow for one fuzz input.
bool TooMuchWork(const CCalcBase& data);

/// Gives a random-number calculation whose stored seed is 0 the seed 1: a seed of 0 would be
/// drawn from the clock, and a finding must repeat.
void PinSeed(CCalcBase& data);

/// True when the script sets a count of a random-number dialog (number, groups, digits) to more
/// than kFuzzMaxDraws; the dialog would accept up to its own far larger limit.
bool ScriptAsksTooMuch(const std::string& code, const std::vector<CScriptAction>& actions);

/// The bytes as lines (split at '\n', a trailing '\r' removed), at most `maxLines`.
std::vector<std::string> SplitLines(std::string_view bytes, size_t maxLines);
