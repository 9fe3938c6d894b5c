// Stored inputs checked against a field table: what a damaged or hand-made document may hold
// that the dialog would never take.
#include "FieldTable.h"

#include "CalcResults.h"

#include <gtest/gtest.h>
#include <limits>

namespace
{
CFieldTable Table()
{
    CFieldTable table{{TitleField(), LevelField(), CountField("n", 1024, "", 1, 1000000),
                       NumberField("mean", 1027, "17", std::nullopt, std::nullopt)},
                      {}};
    CFieldGroup rows;
    rows.name = "rows";
    rows.addId = 1032;
    rows.fields = {NumberField("percent", 1030, "", 0, 100), CountField("size", 1031, "", 1, 1000000)};
    table.groups.push_back(rows);
    CFieldGroup strata;
    strata.name = "strata";
    strata.kind = CFieldGroup::Tabs;
    strata.fields = {CountField("a", 1090, "", 0, 100000)};
    table.groups.push_back(strata);
    return table;
}

std::string Outside(const CInputs& inputs)
{
    return InputOutsideFields(Table(), inputs.data(), inputs.size());
}
} // namespace

TEST(FieldTableTest, StoredInputsOutsideTheirFieldsAreNamed)
{
    const double inf = std::numeric_limits<double>::infinity();
    EXPECT_EQ(Outside(CInputList().Text("title", "T").Number("n", 10).Number("mean", -1e300).Take()), "");
    EXPECT_EQ(Outside(CInputList().Number("n", 0).Take()), "n");
    EXPECT_EQ(Outside(CInputList().Number("n", 2147483648.0).Take()), "n");
    EXPECT_EQ(Outside(CInputList().Number("mean", inf).Take()), "mean");
    // No value stored (a grid cell outside the table in use) is not a value out of range.
    EXPECT_EQ(Outside(CInputList().Number("n", kNoValue).Take()), "");
    EXPECT_EQ(Outside(CInputList().Rows("rows", {{10, 100}, {101, 5}}).Take()), "rows[2].percent");
    EXPECT_EQ(Outside(CInputList().Rows("rows", {{10, 0}}).Take()), "rows[1].size");
    EXPECT_EQ(Outside(CInputList().Number("strata[3].a", 100001).Take()), "strata[3].a");
    EXPECT_EQ(Outside(CInputList().Number("strata[3].a", 5).Number("unknown", -5).Take()), "");
}
