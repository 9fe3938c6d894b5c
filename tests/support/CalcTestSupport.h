// Shared fixture of the calculation tests: C locale, the shipped vocabulary, both libraries
// started, vocabulary fallbacks recorded, and new calculations run through a script of actions.
#pragma once

#include "CalcRunner.h"

#include <gtest/gtest.h>
#include <string>
#include <vector>

/// Fixture for tests that make calculations end to end as the program does.
class CCalcTest : public ::testing::Test
{
protected:
    void SetUp() override;
    void TearDown() override;

    /// Makes a new calculation of type `code` with its dialog driven by command-line style
    /// actions ("1022=My title", "+1021", "@2"); an action that does not parse fails the test.
    CCalcRunResult Run(const std::string& code, std::vector<std::string> actions);

    /// Vocabulary lookups that fell back to their default since SetUp, as "Section/key".
    std::vector<std::string> m_fallbacks;
};

/// The line of `report` written by InsertResult for `label` (the text before " : ", blanks
/// trimmed, equals it), without its line feed; empty when there is none.
std::string ReportLine(const std::string& report, const std::string& label);
