// Shared fixture of the calculation tests.
#include "CalcTestSupport.h"

#include "FrameworkInit.h"
#include "Profile.h"
#include "ScriptedDialogHost.h"
#include "TestSupport.h"
#include "ZNTVStat.h"

#include <clocale>
#include <sstream>

void CCalcTest::SetUp()
{
    std::setlocale(LC_ALL, "C");
    static const CProfile shipped = [] {
        CProfile profile;
        profile.Load(ShippedVocabularyPath());
        return profile;
    }();
    ASSERT_FALSE(shipped.Empty()) << "cannot read " << ShippedVocabularyPath();
    SetVocabularyProfiles({shipped});
    ZNTVCalcInit();
    ZNTVStatInit();
    m_fallbacks.clear();
    SetVocabularyFallbackObserver([this](std::string_view section, std::string_view key) {
        m_fallbacks.push_back(std::string(section) + "/" + std::string(key));
    });
}

void CCalcTest::TearDown()
{
    SetVocabularyFallbackObserver(nullptr);
}

CCalcRunResult CCalcTest::Run(const std::string& code, std::vector<std::string> actions)
{
    CCalcRunRequest request;
    request.code = code;
    for (const std::string& text : actions) {
        CScriptAction action;
        if (!ParseScriptAction(text, action)) {
            ADD_FAILURE() << "action does not parse: " << text;
            continue;
        }
        request.actions.push_back(action);
    }
    return RunNewCalculation(request);
}

std::string ReportLine(const std::string& report, const std::string& label)
{
    std::istringstream lines(report);
    std::string line;
    while (std::getline(lines, line)) {
        const size_t colon = line.find(" : ");
        if (colon == std::string::npos)
            continue;
        const size_t end = line.find_last_not_of(' ', colon);
        if (end != std::string::npos && line.compare(0, end + 1, label) == 0 && end + 1 == label.size())
            return line;
    }
    return {};
}
