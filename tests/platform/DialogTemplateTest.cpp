// Dialog templates: radio groups and the authoring check.
#include "DialogTemplate.h"

#include "ExampleDialog.h"

#include <gtest/gtest.h>

TEST(DialogTemplate, ExampleIsValidAndFindsItsRadioGroup)
{
    const CDialogTemplate example = ExampleTemplate();
    std::string error = "stale";
    EXPECT_TRUE(ValidateTemplate(example, error)) << error;
    EXPECT_EQ(error, "");
    EXPECT_EQ(example.RadioGroup(1020), (std::vector<int>{1020, 1021}));
    EXPECT_EQ(example.RadioGroup(1021), (std::vector<int>{1020, 1021}));
    EXPECT_TRUE(example.RadioGroup(1022).empty());
    EXPECT_EQ(example.Find(1024)->kind, CControlTemplate::NumberEdit);
    EXPECT_TRUE(example.Find(1024)->rightAlign);
    EXPECT_EQ(example.Find(1234), nullptr);
}

TEST(DialogTemplate, AdjacentRadioGroupsAreSeparatedByTheirStart)
{
    const CDialogTemplate twoGroups{1,
                                    "",
                                    {RadioCtl(10, "80%", 0, 0).GroupStart(), RadioCtl(11, "90%", 0, 1),
                                     RadioCtl(12, "0.05", 1, 0).GroupStart(), RadioCtl(13, "0.01", 1, 1)}};
    std::string error;
    EXPECT_TRUE(ValidateTemplate(twoGroups, error)) << error;
    EXPECT_EQ(twoGroups.RadioGroup(11), (std::vector<int>{10, 11}));
    EXPECT_EQ(twoGroups.RadioGroup(13), (std::vector<int>{12, 13}));
}

TEST(DialogTemplate, ValidationNamesAuthoringFaults)
{
    const std::vector<CDialogTemplate> faulty{
        {1, "", {EditCtl(5, 0, 0), EditCtl(5, 0, 1)}},                       // duplicate id
        {1, "", {EditCtl(5, 0, 0), EditCtl(6, 0, 0)}},                       // same cell
        {1, "", {EditCtl(5, 0, 0).Span(2, 2), EditCtl(6, 1, 1)}},            // spans overlap
        {1, "", {EditCtl(5, 0, 0).InGroup(7), GroupBoxCtl(7, "box", 1, 0)}}, // box comes later
        {1, "", {StaticCtl(7, "box", 0, 0), EditCtl(5, 0, 0).InGroup(7)}},   // not a box
        {1, "", {EditCtl(5, 0, 0), RadioCtl(6, "a", 1, 0)}},                 // radio without start
        {1, "", {StaticCtl(5, "", 0, 0), UpDownCtl(6, 5, 0, 1)}},            // buddy not an edit
        {1, "", {EditCtl(5, -1, 0)}},                                        // negative cell
        {1, "", {EditCtl(5, 0, 0).Span(0, 1)}},                              // empty span
    };
    for (size_t i = 0; i < faulty.size(); ++i) {
        std::string error;
        EXPECT_FALSE(ValidateTemplate(faulty[i], error)) << i;
        EXPECT_FALSE(error.empty()) << i;
    }
    // Unnamed labels may share their id; controls in different containers may share cells.
    const CDialogTemplate fine{1,
                               "",
                               {StaticCtl(kStaticId, "a", 0, 0), StaticCtl(kStaticId, "b", 0, 1),
                                GroupBoxCtl(7, "box", 1, 0), EditCtl(5, 0, 0).InGroup(7)}};
    std::string error;
    EXPECT_TRUE(ValidateTemplate(fine, error)) << error;
}
