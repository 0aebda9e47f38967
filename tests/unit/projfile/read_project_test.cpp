// What the reader makes of a valid project file: every section, the values
// it leaves out, and the default cost rows.
#include <gtest/gtest.h>

#include <cmath>

#include "example_project.h"
#include "projfile/projfile.h"

namespace {

using qxhost::Value;

std::unique_ptr<qxhost::Project> parse(std::string_view text) { return qxhost::parse_project(text, "plant.json"); }

std::vector<std::string> slot_names(const qxhost::SlotTable& slots)
{
    std::vector<std::string> names;
    for (const auto& [name, value] : slots) names.push_back(name.str());
    return names;
}

std::vector<std::string> row_names(const qxhost::Project& project)
{
    std::vector<std::string> names;
    for (const auto& row : project.cost_rows) {
        EXPECT_EQ(row.name, row.cost_slot);
        EXPECT_EQ(row.value, "");
        names.push_back(row.name);
    }
    return names;
}

TEST(ReadProject, EverySectionOfTheExample)
{
    const auto project = parse(projfile_test::example_project);
    EXPECT_EQ(project->instance, 7u);
    EXPECT_EQ(project->name, "ETHYLENE-1");
    EXPECT_EQ(project->scenario, "Base Case");
    EXPECT_EQ(project->unit_system, 1);
    EXPECT_TRUE(project->has_sim_case);
    EXPECT_TRUE(project->sim_case_valid);
    EXPECT_EQ(project->sim_type, 4);
    EXPECT_EQ(project->configurations, (std::vector<int>{2105, 2005}));

    const auto* criterion = project->design_criteria.find("Heat Exchangers")->find("Fuel heating value");
    ASSERT_NE(criterion, nullptr);
    EXPECT_EQ(criterion->value, 20500.0);
    EXPECT_EQ(criterion->units, "BTU/LB");
    EXPECT_EQ(project->design_criteria.find("Heat Exchangers")->find("Approach")->units, "");

    ASSERT_EQ(project->entries.size(), 2u);
    EXPECT_EQ(project->entries.begin()->first, "Cooling Water");
    const auto& water = *project->entries.find("Cooling Water");
    EXPECT_TRUE(water.valid);
    EXPECT_EQ(slot_names(water.slots),
              (std::vector<std::string>{"Fluid", "Unit Cost", "Unit Cost Units", "Inlet temperature"}));
    EXPECT_EQ(water.defaults.find("Pressure")->units, "PSIG");
    EXPECT_FALSE(project->entries.find("Steam")->valid);

    ASSERT_EQ(project->objects.size(), 3u);
    const auto& item = project->objects[0];
    EXPECT_EQ(item.class_id, 1705);
    EXPECT_EQ(item.ref_id, 101u);
    EXPECT_EQ(item.model, "HE FLOAT HEAD");
    EXPECT_EQ(item.area, "AREA-100");
    EXPECT_FALSE(item.stream_name.has_value());
    EXPECT_EQ(project->objects[1].model, "");
    EXPECT_EQ(project->objects[2].stream_name, "CW to E-101");

    ASSERT_EQ(project->connections.size(), 2u);
    EXPECT_EQ(project->connections[0].item, "E-101");
    EXPECT_EQ(project->connections[0].direction, 2);
    EXPECT_EQ(project->connections[0].connector, "Inlet");
    EXPECT_EQ(project->connections[1].item, "");

    EXPECT_EQ(project->databases.size(), 3u);
    EXPECT_TRUE(project->databases.find("UTILITY")->empty());
    EXPECT_EQ(project->databases.find("INV")->find("Investment Analysis Parameters")
                  ->find("Operating Hours per Period")->number,
              8000.0);

    ASSERT_EQ(project->cost_rows.size(), 2u);
    EXPECT_FALSE(project->cost_rows[0].number.has_value());
    EXPECT_EQ(project->cost_rows[1].value, "12\nUSD");
    EXPECT_EQ(project->cost_rows[1].number, 18446744073709551615ull);

    EXPECT_TRUE(project->has_electrical_loads);
    EXPECT_EQ(project->total_kw, 310.5);
    ASSERT_EQ(project->electrical_loads.size(), 1u);
    EXPECT_EQ(project->electrical_loads[0].ref_id, 101u);
    EXPECT_FALSE(project->electrical_load_file.has_value());
}

TEST(ReadProject, SlotValueForms)
{
    const auto project = parse(projfile_test::example_project);
    const auto& slots = project->objects[2].slots;

    const Value& list = *slots.find("DESCRIPTION");
    EXPECT_EQ(list.kind, Value::Kind::list);
    EXPECT_EQ(list.items, (std::vector<std::string>{"Cooling Water", "second"}));

    const Value& flow = *slots.find("TOTAL MASS FLOW");
    EXPECT_EQ(flow.kind, Value::Kind::number);
    EXPECT_EQ(flow.number, 250000.0);
    EXPECT_EQ(flow.units, "LB/H");

    EXPECT_EQ(slots.find("RATIO")->number, 0.1);
    EXPECT_EQ(slots.find("RATIO")->units, "");
    EXPECT_EQ(slots.find("PLAIN")->units, "");

    const Value& high = *slots.find("HIGH");
    EXPECT_TRUE(std::isinf(high.number) && high.number > 0);
    EXPECT_EQ(high.units, "KW");
    EXPECT_TRUE(std::isinf(slots.find("LOW")->number) && slots.find("LOW")->number < 0);
    EXPECT_TRUE(std::isnan(slots.find("UNKNOWN")->number));

    EXPECT_EQ(project->objects[0].slots.find("CpItemDescription")->kind, Value::Kind::text);
}

TEST(ReadProject, OnlyTheProjectIsRequired)
{
    const auto project = parse(R"({"project": {"instance": 0, "name": "", "scenario": ""}})");
    EXPECT_EQ(project->unit_system, 0);
    EXPECT_FALSE(project->has_sim_case);
    EXPECT_FALSE(project->sim_case_valid);
    EXPECT_EQ(project->sim_type, 0);
    EXPECT_FALSE(project->has_utility_streams);
    EXPECT_FALSE(project->utility_streams_valid);
    EXPECT_TRUE(project->objects.empty());
    EXPECT_TRUE(project->databases.empty());
    EXPECT_FALSE(project->has_electrical_loads);
    EXPECT_EQ(row_names(*project), (std::vector<std::string>{"Fuel", "Instrument Air", "Potable Water",
                                                              "Total Process Utility Cost Per Period"}));
}

TEST(ReadProject, ValidityFlagsAndLimits)
{
    const auto project = parse(R"({"project": {"instance": 4294967295, "name": "P", "scenario": "S",
                                               "unit_system": -3},
                                   "simulation_case": {"valid": false, "sim_type": 4},
                                   "utility_streams": {"valid": false}})");
    EXPECT_EQ(project->instance, 4294967295u);
    EXPECT_EQ(project->unit_system, -3);
    EXPECT_TRUE(project->has_sim_case);
    EXPECT_FALSE(project->sim_case_valid);
    EXPECT_TRUE(project->has_utility_streams);
    EXPECT_FALSE(project->utility_streams_valid);
    EXPECT_TRUE(project->entries.empty());
}

TEST(ReadProject, DefaultCostRowsFollowTheEntries)
{
    const auto project = parse(R"({"project": {"instance": 1, "name": "P", "scenario": "S"},
        "utility_streams": {"entries": [{"name": "Steam"}, {"name": "Instrument Air"}, {"name": "Electricity"}]}})");
    EXPECT_EQ(row_names(*project), (std::vector<std::string>{"Steam", "Instrument Air", "Electricity", "Fuel",
                                                              "Potable Water",
                                                              "Total Process Utility Cost Per Period"}));
}

TEST(ReadProject, AnEmptyCostRowListStaysEmpty)
{
    const auto project = parse(R"({"project": {"instance": 1, "name": "P", "scenario": "S"}, "cost_rows": []})");
    EXPECT_TRUE(project->cost_rows.empty());
}

TEST(ReadProject, AnAreaMayFollowItsItems)
{
    const auto project = parse(R"({"project": {"instance": 1, "name": "P", "scenario": "S"},
        "objects": [{"name": "E-1", "class": 1705, "area": "A"}, {"name": "A", "class": 1505}]})");
    EXPECT_EQ(project->objects[0].area, "A");
}

TEST(ReadProject, AByteOrderMarkIsAllowed)
{
    const auto project = parse("\xEF\xBB\xBF{\"project\": {\"instance\": 3, \"name\": \"P\", \"scenario\": \"S\"}}");
    EXPECT_EQ(project->instance, 3u);
}

}  // namespace
