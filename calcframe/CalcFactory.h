// The hook through which the framework makes calculation objects by type code. The program,
// the command-line tool and the tests install the statistical library's factory at start with
// one explicit call (ZNTVStatInit), so the framework library does not depend on it.
#pragma once

#include <string>

class CCalcBase;

using CalcFactoryFunction = CCalcBase* (*)(const std::string& code);

void SetCalcFactory(CalcFactoryFunction factory);
/// A new calculation object for the code (owned by the caller), or null when the code is
/// unknown or no factory is installed.
CCalcBase* MakeCalcBase(const std::string& code);
