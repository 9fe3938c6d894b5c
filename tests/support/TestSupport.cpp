// Helpers shared by the test executables.
#include "TestSupport.h"

#include <cmath>

::testing::AssertionResult Near(double actual, double expected, double tolerance)
{
    if (std::fabs(actual - expected) <= tolerance)
        return ::testing::AssertionSuccess();
    return ::testing::AssertionFailure() << actual << " is not within " << tolerance << " of " << expected;
}

std::string TestDataPath(const std::string& name)
{
    return Utf8Path(std::filesystem::path(ZENTAVO_TEST_DATA_DIR) / name);
}

std::string ShippedVocabularyPath()
{
    return Utf8Path(std::filesystem::path(ZENTAVO_SOURCE_DIR) / "resources" / "Zentavo.ini");
}
