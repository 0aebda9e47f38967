// The stream pass: which streams are utility streams, how they are signed,
// what is posted and what is recorded.
#include <gtest/gtest.h>

#include <string>

#include "entry/stream_pass.h"
#include "host/objstore.h"
#include "host/projmodel.h"
#include "support/support.h"
#include "tovex/tovex.h"

namespace {

// Steam priced per KLB; every stream carries 1000 LB/H, so each posts 1 KLB/H.
constexpr const char* project_json = R"({
  "project": {"instance": 4, "name": "P", "scenario": "S"},
  "simulation_case": {"sim_type": 1},
  "utility_streams": {"entries": [
    {"name": "Steam", "slots": {"Unit Cost Units": "$/KLB"}},
    {"name": "Condensate", "slots": {"Unit Cost Units": "$/KLB"}}
  ]},
  "objects": [
    {"name": "E-1", "class": 1705, "slots": {"CpItemDescription": "Reboiler"}},
    {"name": "B-1", "class": 1705, "defaults": {"CpItemDescription": "Boiler"}},
    {"name": "CHARGED", "class": 3105, "stream_name": "steam in", "slots": {"DESCRIPTION": "Steam", "TOTAL MASS FLOW": {"value": 1000, "units": "LB/H"}}},
    {"name": "CREDITED", "class": 3105, "slots": {"DESCRIPTION": "Steam", "TOTAL MASS FLOW": {"value": 1000, "units": "LB/H"}}},
    {"name": "LOOSE", "class": 3105, "slots": {"DESCRIPTION": "Steam", "TOTAL MASS FLOW": {"value": 1000, "units": "LB/H"}}},
    {"name": "BOTH", "class": 3105, "slots": {"DESCRIPTION": "Steam", "TOTAL MASS FLOW": {"value": 1000, "units": "LB/H"}}},
    {"name": "LISTED", "class": 3305, "slots": {"DESCRIPTION": ["Condensate", "return"], "TOTAL MASS FLOW": {"value": 1000, "units": "LB/H"}}},
    {"name": "LOOSE-3305", "class": 3305, "slots": {"DESCRIPTION": "Steam", "TOTAL MASS FLOW": {"value": 1000, "units": "LB/H"}}},
    {"name": "ZERO", "class": 3305, "slots": {"DESCRIPTION": "Steam"}},
    {"name": "NUMBERED", "class": 3305, "slots": {"DESCRIPTION": 12, "TOTAL MASS FLOW": {"value": 1000, "units": "LB/H"}}},
    {"name": "INHERITED", "class": 3305, "defaults": {"DESCRIPTION": "Steam"}, "slots": {"TOTAL MASS FLOW": {"value": 1000, "units": "LB/H"}}},
    {"name": "UNKNOWN", "class": 3305, "slots": {"DESCRIPTION": "Nitrogen", "TOTAL MASS FLOW": {"value": 1000, "units": "LB/H"}}},
    {"name": "SIM", "class": 3205, "slots": {"DESCRIPTION": "Steam", "TOTAL MASS FLOW": {"value": 1000, "units": "LB/H"}}},
    {"name": "AIR", "class": 3305, "slots": {"DESCRIPTION": "Instrument Air", "TOTAL MASS FLOW": {"value": 62.4, "units": "LB/H"}, "TOTAL MASS DENSITY": {"value": 62.4, "units": "PCF"}}}
  ],
  "connections": [
    {"stream": "CHARGED", "item": "E-1", "direction": 2, "connector": "Inlet"},
    {"stream": "CREDITED", "item": "B-1", "direction": 1, "connector": "Outlet"},
    {"stream": "BOTH", "item": "B-1", "direction": 1, "connector": "Outlet"},
    {"stream": "BOTH", "item": "E-1", "direction": 2, "connector": "Inlet"},
    {"stream": "ZERO", "item": "B-1", "direction": 1, "connector": "Outlet"}
  ],
  "cost_rows": [
    {"name": "Steam", "cost_slot": "Steam", "value": ""},
    {"name": "Condensate", "cost_slot": "Condensate", "value": ""},
    {"name": "Instrument Air", "cost_slot": "Instrument Air", "value": ""}
  ]
})";

class StreamPass : public ::testing::Test {
protected:
    void TearDown() override { qxhost::Workspace::get().unload(); }

    // Runs one pass with the run's objects and fresh caller lists.
    void pass(int class_id, bool record = false)
    {
        CqxProject project(4, "P", "S", 0, nullptr, nullptr, 0);
        CqxSimCase sim_case(4, nullptr, "P", "S", 0, 4);
        CqxProjectStreamsConfig config(&project, 2005, 0);
        const int result = record ? tovex_get_utility_for_class_and_equip_info(&project, &sim_case, &config, class_id,
                                                                               lists.names(), lists.cost_slots(),
                                                                               lists.values(), 1)
                                  : tovex_get_utility_for_class(&project, &sim_case, &config, class_id, lists.names(),
                                                                lists.cost_slots(), lists.values());
        EXPECT_EQ(result, 1);
    }

    std::string record(const std::string& name, const std::string& slot)
    {
        CqxGenericObject object(4, "UTILRES0", name, 0, nullptr, 0);
        std::string text = "<missing>";
        object.GetValue(slot, text);
        return text;
    }

    // Loaded before the lists, which are made from its cost rows.
    qxhost::Project& project_file = tovex_test::load_project(project_json);
    tovex_test::CallerLists lists;
};

TEST_F(StreamPass, ClassThreeOneOFiveChargesOneSideCreditsTheOtherAndLeavesOutTheRest)
{
    // CHARGED +1, CREDITED -1; LOOSE (no connectors) and BOTH are left out.
    pass(3105);
    EXPECT_EQ(lists.value_of("Steam"), "0       \nKLB/H");
}

TEST_F(StreamPass, OtherUtilityClassesChargeUnconnectedStreams)
{
    // LISTED names Condensate by its list's first item; LOOSE-3305 is charged
    // although unconnected; ZERO is credited with a rate of 0; NUMBERED and
    // INHERITED (whose description only a default holds) have no utility name.
    pass(3305);
    EXPECT_EQ(lists.value_of("Steam"), "1       \nKLB/H");
    EXPECT_EQ(lists.value_of("Condensate"), "1       \nKLB/H");
    EXPECT_EQ(lists.value_of("Instrument Air"), "0.001   \nKCFH");
}

TEST_F(StreamPass, AnyOtherClassIdChargesEveryPattern)
{
    // The same four streams as in the class 3105 pass, under a class id
    // outside the table: all four are charged.
    qxhost::Workspace::get().unload();
    std::string text = project_json;
    for (std::string::size_type at; (at = text.find("\"class\": 3105")) != std::string::npos;)
        text.replace(at, 13, "\"class\": 3999");
    tovex_test::load_project(text);
    pass(3999);
    EXPECT_EQ(lists.value_of("Steam"), "4       \nKLB/H");
}

TEST_F(StreamPass, AnInvalidSimulationCaseSkipsSimulatorClasses)
{
    pass(3205);
    EXPECT_EQ(lists.value_of("Steam"), "1       \nKLB/H");

    qxhost::Workspace::get().unload();
    std::string text = project_json;
    text.replace(text.find("\"sim_type\": 1"), 13, "\"sim_type\": 1, \"valid\": false");
    tovex_test::load_project(text);
    tovex_test::CallerLists fresh;
    CqxProject project(4, "P", "S", 0, nullptr, nullptr, 0);
    CqxSimCase sim_case(4, nullptr, "P", "S", 0, 4);
    CqxProjectStreamsConfig config(&project, 2005, 0);
    tovex_get_utility_for_class(&project, &sim_case, &config, 3205, fresh.names(), fresh.cost_slots(), fresh.values());
    EXPECT_EQ(fresh.value_of("Steam"), "");
}

TEST_F(StreamPass, TheEquipmentVariantRecordsEachStreamsOwnAmountAndItem)
{
    pass(3105, true);
    EXPECT_EQ(record("$$UTILITYOBJECT##E-1", "Steam"), "1.000000\nKLB/H");
    EXPECT_EQ(record("$$UTILITYOBJECT##E-1", "Steam-STREAM"), "steam in");
    EXPECT_EQ(record("$$UTILITYOBJECT##E-1", "CpItemDescription"), "Reboiler");
    // The credited stream's item is looked for on its other side; its
    // description is inherited.
    EXPECT_EQ(record("$$UTILITYOBJECT##B-1", "Steam"), "-1.000000\nKLB/H");
    EXPECT_EQ(record("$$UTILITYOBJECT##B-1", "Steam-STREAM"), "CREDITED");
    EXPECT_EQ(record("$$UTILITYOBJECT##B-1", "CpItemDescription"), "Boiler");
}

TEST_F(StreamPass, ACreditedZeroIsRecordedWithItsMinusSign)
{
    pass(3305, true);
    EXPECT_EQ(record("$$UTILITYOBJECT##B-1", "Steam"), "-0.000000\nKLB/H");
    // Unconnected streams are recorded under the bare prefix.
    EXPECT_EQ(record("$$UTILITYOBJECT##", "Condensate"), "1.000000\nKLB/H");
}

TEST_F(StreamPass, WithoutTheRecordingFlagNothingIsRecorded)
{
    CqxProject project(4, "P", "S", 0, nullptr, nullptr, 0);
    CqxSimCase sim_case(4, nullptr, "P", "S", 0, 4);
    CqxProjectStreamsConfig config(&project, 2005, 0);
    tovex_get_utility_for_class_and_equip_info(&project, &sim_case, &config, 3105, lists.names(), lists.cost_slots(),
                                               lists.values(), 0);
    EXPECT_EQ(lists.value_of("Steam"), "0       \nKLB/H");
    EXPECT_EQ(CqxODB(4, "UTILRES0", 0).Exists(), 0);
}

TEST_F(StreamPass, NullObjectsAreHarmless)
{
    EXPECT_EQ(tovex_get_utility_for_class(nullptr, nullptr, nullptr, 3105, nullptr, nullptr, nullptr), 1);
    CqxProject project(4, "P", "S", 0, nullptr, nullptr, 0);
    EXPECT_EQ(tovex_get_utility_for_class(&project, nullptr, nullptr, 3305, lists.names(), lists.cost_slots(),
                                          lists.values()),
              1);
    // Without a configuration only the fixed utilities are known.
    EXPECT_EQ(lists.value_of("Steam"), "");
    EXPECT_EQ(lists.value_of("Instrument Air"), "0.001   \nKCFH");
}

TEST(SlotText, TextOrFirstListItemWhenNotBlank)
{
    std::string text = "kept";
    CqxSlot slot;
    EXPECT_EQ(tovex::get_slot_text(slot, text), 0);
    EXPECT_EQ(text, "kept");
    slot.SetText("   ");
    EXPECT_EQ(tovex::get_slot_text(slot, text), 1);
    EXPECT_EQ(text, "kept");
    slot.SetList({"Steam", "x"});
    EXPECT_EQ(tovex::get_slot_text(slot, text), 1);
    EXPECT_EQ(text, "Steam");
    slot.SetNumber(3, "");
    text.clear();
    EXPECT_EQ(tovex::get_slot_text(slot, text), 1);
    EXPECT_EQ(text, "");
    const std::string long_name(300, 'W');
    slot.SetText(long_name);
    EXPECT_EQ(tovex::get_slot_text(slot, text), 1);
    EXPECT_EQ(text, long_name);
}

}  // namespace
