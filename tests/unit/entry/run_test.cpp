// The two runs: validity, order of steps, results database, accumulation.
#include <gtest/gtest.h>

#include <string>

#include "host/objstore.h"
#include "host/projmodel.h"
#include "support/support.h"
#include "tovex/tovex.h"

namespace {

constexpr const char* project_json = R"({
  "project": {"instance": 9, "name": "PLANT", "scenario": "Base"},
  "simulation_case": {"sim_type": 1},
  "utility_streams": {"entries": [
    {"name": "Steam", "slots": {"Unit Cost": {"value": 10, "units": "$/KLB"}, "Unit Cost Units": "$/KLB"}},
    {"name": "Cooling Water", "slots": {"Unit Cost": 0.5, "Unit Cost Units": "$/KLB",
                                        "Rate per Hour": {"value": 99, "units": "OLD"}}}
  ]},
  "objects": [
    {"name": "E-1", "class": 1705, "slots": {"CpItemDescription": "Reboiler"}},
    {"name": "S-1", "class": 3105, "slots": {"DESCRIPTION": "Steam", "TOTAL MASS FLOW": {"value": 2500, "units": "LB/H"}}}
  ],
  "connections": [{"stream": "S-1", "item": "E-1", "direction": 2, "connector": "Inlet"}],
  "databases": {
    "INV": {"Investment Analysis Parameters": {"Operating Hours per Period": 8000}},
    "UTILITY": {"Process Utilities Information": {}},
    "UTILRES0": {"$$UTILITYOBJECT##OLD-ITEM": {"Steam": "5\nKLB/H"},
                 "UTIL_USAGE_LIST_OF_OBJECTS": {"$$UTILITYOBJECT##OLD-ITEM": ""}}
  }
})";

class Runs : public ::testing::Test {
protected:
    void TearDown() override { qxhost::Workspace::get().unload(); }

    int full(const char* name = "PLANT", const char* scenario = "Base", unsigned instance = 9)
    {
        return tovex_get_utility_init(name, scenario, instance, lists.names(), lists.cost_slots(), lists.values());
    }
    int reduced()
    {
        return tovex_get_utility_old("PLANT", "Base", 9, lists.names(), lists.cost_slots(), lists.values());
    }

    static bool record_exists(const std::string& name)
    {
        return CqxGenericObject(9, "UTILRES0", name, 0, nullptr, 0).Exists() != 0;
    }
    static std::string entry_text(const std::string& entry, const std::string& slot)
    {
        CqxProject project(9, "PLANT", "Base", 0, nullptr, nullptr, 0);
        CqxProjectStreamsConfig config(&project, 2005, 0);
        CqxProjectConfig* found = config.InstantiateEntry(entry);
        std::string text = "<missing>";
        if (found) found->GetValue(slot, text);
        delete found;
        return text;
    }

    tovex_test::ScratchDir scratch;
    // Loaded before the lists, which are made from its cost rows.
    qxhost::Project& project_file = tovex_test::load_project(project_json);
    tovex_test::CallerLists lists;
};

TEST_F(Runs, TheFullRunReplacesTheRecordsOfAnEarlierRun)
{
    EXPECT_EQ(full(), 1);
    EXPECT_FALSE(record_exists("$$UTILITYOBJECT##OLD-ITEM"));
    EXPECT_TRUE(record_exists("$$UTILITYOBJECT##E-1"));
    EXPECT_EQ(lists.value_of("Steam"), "2.5     \nKLB/H");
}

TEST_F(Runs, TheReducedRunPostsAndTotalsButLeavesTheRecordsAlone)
{
    EXPECT_EQ(reduced(), 1);
    EXPECT_TRUE(record_exists("$$UTILITYOBJECT##OLD-ITEM"));
    EXPECT_FALSE(record_exists("$$UTILITYOBJECT##E-1"));
    EXPECT_EQ(lists.value_of("Steam"), "2.5     \nKLB/H");
    // 2.5 KLB/H at 10 $/KLB for 8000 hours.
    // The host writes the shortest text that reads back as the same number.
    EXPECT_EQ(lists.value_of("Total Process Utility Cost Per Period"), "2e+05");
    std::uint64_t number = 0;
    ASSERT_TRUE(lists.number_of("Total Process Utility Cost Per Period", number));
    EXPECT_EQ(number, 200000u);
}

TEST_F(Runs, EveryEntryGetsItsRateAndCostPerHour)
{
    full();
    EXPECT_EQ(entry_text("Steam", "Rate per Hour"), "2.5\nKLB/H");
    EXPECT_EQ(entry_text("Steam", "Cost per Hour"), "25");
    // Nothing posted for cooling water: the old rate does not survive.
    EXPECT_EQ(entry_text("Cooling Water", "Rate per Hour"), "0");
    EXPECT_EQ(entry_text("Cooling Water", "Cost per Hour"), "0");

    CqxGenericObject information(9, "UTILITY", "Process Utilities Information", 0, nullptr, 0);
    double total = 0;
    std::string units;
    information.GetValue("Total Process Utility Cost Per Period", total, units);
    EXPECT_EQ(total, 200000.0);
}

TEST_F(Runs, TheSameListsTwiceAccumulate)
{
    full();
    full();
    EXPECT_EQ(lists.value_of("Steam"), "5       \nKLB/H");
    EXPECT_EQ(entry_text("Steam", "Rate per Hour"), "5\nKLB/H");
}

TEST_F(Runs, AnotherProjectIsNotValidAndNothingIsTouched)
{
    EXPECT_EQ(full("OTHER"), 0);
    EXPECT_EQ(full("PLANT", "Other case"), 0);
    EXPECT_EQ(full("PLANT", "Base", 10), 0);
    EXPECT_EQ(full(nullptr, nullptr), 0);
    EXPECT_TRUE(record_exists("$$UTILITYOBJECT##OLD-ITEM"));
    EXPECT_EQ(lists.value_of("Steam"), "");
    EXPECT_FALSE(scratch.exists("UtilRes.Txt"));
}

TEST_F(Runs, AnInvalidConfigurationLeavesReportsAndDatabaseOfAnEarlierRun)
{
    scratch.write("UtilRes.Txt", "earlier report\n");
    qxhost::Workspace::get().unload();
    std::string text = project_json;
    text.replace(text.find("\"utility_streams\": {"), 20, "\"utility_streams\": {\"valid\": false, ");
    tovex_test::load_project(text);
    EXPECT_EQ(full(), 0);
    EXPECT_EQ(tovex_get_utility_old("PLANT", "Base", 9, lists.names(), lists.cost_slots(), lists.values()), 0);
    EXPECT_EQ(scratch.read("UtilRes.Txt"), "earlier report\n");
    EXPECT_TRUE(record_exists("$$UTILITYOBJECT##OLD-ITEM"));
    EXPECT_EQ(lists.value_of("Total Process Utility Cost Per Period"), "");
}

TEST_F(Runs, AProjectWithoutStreamsStoresAZeroTotal)
{
    qxhost::Workspace::get().unload();
    tovex_test::load_project(R"({"project": {"instance": 9, "name": "PLANT", "scenario": "Base"},
                                 "utility_streams": {"entries": [{"name": "Steam"}]}})");
    tovex_test::CallerLists fresh;
    EXPECT_EQ(tovex_get_utility_init("PLANT", "Base", 9, fresh.names(), fresh.cost_slots(), fresh.values()), 1);
    EXPECT_EQ(fresh.value_of("Total Process Utility Cost Per Period"), "0");
    EXPECT_TRUE(scratch.exists("UtilRes.Txt"));
}

}  // namespace
