// Makes one new calculation the way the program's new-calculation command does, with its input
// dialog driven by a script of user actions: the engine of `zentavo-cli run` and of the tests.
#pragma once

#include "CalcResults.h"
#include "ScriptedDialogHost.h"

#include <cstdint>
#include <optional>
#include <string>
#include <vector>

struct CCalcRunRequest
{
    std::string code;                   // four-digit type code ("9999" for a note)
    std::vector<CScriptAction> actions; // applied to the dialog after it opened, then OK
    std::optional<uint32_t> seed;       // stored seed of a random-number calculation
    std::string documentPath;           // also file the calculation into this document and save it
    bool wantReport = true;             // false: only the results as data are wanted, so the
                                        // report's text and rich text are not made (unless filed
                                        // into a document, which stores them)
    bool wantResults = true;            // false: only the report is wanted, so the results are
                                        // not computed a second time after the report
};

struct CCalcRunResult
{
    enum Outcome
    {
        Written,  // the report was written
        NotAdded, // OK refused with the dialog left open, cancelled, or not made
        Failed,   // a usage error, an unreadable document, or a failed save
    };
    Outcome outcome = Failed;
    std::string report;                    // plain text, "\n" line ends
    std::string rtf;                       // the rich text the result view stores
    std::vector<std::string> messages;     // message boxes and validation prompts, in order
    std::vector<std::string> actionErrors; // script actions that could not be applied
    bool refusedOpen = false;              // OK was refused and the dialog stayed open
    int finalFocusId = 0;                  // the control with the focus when the dialog ended
    std::string caption;                   // the caption of the dialog
    std::string error;                     // the reason of a failure
    // The calculation made (when Written): its class, title, inputs and results as data.
    std::string className;
    std::string title;
    CInputs inputs;
    CResults results;
};

/// Runs the request with its own headless services and scripted dialog host (restoring the ones
/// in force afterwards). When `echoMessages` is set, each message is also written to stderr as
/// "message: TEXT".
CCalcRunResult RunNewCalculation(const CCalcRunRequest& request, bool echoMessages = false);

/// Sets the stored seed of a random-number calculation; other calculations have none.
void SetStoredSeed(class CCalcBase* data, uint32_t seed);
