// Shared fixture and helpers of the calculation tests: C locale, the shipped vocabulary, runs
// driven by scripts of actions, report-line layout, refusal checks and dialog hosts that record.
#pragma once

#include "CalcHookGuards.h"
#include "CalcRunner.h"
#include "DialogHost.h"
#include "DialogTemplate.h"
#include "HookGuards.h"
#include "ScriptedDialogHost.h"
#include "UIServices.h"

#include <functional>
#include <gtest/gtest.h>
#include <map>
#include <string>
#include <vector>

class CCalcBase;
class CDialog;
struct CPhrase;

/// Fixture for tests that make calculations end to end as the program does.
class CCalcTest : public ::testing::Test
{
protected:
    void SetUp() override;
    void TearDown() override;

    /// Makes a new calculation of type `code` with its dialog driven by command-line style
    /// actions ("1022=My title", "+1021", "@2"); an action that does not parse fails the test.
    CCalcRunResult Run(const std::string& code, const std::vector<std::string>& actions);

    /// Runs `code` with `actions` and the title "T"; expects a written report, no message and no
    /// vocabulary fallback, and returns the report.
    std::string Report(const std::string& code, std::vector<std::string> actions);

    /// Runs `code` with `actions` and expects OK refused with `message` alone, the dialog left
    /// open and the focus on `id`; returns the run.
    CCalcRunResult ExpectRefused(const std::string& code, const std::vector<std::string>& actions,
                                 const std::string& message, int id);

    /// ExpectRefused, and also expects no report written.
    void ExpectRefusedWithoutReport(const std::string& code, const std::vector<std::string>& actions,
                                    const std::string& message, int id);

    /// Makes a new calculation of type `code` from command-line field arguments ("a=12",
    /// "level=99", "strata[2].a=5"); arguments that do not translate fail the test.
    CCalcRunResult RunByNames(const std::string& code, const std::vector<std::string>& args);

    /// The results as data agree with the dialog and the report: `byIds` (numeric actions) and
    /// `byNames` (field arguments) make the same report, every field of the table is named in
    /// the inputs, and every result's printed value (and interval) stands on the report line of
    /// its label. Both should set the title. Returns the run by names.
    CCalcRunResult ExpectResultsAsData(const std::string& code, const std::vector<std::string>& byIds,
                                       const std::vector<std::string>& byNames);

    /// Vocabulary lookups that fell back to their default since SetUp, as "Section/key".
    std::vector<std::string> m_fallbacks;
};

/// The line of `report` written by InsertResult for `label` (the text before " : ", blanks
/// trimmed, equals it), without its line feed; empty when there is none.
std::string ReportLine(const std::string& report, const std::string& label);

/// A result line as InsertResult lays it out (label, value, extra), without its line feed; the
/// list separator of the C locale shows in `extra` as '\a'.
std::string ResultLine(const std::string& label, const std::string& value, const std::string& extra = "");

/// The text of `phrases` joined without their formatting.
std::string PhrasesText(const std::vector<CPhrase>& phrases);

/// The script actions for `texts`; a text that does not parse fails the test.
std::vector<CScriptAction> ParseActions(const std::vector<std::string>& texts);

/// The message `key` of the current vocabulary (the key itself when it is missing).
std::string VocabularyMessage(const char* key);

/// Installs headless UI services and a scripted dialog host driven by `actions` for running Do
/// of an existing calculation; restores the previous ones when it goes.
class CRedoScope
{
public:
    explicit CRedoScope(const std::vector<std::string>& actions);
    ~CRedoScope();
    CRedoScope(const CRedoScope&) = delete;
    CRedoScope& operator=(const CRedoScope&) = delete;

    CHeadlessUIServices m_services;
    IUIServices& m_previousServices;
    IDialogHost& m_previousHost;
    CScriptedDialogHost m_host;
};

/// A host that opens a dialog, notes its caption, template, control texts and check states,
/// and then closes it: with a command for `m_press`, or ended as cancelled when that is 0.
class CSnapshotHost : public IDialogHost
{
public:
    int RunModal(CDialog& dialog) override;

    /// Also expects a valid template and no unknown control ids.
    bool m_checkTemplate = false;
    int m_press = 0;
    std::string m_caption;
    CDialogTemplate m_template;
    std::map<int, std::string> m_texts;
    std::map<int, bool> m_checked;
    std::vector<int> m_unknownIds;
};

/// A host that opens a dialog, lets `body` act on it as the user would, then cancels it
/// (unless the body ended it).
class CProbeHost : public IDialogHost
{
public:
    explicit CProbeHost(std::function<void(CDialog&)> body) : m_body(std::move(body)) {}
    int RunModal(CDialog& dialog) override;

private:
    std::function<void(CDialog&)> m_body;
};

/// Makes a new calculation of type `code` and runs Do in the current dialog host, which is
/// expected to cancel: Do reports no change and writes nothing.
void OpenAndCancel(const std::string& code);

/// Runs Do of `calc` in a CProbeHost with headless UI services; both are restored after.
bool Probe(CCalcBase& calc, std::function<void(CDialog&)> body);
