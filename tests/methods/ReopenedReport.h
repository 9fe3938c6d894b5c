// A calculation made through its dialog, stored, read back as a reopened document reads it and
// redone on its stored inputs: the inputs and the report must come back the same.
#pragma once

#include "CArchive.h"
#include "CCalcBase.h"
#include "CalcTestSupport.h"
#include "GetCalcBase.h"

#include <cmath>
#include <gtest/gtest.h>
#include <memory>
#include <string>
#include <vector>

/// Makes a calculation of `code` from dialog `actions`, stores and reloads it, redoes the
/// reloaded one with OK on the dialog as it opens, and expects the same inputs and report.
/// Returns the report.
inline std::string ExpectSameReportWhenReopened(const std::string& code, std::vector<std::string> actions)
{
    std::unique_ptr<CCalcBase> made(GetCalcBase(code));
    made->SetTypeString(code);
    actions.push_back("1022=Reopened");
    {
        CRedoScope scope(actions);
        EXPECT_TRUE(made->Do()) << code;
    }
    std::string report = PhrasesText(made->GetPhrases());

    std::vector<unsigned char> bytes;
    {
        CArchive out(bytes);
        out.WriteObject(made.get());
    }
    CArchive in(bytes.data(), bytes.size());
    std::unique_ptr<CCalcBase> reopened(ReadObjectOf<CCalcBase>(in));
    EXPECT_NE(reopened, nullptr) << code;
    if (!reopened)
        return report;
    const CInputs before = made->Inputs(), after = reopened->Inputs();
    EXPECT_EQ(after.size(), before.size()) << code;
    for (size_t i = 0; i < before.size() && i < after.size(); ++i) {
        EXPECT_EQ(after[i].name, before[i].name) << code;
        EXPECT_EQ(after[i].text, before[i].text) << code << " " << before[i].name;
        if (!std::isnan(before[i].number)) {
            EXPECT_EQ(after[i].number, before[i].number) << code << " " << before[i].name;
        }
    }
    {
        CRedoScope scope({});
        EXPECT_TRUE(reopened->Do()) << code;
    }
    EXPECT_EQ(PhrasesText(reopened->GetPhrases()), report) << code;
    return report;
}
