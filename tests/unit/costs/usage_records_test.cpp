// The usage records of UTILRES0.
#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "objstore/fault_injection.h"
#include "costs/usage_records.h"
#include "host/objstore.h"
#include "support/support.h"

namespace {

constexpr const char* project_json = R"({
  "project": {"instance": 3, "name": "P", "scenario": "S"},
  "utility_streams": {"entries": []}
})";

std::string slot_text(const std::string& record, const std::string& slot)
{
    CqxGenericObject object(3, "UTILRES0", record, 0, nullptr, 0);
    std::string text = "<missing>";
    object.GetValue(slot, text);
    return text;
}

std::vector<std::string> slot_names(const std::string& object_name)
{
    CqxGenericObject object(3, "UTILRES0", object_name, 0, nullptr, 0);
    CStrList names;
    object.GetSlots(names, 0, 0);
    std::vector<std::string> result;
    for (int i = 0; i < names.GetLength(); ++i) result.emplace_back(names.GetTextAt(i));
    return result;
}

class UsageRecords : public ::testing::Test {
protected:
    void SetUp() override { tovex_test::load_project(project_json); }
    void TearDown() override { qxhost::Workspace::get().unload(); }
};

TEST_F(UsageRecords, AFirstRecordCreatesTheDatabaseTheRecordAndItsRegistryEntry)
{
    EXPECT_EQ(CqxODB(3, "UTILRES0", 0).Exists(), 0);
    EXPECT_NE(tovex::record_utility_usage("Cooling Water", "12.500000\nKGAL/H  ", "E-101", "Condenser",
                                          "CW to E-101 "),
              0);
    EXPECT_NE(CqxODB(3, "UTILRES0", 0).Exists(), 0);

    const std::string record = "$$UTILITYOBJECT##E-101";
    EXPECT_EQ(slot_names(record),
              (std::vector<std::string>{"CpItemDescription", "Cooling Water", "Cooling Water-STREAM"}));
    EXPECT_EQ(slot_text(record, "Cooling Water"), "12.500000\nKGAL/H");
    EXPECT_EQ(slot_text(record, "Cooling Water-STREAM"), "CW to E-101");
    EXPECT_EQ(slot_names("UTIL_USAGE_LIST_OF_OBJECTS"), (std::vector<std::string>{record}));
}

TEST_F(UsageRecords, ALaterCallReplacesTheValueAndKeepsAStreamNameWhenItHasNone)
{
    tovex::record_utility_usage("Steam", "1.000000\nKLB/H", "E-201", "Reboiler", "S-1");
    tovex::record_utility_usage("Steam", "2.000000\nKLB/H", "E-201", "Reboiler", "");
    const std::string record = "$$UTILITYOBJECT##E-201";
    EXPECT_EQ(slot_text(record, "Steam"), "2.000000\nKLB/H");
    EXPECT_EQ(slot_text(record, "Steam-STREAM"), "S-1");
    tovex::record_utility_usage("Steam", "3.000000\nKLB/H", "E-201", "Reboiler", "S-2");
    EXPECT_EQ(slot_text(record, "Steam-STREAM"), "S-2");
}

TEST_F(UsageRecords, OneRecordPerItemHoldsEveryUtilityButElectricity)
{
    tovex::record_utility_usage("Cooling Water", "1.000000\nKGAL/H", "E-101", "First", "CW-1");
    tovex::record_utility_usage("Steam", "2.000000\nKLB/H", "E-101", "Second", "S-1");
    tovex::record_utility_usage("electricity", "12.500000\nKWH", "E-101", "Second", "");

    const std::string utilities = "$$UTILITYOBJECT##E-101";
    const std::string electricity = "$$ELECTRCOBJECT##E-101";
    EXPECT_EQ(slot_text(utilities, "CpItemDescription"), "Second");
    EXPECT_EQ(slot_text(utilities, "Cooling Water"), "1.000000\nKGAL/H");
    EXPECT_EQ(slot_text(utilities, "Steam"), "2.000000\nKLB/H");
    EXPECT_EQ(slot_text(electricity, "electricity"), "12.500000\nKWH");
    EXPECT_EQ(slot_names("UTIL_USAGE_LIST_OF_OBJECTS"), (std::vector<std::string>{utilities, electricity}));
}

TEST_F(UsageRecords, AnItemWithoutANameIsRecordedUnderTheBarePrefix)
{
    tovex::record_utility_usage("Steam", "2.000000\nKLB/H", "", "", "S-9");
    EXPECT_EQ(slot_text("$$UTILITYOBJECT##", "Steam"), "2.000000\nKLB/H");
}

TEST_F(UsageRecords, AFailedWriteIsTheResult)
{
    // Registry, description and value writes: the value write fails.
    qxhost::fail_slot_write_at(3);
    EXPECT_EQ(tovex::record_utility_usage("Steam", "2.000000\nKLB/H", "E-1", "D", ""), 0);
    qxhost::fail_slot_write_at(0);
}

TEST(UsageRecordsWithoutProject, NothingIsWritten)
{
    qxhost::Workspace::get().unload();
    EXPECT_EQ(tovex::record_utility_usage("Steam", "2.000000\nKLB/H", "E-1", "D", "S"), 0);
}

}  // namespace
