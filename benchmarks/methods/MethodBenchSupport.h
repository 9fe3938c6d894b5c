// What the benchmarks of the newer calculation types share: the libraries started once, and a
// whole report made through the calculation's own dialog from "name=value" arguments, as
// `zentavo-cli run CODE name=value...` makes it.
#pragma once

#include <string>
#include <vector>

/// Makes a new calculation of type `code` from field arguments and returns its report; aborts
/// the benchmark program when the dialog refuses them (a benchmark of a refusal measures nothing).
std::string MethodReport(const std::string& code, const std::vector<std::string>& args);
