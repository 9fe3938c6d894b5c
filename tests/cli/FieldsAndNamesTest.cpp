// The fields of a calculation as zentavo-cli lists them, and `run` by field names: the same
// report as by control ids, and a bad name or value refused with the field's name.
#include "CliDataSupport.h"

#include <gtest/gtest.h>
#include <nlohmann/json.hpp>
#include <string>

TEST(CliFields, ListsTheFieldsInDialogOrderAsTextAndJson)
{
    const CCliRun text = RunCli("fields 3200" + Vocab());
    ASSERT_EQ(text.status, 0);
    EXPECT_EQ(text.out, "title\ttext\tup to 50 characters\t3200\tTitle\n"
                        "level\tchoice\t95, 99\t95\tConfidence level\n"
                        "a\tcount\t0 to 1000000\t0\texposed, with the outcome\n"
                        "b\tcount\t0 to 1000000\t0\texposed, without the outcome\n"
                        "c\tcount\t0 to 1000000\t0\tunexposed, with the outcome\n"
                        "d\tcount\t0 to 1000000\t0\tunexposed, without the outcome\n"
                        "exact\tflag\tyes, no\tyes\tPerform Fisher's exact test\n");

    const CCliRun json = RunCli("fields 3200 --format json" + Vocab());
    ASSERT_EQ(json.status, 0);
    const nlohmann::json fields = nlohmann::json::parse(json.out);
    EXPECT_EQ(fields["type"], "3200");
    ASSERT_EQ(fields["fields"].size(), 7u);
    EXPECT_EQ(fields["fields"][2]["name"], "a");
    EXPECT_EQ(fields["fields"][2]["kind"], "count");
    EXPECT_EQ(fields["fields"][2]["minimum"], 0.0);
    EXPECT_EQ(fields["fields"][2]["id"], 1090);
    EXPECT_EQ(fields["fields"][1]["options"], nlohmann::json::array({"95", "99"}));
    EXPECT_EQ(fields["fields"][6]["default"], "yes");
    EXPECT_TRUE(fields["groups"].empty());

    EXPECT_EQ(RunCli("fields 3200 --format csv" + Vocab() + " 2>/dev/null").status, 1);
    EXPECT_EQ(RunCli("fields" + Vocab() + " 2>/dev/null").status, 1);
}

TEST(CliRunByNames, GivesTheSameReportAsTheControlIds)
{
    const CCliRun byNames = RunCli("run 3200 a=12 b=5 c=3 d=20 exact=no level=99 title=Cohort" + Vocab());
    const CCliRun byIds = RunCli("run 3200 1090=12 1091=5 1092=3 1093=20 -1157 +1021 1022=Cohort" + Vocab());
    ASSERT_EQ(byNames.status, 0);
    EXPECT_EQ(byNames.out, byIds.out);
    EXPECT_EQ(byNames.out.find("Fisher"), std::string::npos);
    // Names and ids mix; a later value of the same field wins.
    EXPECT_EQ(RunCli("run 3200 a=1 1090=12 b=5 c=3 d=20 exact=0 +1021 --title Cohort" + Vocab()).out, byIds.out);
}

TEST(CliRunByNames, TheDefaultTitleIsTheCodeSoOutputRepeats)
{
    const CCliRun first = RunCli("run 3200 a=12 b=5 c=3 d=20" + Vocab());
    ASSERT_EQ(first.status, 0);
    EXPECT_EQ(first.out.rfind("Contingency tables - Unstratified 2x2 table\n3200\n\n", 0), 0u) << first.out;
    EXPECT_EQ(RunCli("run 3200 a=12 b=5 c=3 d=20" + Vocab()).out, first.out);
    const CCliRun titled = RunCli("run 3200 a=12 b=5 c=3 d=20 --title 'Cohort A'" + Vocab());
    EXPECT_NE(titled.out.find("\nCohort A\n\n"), std::string::npos) << titled.out;
    // title= among the arguments comes after --title and wins.
    const CCliRun both = RunCli("run 3200 a=12 b=5 c=3 d=20 --title One title=Two" + Vocab());
    EXPECT_NE(both.out.find("\nTwo\n\n"), std::string::npos) << both.out;
}

TEST(CliRunByNames, ABadNameOrValueExitsWithTwoNamingTheField)
{
    struct Case
    {
        const char* args;
        const char* message;
    };
    for (const Case& c : {
             Case{"a=12 b=5 c=3 d=abc", "zentavo-cli: d: "}, // the dialog's own prompt follows
             Case{"a=12 b=5 c=3 d=2000000", "zentavo-cli: d: "},
             Case{"a=12 b=5 c=3 d=20 exact=maybe", "zentavo-cli: exact: 'maybe' is not yes or no\n"},
             Case{"a=12 b=5 c=3 d=20 level=90", "zentavo-cli: level: '90' is not one of 95, 99\n"},
             Case{"a=12 b=5 c=3 e=20", "zentavo-cli: no field 'e'"},
             Case{"a=12 b=5 c=3 d=20 strata[1].a=4", "zentavo-cli: no field 'strata[1].a'"},
         }) {
        const CCliRun run = RunCli(std::string("run 3200 ") + c.args + Vocab() + " 2>&1");
        EXPECT_EQ(run.status, 2) << c.args;
        EXPECT_EQ(run.out.rfind(c.message, 0), 0u) << c.args << "\n" << run.out;
        EXPECT_EQ(run.out.find("Contingency"), std::string::npos) << c.args; // no report
    }
    // The prompt of a refused count is the dialog's own message, after the field's name.
    const CCliRun refused = RunCli("run 3200 a=12 b=5 c=3 d=abc" + Vocab() + " 2>&1");
    EXPECT_GT(refused.out.size(), std::string("zentavo-cli: d: \n").size()) << refused.out;
    // An argument of no form at all is a usage error.
    EXPECT_EQ(RunCli("run 3200 a=12 bogus" + Vocab() + " 2>/dev/null").status, 1);
    // The R x C grid leaves a cell it cannot read empty and says nothing: the tool says it.
    const CCliRun cell = RunCli("run 3100 r1c1=-5 r1c2=3 r2c1=4 r2c2=5" + Vocab() + " 2>&1");
    EXPECT_EQ(cell.status, 2);
    EXPECT_EQ(cell.out.rfind("zentavo-cli: r1c1: '-5' was not taken", 0), 0u) << cell.out;
    EXPECT_EQ(RunCli("run 3100 r1c1=5 r1c2=3 r2c1=4 r2c2=5" + Vocab() + " >/dev/null").status, 0);
}
