// Helpers shared by the test executables: tolerance comparison and paths of test data.
#pragma once

#include "PortableTest.h"

#include <gtest/gtest.h>
#include <string>
#include <vector>

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
/// Runs zentavo-cli with the arguments, written as shell words ('...' and "..." quoting) with
/// the redirections <FILE, >FILE, 2>FILE and 2>&1 (/dev/null also on Windows); no shell runs
/// them, so nothing else of a shell's is understood and the test fails on it.
CCliRun RunCli(const std::string& arguments);
/// Starts zentavo-cli once per line, all at the same time, and waits until every one ended.
std::vector<CCliRun> RunCliTogether(const std::vector<std::string>& argumentLines);
