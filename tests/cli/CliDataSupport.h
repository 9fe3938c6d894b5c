// Helpers of the tests of zentavo-cli's data output: the vocabulary argument, a file beside the
// test, a small CSV/TSV reader and the check that a result as data is what the report prints.
#pragma once

#include "CCalcBase.h"
#include "CMethodCalc.h"
#include "TestSupport.h"

#include <algorithm>
#include <cmath>
#include <fstream>
#include <gtest/gtest.h>
#include <iterator>
#include <nlohmann/json.hpp>
#include <string>
#include <vector>

inline std::string Vocab()
{
    return " --vocab '" + ShippedVocabularyPath() + "'";
}

/// A path for a scratch file of this test process.
inline std::string ScratchPath(const std::string& name)
{
    return ::testing::TempDir() + "zentavo-cli-" + std::to_string(ProcessId()) + "-" + name;
}

/// The whole content of a file ("" when it cannot be read).
inline std::string ReadWholeFile(const std::string& path)
{
    std::ifstream file(path, std::ios::binary);
    return std::string(std::istreambuf_iterator<char>(file), std::istreambuf_iterator<char>());
}

/// The rows of CSV (RFC 4180: quoted fields may hold separators, doubled quotes and line ends)
/// or of TSV (`separator` '\t', no quoting).
inline std::vector<std::vector<std::string>> ReadRows(const std::string& text, char separator)
{
    std::vector<std::vector<std::string>> rows;
    std::vector<std::string> row;
    std::string field;
    bool quoted = false;
    for (size_t i = 0; i < text.size(); ++i) {
        const char c = text[i];
        if (quoted) {
            if (c == '"' && i + 1 < text.size() && text[i + 1] == '"')
                field += text[++i];
            else if (c == '"')
                quoted = false;
            else
                field += c;
        } else if (c == '"' && separator == ',' && field.empty()) {
            quoted = true;
        } else if (c == separator) {
            row.push_back(field);
            field.clear();
        } else if (c == '\n') {
            row.push_back(field);
            rows.push_back(row);
            row.clear();
            field.clear();
        } else {
            field += c;
        }
    }
    return rows;
}

/// The number of a JSON result field, NaN for null.
inline double NumberOf(const nlohmann::json& value)
{
    return value.is_null() ? std::nan("") : value.get<double>();
}

/// Every result of a calculation as JSON stands on its report as it is printed: the estimate
/// with its decimals ("****" when undefined), and the interval where it has one.
inline void ExpectResultsPrinted(const nlohmann::json& calculation, const std::string& report)
{
    ASSERT_TRUE(calculation.contains("results")) << calculation.dump();
    for (const nlohmann::json& result : calculation["results"]) {
        const std::string key = result["key"].get<std::string>();
        const int decimals = result["decimals"].get<int>();
        std::string printed =
            result["estimate"].is_null() ? "****" : CCalcBase::Floating(result["estimate"].get<double>(), decimals);
        printed.erase(0, printed.find_first_not_of(' '));
        // The newer types print a probability below 0.000001 as "< 0.000001".
        const bool tiny = result["probability"].get<bool>() && !result["estimate"].is_null() &&
                          result["estimate"].get<double>() < 0.000001;
        const bool found =
            report.find(printed) != std::string::npos || (tiny && report.find("< 0.000001") != std::string::npos);
        EXPECT_TRUE(found) << key << " " << printed << "\n" << report;
        if (!result["level"].is_null()) {
            std::string interval = CCalcBase::CI(NumberOf(result["lower"]), NumberOf(result["upper"]), decimals);
            std::replace(interval.begin(), interval.end(), '\x07', ','); // the list separator of the C locale
            EXPECT_NE(report.find(interval), std::string::npos) << key << " " << interval << "\n" << report;
        }
    }
}
