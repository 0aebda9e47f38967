// The caller's parallel lists: keys found at their first position, values
// replaced in place with the number kept beside them.
#include <gtest/gtest.h>

#include <cstdint>
#include <string>

#include "host/listkit.h"

namespace {

struct List {
    List(std::initializer_list<const char*> texts) : handle(list2_create())
    {
        for (const char* text : texts) list2_append(handle, text);
    }
    ~List() { list2_destroy(handle); }
    List(const List&) = delete;
    List& operator=(const List&) = delete;
    QX_LIST handle;
};

TEST(CallerLists, SlotValueAtTheFirstPositionOfTheKey)
{
    List keys{"Steam", "Cooling Water", "Steam"};
    List values{"1\nKLB/H", "", "3\nKLB/H"};
    std::uint64_t number = 77;
    EXPECT_STREQ(list2_get_slot_value(keys.handle, values.handle, "Steam", &number), "1\nKLB/H");
    EXPECT_EQ(number, 0u);
    // An empty entry is found: it is not "no entry".
    const char* empty = list2_get_slot_value(keys.handle, values.handle, "Cooling Water", nullptr);
    ASSERT_NE(empty, nullptr);
    EXPECT_STREQ(empty, "");
    EXPECT_EQ(list2_get_slot_value(keys.handle, values.handle, "Fuel", nullptr), nullptr);
}

TEST(CallerLists, ShortValuesListGivesNoEntry)
{
    List keys{"a", "b"};
    List values{"1"};
    EXPECT_EQ(list2_get_slot_value(keys.handle, values.handle, "b", nullptr), nullptr);
    EXPECT_EQ(list2_add_slot_value(keys.handle, values.handle, "b", "2", 0), 0);
    EXPECT_EQ(list2_get_length(values.handle), 1);
}

TEST(CallerLists, AddSlotValueReplacesTextAndKeepsNumber)
{
    List keys{"Fuel", "Total Process Utility Cost Per Period"};
    List values{"", ""};
    std::uint64_t number = 0;
    EXPECT_EQ(list2_get_number(values.handle, 1, &number), 0);
    ASSERT_EQ(list2_add_slot_value(keys.handle, values.handle, "Total Process Utility Cost Per Period", "99.9",
                                   99),
              1);
    EXPECT_STREQ(list2_get_item(values.handle, 1, &number), "99.9");
    EXPECT_EQ(number, 99u);
    ASSERT_EQ(list2_get_number(values.handle, 1, &number), 1);
    EXPECT_EQ(number, 99u);
    EXPECT_EQ(list2_get_number(values.handle, 0, &number), 0);

    const std::uint64_t wrapped = static_cast<std::uint64_t>(std::int64_t{-5});
    ASSERT_EQ(list2_add_slot_value(keys.handle, values.handle, "Fuel", "-5.5", wrapped), 1);
    EXPECT_STREQ(list2_get_slot_value(keys.handle, values.handle, "Fuel", &number), "-5.5");
    EXPECT_EQ(number, wrapped);
}

TEST(CallerLists, UnknownKeyChangesNothing)
{
    List keys{"Fuel"};
    List values{"old"};
    EXPECT_EQ(list2_add_slot_value(keys.handle, values.handle, "Steam", "new", 1), 0);
    EXPECT_STREQ(list2_get_item(values.handle, 0, nullptr), "old");
    std::uint64_t number = 0;
    EXPECT_EQ(list2_get_number(values.handle, 0, &number), 0);
}

// After a value changes, looking the value list itself up by text must see
// the new text and no longer the old one.
TEST(CallerLists, ItemLocationFollowsChangedEntries)
{
    List keys{"a", "b", "c"};
    List values{"x", "y", "x"};
    EXPECT_EQ(list2_get_item_location(values.handle, "x"), 0);
    ASSERT_EQ(list2_add_slot_value(keys.handle, values.handle, "a", "y", 0), 1);
    EXPECT_EQ(list2_get_item_location(values.handle, "x"), 2);
    EXPECT_EQ(list2_get_item_location(values.handle, "y"), 0);
    EXPECT_EQ(list2_get_item_location(values.handle, "z"), -1);
    EXPECT_EQ(list2_get_item(values.handle, 3, nullptr), nullptr);
    EXPECT_EQ(list2_get_item(values.handle, -1, nullptr), nullptr);
}

TEST(CallerLists, NullHandlesAreHarmless)
{
    std::uint64_t number = 5;
    EXPECT_EQ(list2_get_slot_value(nullptr, nullptr, "a", &number), nullptr);
    EXPECT_EQ(list2_add_slot_value(nullptr, nullptr, "a", "b", 1), 0);
    EXPECT_EQ(list2_get_item_location(nullptr, "a"), -1);
    EXPECT_EQ(list2_get_item(nullptr, 0, &number), nullptr);
    EXPECT_EQ(list2_get_length(nullptr), 0);
    EXPECT_EQ(list2_get_number(nullptr, 0, &number), 0);
    EXPECT_EQ(number, 5u);
    list2_append(nullptr, "a");
    list2_destroy(nullptr);
}

TEST(CallerLists, PopFirstTakesLinesInTurn)
{
    std::string text = "12.5\nKLB/H";
    std::string line;
    ASSERT_EQ(list_pop_first(text, line), 1);
    EXPECT_EQ(line, "12.5");
    EXPECT_EQ(text, "KLB/H");
    ASSERT_EQ(list_pop_first(text, line), 1);
    EXPECT_EQ(line, "KLB/H");
    EXPECT_EQ(text, "");
    EXPECT_EQ(list_pop_first(text, line), 0);
    EXPECT_EQ(line, "");

    text = "\n\nx";
    ASSERT_EQ(list_pop_first(text, line), 1);
    EXPECT_EQ(line, "");
    EXPECT_EQ(text, "\nx");
}

}  // namespace
