// Slot names kept in place up to 30 characters and on the heap beyond: both
// must read back whole, compare, copy and move alike.
#include <gtest/gtest.h>

#include <string>
#include <utility>
#include <vector>

#include "model/slot_name.h"

namespace {

using qxhost::SlotName;

TEST(SlotName, TextsOnBothSidesOfTheInlineLimitReadBackWhole)
{
    for (const std::size_t length : {0u, 1u, 15u, 16u, 29u, 30u, 31u, 32u, 200u}) {
        std::string text;
        for (std::size_t i = 0; i < length; ++i) text += static_cast<char>('a' + i % 26);
        const SlotName name(text);
        EXPECT_EQ(name.view(), text) << length;
        EXPECT_EQ(name.size(), length);
        EXPECT_EQ(std::string(name.c_str()), text) << "terminated at " << length;
        EXPECT_TRUE(name == text);
        EXPECT_FALSE(name == text + "x");
    }
}

TEST(SlotName, CopiesAndMovesKeepTheTextAndLeaveTheSourceEmptyOrWhole)
{
    const std::string long_text(40, 'L');
    for (const std::string& text : {std::string("short"), long_text}) {
        SlotName original(text);
        SlotName copy(original);
        EXPECT_EQ(copy.view(), text);
        EXPECT_EQ(original.view(), text);

        SlotName moved(std::move(copy));
        EXPECT_EQ(moved.view(), text);
        EXPECT_TRUE(copy.empty());  // NOLINT: a moved-from name is empty

        SlotName assigned("other, and longer than thirty characters");
        assigned = original;
        EXPECT_EQ(assigned.view(), text);
        assigned = SlotName("x");
        EXPECT_EQ(assigned.view(), "x");
        assigned = std::move(moved);
        EXPECT_EQ(assigned.view(), text);
    }
}

TEST(SlotName, AVectorOfNamesSurvivesGrowing)
{
    std::vector<SlotName> names;
    for (int i = 0; i < 100; ++i) names.emplace_back("$$UTILITYOBJECT##ITEM-" + std::string(i % 20, 'x') + std::to_string(i));
    for (int i = 0; i < 100; ++i)
        EXPECT_EQ(names[static_cast<std::size_t>(i)].view(),
                  "$$UTILITYOBJECT##ITEM-" + std::string(i % 20, 'x') + std::to_string(i));
}

}  // namespace
