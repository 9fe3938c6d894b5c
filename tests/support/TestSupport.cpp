// Helpers shared by the test executables.
#include "TestSupport.h"

#include <cmath>
#include <cstdio>
#include <sys/wait.h>

::testing::AssertionResult Near(double actual, double expected, double tolerance)
{
    if (std::fabs(actual - expected) <= tolerance)
        return ::testing::AssertionSuccess();
    return ::testing::AssertionFailure() << actual << " is not within " << tolerance << " of " << expected;
}

std::string TestDataPath(const std::string& name)
{
    return std::string(ZENTAVO_TEST_DATA_DIR) + "/" + name;
}

std::string ShippedVocabularyPath()
{
    return std::string(ZENTAVO_SOURCE_DIR) + "/resources/Zentavo.ini";
}

CCliRun RunCli(const std::string& arguments)
{
    CCliRun run;
    const std::string command = std::string("'") + ZENTAVO_CLI + "' " + arguments;
    FILE* pipe = popen(command.c_str(), "r");
    if (!pipe)
        return run;
    char buffer[4096];
    for (size_t n; (n = fread(buffer, 1, sizeof buffer, pipe)) > 0;)
        run.out.append(buffer, n);
    const int status = pclose(pipe);
    run.status = WIFEXITED(status) ? WEXITSTATUS(status) : -1;
    return run;
}
