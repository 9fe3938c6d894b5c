// A calculation made through its dialog, stored as a document stores it, read back and redone
// with OK on the dialog as it opens: the inputs and the report must come back unchanged.
#pragma once

#include "CArchive.h"
#include "CCalcBase.h"
#include "CalcTestSupport.h"
#include "GetCalcBase.h"

#include <gtest/gtest.h>
#include <memory>
#include <string>
#include <vector>

/// Returns the report made from `actions` (numeric control actions; the title is set to "T").
inline std::string ExpectSameReportAfterReopen(const std::string& code, std::vector<std::string> actions)
{
    std::unique_ptr<CCalcBase> calc(GetCalcBase(code));
    if (!calc) {
        ADD_FAILURE() << "no class for " << code;
        return {};
    }
    calc->SetTypeString(code);
    actions.push_back("1022=T");
    {
        CRedoScope scope(actions);
        EXPECT_TRUE(calc->Do()) << code;
    }
    const std::string report = PhrasesText(calc->GetPhrases());

    std::vector<unsigned char> bytes;
    {
        CArchive out(bytes);
        out.WriteObject(calc.get());
    }
    CArchive in(bytes.data(), bytes.size());
    std::unique_ptr<CCalcBase> loaded(ReadObjectOf<CCalcBase>(in));
    if (!loaded) {
        ADD_FAILURE() << code << " did not load";
        return report;
    }
    const CInputs before = calc->Inputs();
    const CInputs after = loaded->Inputs();
    EXPECT_EQ(after.size(), before.size()) << code;
    for (size_t i = 0; i < before.size() && i < after.size(); ++i) {
        EXPECT_EQ(after[i].name, before[i].name) << code;
        EXPECT_EQ(after[i].number, before[i].number) << code << " " << before[i].name;
        EXPECT_EQ(after[i].text, before[i].text) << code << " " << before[i].name;
    }
    {
        CRedoScope scope({});
        EXPECT_TRUE(loaded->Do()) << code;
    }
    EXPECT_EQ(PhrasesText(loaded->GetPhrases()), report) << code;
    return report;
}
