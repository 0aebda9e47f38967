// Slots of host objects: reads in every form, inheritance, writes, removal
// and injected write failures, through generic objects and databases.
#include <gtest/gtest.h>

#include <memory>

#include "objstore/fault_injection.h"
#include "host/objstore.h"
#include "host_project.h"

namespace {

using host_test::instance;

class ValueObject : public host_test::LoadedProject {};

std::vector<std::string> slot_names(CqxValueObject& object)
{
    CStrList names;
    object.GetSlots(names, 0, 0);
    std::vector<std::string> found;
    for (int i = 0; const char* name = names.GetTextAt(i); ++i) found.emplace_back(name);
    return found;
}

TEST_F(ValueObject, ReadsInEveryForm)
{
    CqxGenericObject costs(instance, "OP", "Operating Unit Costs", 0, nullptr, 0);
    ASSERT_TRUE(costs.IsValid());
    ASSERT_TRUE(costs.Exists());

    CqxSlot slot(nullptr, 0);
    ASSERT_EQ(costs.GetValue("Fuel", slot), 1);
    EXPECT_TRUE(slot.IsNumber());
    EXPECT_TRUE(slot.HasUnits());
    EXPECT_EQ(slot.Number(), 4.5);
    EXPECT_STREQ(slot.Units(), "$/MMBTU");
    EXPECT_EQ(slot.Text(), nullptr);

    std::string text;
    ASSERT_EQ(costs.GetValue("Electricity", text), 1);
    EXPECT_EQ(text, "0.07\n$/KWH");

    double number = 0;
    std::string units;
    ASSERT_EQ(costs.GetValue("Fuel", number, units), 1);
    EXPECT_EQ(number, 4.5);
    EXPECT_EQ(units, "$/MMBTU");
}

TEST_F(ValueObject, FailedReadsLeaveOutputsAlone)
{
    CqxGenericObject costs(instance, "OP", "Operating Unit Costs", 0, nullptr, 0);
    ASSERT_EQ(costs.SetValue("Note", "no number here", 0), 1);

    CqxSlot slot;
    slot.SetText("kept");
    std::string text = "kept";
    double number = 5;
    std::string units = "kept";
    EXPECT_EQ(costs.GetValue("Missing", slot), 0);
    EXPECT_EQ(costs.GetValue("Missing", text), 0);
    EXPECT_EQ(costs.GetValue("Missing", number, units), 0);
    EXPECT_EQ(costs.GetValue("Note", number, units), 0);
    EXPECT_EQ(costs.GetValueWithInheritance("Note", number, units, nullptr), 0);
    EXPECT_STREQ(slot.Text(), "kept");
    EXPECT_EQ(text, "kept");
    EXPECT_EQ(number, 5);
    EXPECT_EQ(units, "kept");
}

TEST_F(ValueObject, WritesKeepOrderAndFormOfValue)
{
    CqxGenericObject info(instance, "UTILITY", "Process Utilities Information", 0, nullptr, 0);
    ASSERT_TRUE(info.Exists());
    ASSERT_EQ(info.SetValue("Total", 99.9, "", 0), 1);
    ASSERT_EQ(info.SetValue("Rate", 12.0, "KLB/H", 0), 1);
    ASSERT_EQ(info.SetValue("Name", std::string_view("text"), 0), 1);

    CqxSlot slot;
    ASSERT_EQ(info.GetValue("Total", slot), 1);
    EXPECT_TRUE(slot.IsNumber());
    EXPECT_FALSE(slot.HasUnits());
    ASSERT_EQ(info.GetValue("Name", slot), 1);
    EXPECT_TRUE(slot.IsText());
    EXPECT_STREQ(slot.Text(), "text");

    EXPECT_EQ(info.DeleteAttribute("Total"), 1);
    EXPECT_EQ(info.DeleteAttribute("Total"), 0);
    ASSERT_EQ(info.SetValue("Total", 1.0, "", 0), 1);
    EXPECT_EQ(slot_names(info), (std::vector<std::string>{"Rate", "Name", "Total"}));
}

TEST_F(ValueObject, ListValuesCopyOut)
{
    project().databases.find("OP")->find("Operating Unit Costs")->set(
        "Choices", qxhost::Value::of_list({"12 x", "KW", "z"}));
    CqxGenericObject costs(instance, "OP", "Operating Unit Costs", 0, nullptr, 0);
    CqxSlot slot;
    ASSERT_EQ(costs.GetValue("Choices", slot), 1);
    ASSERT_TRUE(slot.IsList());
    const CStrList items = slot.List();
    EXPECT_EQ(items.GetLength(), 3);
    EXPECT_STREQ(items.GetTextAt(1), "KW");
    double number = 0;
    std::string units;
    ASSERT_EQ(costs.GetValue("Choices", number, units), 1);
    EXPECT_EQ(number, 12);
    EXPECT_EQ(units, "KW");
    slot.Clear();
    EXPECT_FALSE(slot.IsValid());
    EXPECT_EQ(slot.List().GetLength(), 0);
}

TEST_F(ValueObject, InjectedWriteFailureHitsTheNthWriteOnly)
{
    CqxGenericObject info(instance, "UTILITY", "Process Utilities Information", 0, nullptr, 0);
    qxhost::fail_slot_write_at(2);
    EXPECT_EQ(info.SetValue("a", 1.0, "", 0), 1);
    EXPECT_EQ(info.SetValue("b", std::string_view("x"), 0), 0);
    EXPECT_EQ(info.SetValue("c", 3.0, "", 0), 1);
    std::string text;
    EXPECT_EQ(info.GetValue("b", text), 0);
    EXPECT_EQ(slot_names(info), (std::vector<std::string>{"a", "c"}));
}

TEST_F(ValueObject, GenericObjectsWithAndWithoutCreate)
{
    CqxGenericObject missing(instance, "OP", "Nowhere", 0, nullptr, 0);
    EXPECT_TRUE(missing.IsValid());
    EXPECT_FALSE(missing.Exists());
    EXPECT_EQ(missing.SetValue("a", 1.0, "", 0), 0);
    CStrList names;
    EXPECT_EQ(missing.GetSlots(names, 0, 0), 0);

    CqxGenericObject made(0, "OP", "Nowhere", 1, nullptr, 0);
    EXPECT_TRUE(made.Exists());
    EXPECT_TRUE(slot_names(made).empty());
    EXPECT_TRUE(missing.Exists());  // handles find the object again by name
    ASSERT_EQ(made.SetValue("a", 1.0, "", 0), 1);
    EXPECT_EQ(missing.GetValue("a", *std::make_unique<std::string>()), 1);

    CqxGenericObject no_database(instance, "NODB", "x", 1, nullptr, 0);
    EXPECT_FALSE(no_database.IsValid());
    EXPECT_FALSE(no_database.Exists());
    EXPECT_EQ(project().databases.find("NODB"), nullptr);

    CqxGenericObject other_instance(8, "OP", "Operating Unit Costs", 0, nullptr, 0);
    EXPECT_FALSE(other_instance.IsValid());
}

TEST_F(ValueObject, DatabasesCreatedReadAndDeleted)
{
    CqxODB absent(instance, "UTILRES0", 0);
    EXPECT_TRUE(absent.IsValid());
    EXPECT_FALSE(absent.Exists());
    EXPECT_EQ(absent.Open(0), 0);
    EXPECT_EQ(absent.Delete(), 0);

    CqxODB results(0, "UTILRES0", 1);
    EXPECT_TRUE(results.Exists());
    EXPECT_TRUE(absent.Exists());
    EXPECT_NE(results.Open(0), 0);
    EXPECT_NE(results.Close(0), 0);
    EXPECT_STREQ(results.DB(), "UTILRES0");

    CqxGenericObject record(instance, results.DB(), "E-101", 1, nullptr, 0);
    ASSERT_EQ(record.SetValue("Cooling Water", 12.5, "KLB/H", 0), 1);
    std::string text;
    ASSERT_EQ(results.GetValue("E-101", "Cooling Water", text, 0), 1);
    EXPECT_EQ(text, "12.5\nKLB/H");
    double number = 0;
    std::string units;
    ASSERT_EQ(results.GetValue("E-101", "Cooling Water", number, units, 0), 1);
    EXPECT_EQ(number, 12.5);
    EXPECT_EQ(results.GetValue("E-101", "Missing", text, 0), 0);
    EXPECT_EQ(results.GetValue("Nobody", "Cooling Water", text, 0), 0);

    // Deleting takes the objects along; the old handles see that at once.
    ASSERT_EQ(results.Delete(), 1);
    EXPECT_FALSE(results.Exists());
    EXPECT_FALSE(record.IsValid());
    EXPECT_FALSE(record.Exists());
    EXPECT_EQ(record.GetValue("Cooling Water", text), 0);
    EXPECT_EQ(record.SetValue("Cooling Water", 1.0, "", 0), 0);

    CqxODB recreated(instance, "UTILRES0", 1);
    CqxGenericObject again(instance, "UTILRES0", "E-101", 0, nullptr, 0);
    EXPECT_TRUE(again.IsValid());
    EXPECT_FALSE(again.Exists());

    CqxODB other_instance(8, "OP", 1);
    EXPECT_FALSE(other_instance.IsValid());
    EXPECT_FALSE(other_instance.Exists());
}

TEST(NoProject, NothingIsValid)
{
    qxhost::Workspace::get().unload();
    CqxODB database(0, "OP", 1);
    EXPECT_FALSE(database.IsValid());
    EXPECT_FALSE(database.Exists());
    CqxGenericObject object(0, "OP", "x", 1, nullptr, 0);
    EXPECT_FALSE(object.IsValid());
    std::string text = "kept";
    EXPECT_EQ(object.GetValue("a", text), 0);
    EXPECT_EQ(text, "kept");
}

TEST(HeapObjects, ReleasedThroughTheBase)
{
    qxhost::Workspace::get().load(host_test::sample_project());
    std::unique_ptr<CqxBase> object(new CqxGenericObject(instance, "OP", "Operating Unit Costs", 0, nullptr, 0));
    EXPECT_TRUE(object->IsValid());
    object.reset();
    qxhost::Workspace::get().unload();
}

}  // namespace
