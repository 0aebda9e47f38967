// How a stored value reads as text and as a number.
#include <gtest/gtest.h>

#include <iterator>
#include <limits>

#include "model/workspace.h"

namespace {

using qxhost::Value;
using qxhost::value_as_number;
using qxhost::value_as_text;

TEST(ValueForms, AsText)
{
    EXPECT_EQ(value_as_text(Value::of_text("Cooling Water")), "Cooling Water");
    EXPECT_EQ(value_as_text(Value::of_number(120000)), "120000");
    EXPECT_EQ(value_as_text(Value::of_number(99.9, "KLB/H")), "99.9\nKLB/H");
    EXPECT_EQ(value_as_text(Value::of_number(-0.0)), "-0");
    EXPECT_EQ(value_as_text(Value::of_number(std::numeric_limits<double>::infinity(), "KW")), "inf\nKW");
    EXPECT_EQ(value_as_text(Value::of_list({"first", "second"})), "first");
    EXPECT_EQ(value_as_text(Value::of_list({})), "");
}

TEST(ValueForms, AsNumber)
{
    using Read = std::pair<double, std::string>;
    EXPECT_EQ(value_as_number(Value::of_number(12.5, "KW")), (Read{12.5, "KW"}));
    EXPECT_EQ(value_as_number(Value::of_text("12.5")), (Read{12.5, ""}));
    EXPECT_EQ(value_as_number(Value::of_text("12.5\n \tKLB/H\r\n")), (Read{12.5, "KLB/H"}));
    EXPECT_EQ(value_as_number(Value::of_text("3\nM3/H\nignored")), (Read{3, "M3/H"}));
    EXPECT_EQ(value_as_number(Value::of_list({"4.5 x", " $/MMBTU "})), (Read{4.5, " $/MMBTU "}));
    EXPECT_EQ(value_as_number(Value::of_list({"7"})), (Read{7, ""}));
    EXPECT_FALSE(value_as_number(Value::of_text("Water")));
    EXPECT_FALSE(value_as_number(Value::of_text("")));
    EXPECT_FALSE(value_as_number(Value::of_list({})));
    EXPECT_FALSE(value_as_number(Value::of_list({"none", "KW"})));
}

TEST(OrderedMap, KeepsInsertionOrderAndResetGoesToTheEnd)
{
    qxhost::SlotTable slots;
    slots.set("a", Value::of_text("1"));
    slots.set("b", Value::of_text("2"));
    slots.set("c", Value::of_text("3"));
    slots.set("a", Value::of_text("overwritten"));
    ASSERT_TRUE(slots.erase("b"));
    slots.set("b", Value::of_text("again"));
    std::string order;
    for (const auto& [name, value] : slots) order += name + "=" + value.text + ";";
    EXPECT_EQ(order, "a=overwritten;c=3;b=again;");

    qxhost::SlotTable copy(slots);
    ASSERT_NE(copy.find("c"), nullptr);
    copy.erase("c");
    EXPECT_NE(slots.find("c"), nullptr);
}

// Long keys live on the heap, and the allocator reuses a freed key's memory at
// once: erasing must not hash a key whose storage is already gone.
TEST(OrderedMap, ErasesLongKeysAndKeepsTheRestFindable)
{
    qxhost::OrderedMap<int> map;
    const auto key = [](int i) { return "a slot name long enough to need the heap " + std::to_string(i); };
    for (int i = 0; i < 2000; ++i) map.set(key(i), i);
    for (int i = 0; i < 2000; i += 2) {
        ASSERT_TRUE(map.erase(key(i)));
        map.set(key(i) + " again", i);  // reuses the storage just freed
    }
    EXPECT_EQ(map.size(), 2000u);
    for (int i = 0; i < 2000; ++i) {
        EXPECT_EQ(map.contains(key(i)), i % 2 == 1) << i;
        if (i % 2 == 0) {
            EXPECT_TRUE(map.contains(key(i) + " again")) << i;
        }
    }
}

// A slot table past a dozen names is indexed by position: erasing from the
// middle must leave every later name findable at its new place.
TEST(SlotTable, ErasingFromALargeTableKeepsOrderAndLookups)
{
    qxhost::SlotTable slots;
    for (int i = 0; i < 40; ++i) slots.set("slot " + std::to_string(i), Value::of_text(std::to_string(i)));
    ASSERT_TRUE(slots.erase("slot 3"));
    ASSERT_TRUE(slots.erase("slot 20"));
    EXPECT_FALSE(slots.erase("slot 20"));
    slots.set("slot 3", Value::of_text("again"));
    EXPECT_EQ(slots.size(), 39u);
    for (int i = 0; i < 40; ++i) {
        const Value* value = slots.find("slot " + std::to_string(i));
        if (i == 20) {
            EXPECT_EQ(value, nullptr);
        } else {
            ASSERT_NE(value, nullptr) << i;
            EXPECT_EQ(value->text, i == 3 ? "again" : std::to_string(i));
        }
    }
    EXPECT_EQ(std::prev(slots.end())->first, "slot 3");
    const qxhost::SlotTable copy(slots);
    EXPECT_NE(copy.find("slot 39"), nullptr);
}

}  // namespace
