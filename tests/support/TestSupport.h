// Helpers shared by the test executables: tolerance comparison and paths of test data.
#pragma once

#include <gtest/gtest.h>
#include <string>

/// True when |actual - expected| <= tolerance (the one tolerance helper of the tests).
::testing::AssertionResult Near(double actual, double expected, double tolerance);

/// Path of a file below tests/data.
std::string TestDataPath(const std::string& name);
/// Path of the shipped vocabulary file.
std::string ShippedVocabularyPath();

/// What the built zentavo-cli did: its exit status (-1 when it did not exit) and its stdout.
struct CCliRun
{
    int status = -1;
    std::string out;
};
/// Runs zentavo-cli with the arguments (a shell fragment, quoted by the caller).
CCliRun RunCli(const std::string& arguments);
