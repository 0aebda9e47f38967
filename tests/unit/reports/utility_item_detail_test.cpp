// The utility lines of the detailed report: one per usage record and
// utility, and the DA file's cooling water view.
#include <gtest/gtest.h>

#include <utility>

#include "report_helpers.h"
#include "reports/detailed_line.h"
#include "reports/detailed_report.h"
#include "reports/item_area.h"
#include "reports/utility_properties.h"

namespace {

using reports_test::body_lines;
using reports_test::load_and_open;
using reports_test::project_parts;
using reports_test::record_has;
using reports_test::record_text;

using record_list = std::vector<std::pair<std::string, std::string>>;  // name, slots JSON

// The databases of a project whose usage registry lists `records` in order,
// and whose operating unit costs hold `op_slots`.
std::string databases(const record_list& records, const std::string& op_slots = "")
{
    std::string registry;
    std::string objects;
    for (const auto& [name, slots] : records) {
        registry += (registry.empty() ? "\"" : ", \"") + name + "\": \"\"";
        objects += ", \"" + name + "\": {" + slots + "}";
    }
    return R"({"OP": {"Operating Unit Costs": {)" + op_slots + R"(}}, "UTILRES0": {"UTIL_USAGE_LIST_OF_OBJECTS": {)" +
           registry + "}" + objects + "}}";
}

const std::string areas_and_items = R"([
  {"name": "AREA-2", "class": 1505, "slots": {"ArAreaReferenceNumber": "200", "ArReportGroupNumber": "3"}},
  {"name": "AREA-9", "class": 1505, "slots": {"ArAreaReferenceNumber": "900", "ArReportGroupNumber": "9"}},
  {"name": "EXCHANGER-ABCDEF", "class": 1705, "area": "AREA-2"},
  {"name": "EXCHANGER-ABCDXYZ", "class": 1705, "area": "AREA-9"},
  {"name": "LOOSE-1", "class": 1705}])";

class UtilityItemDetail : public ::testing::Test {
protected:
    void TearDown() override { qxhost::Workspace::get().unload(); }

    void run(const project_parts& parts)
    {
        project = load_and_open(parts);
        dir.write("UtilRes2.Txt", std::string(tovex::detailed_column_heading) + "\n\n");
        dir.write("UtilRes2_DA.Txt", std::string(tovex::detailed_column_heading) + "\n\n");
        result = tovex::write_utility_item_detail(project.get(), "UtilRes2.Txt", "UtilRes2_DA.Txt");
        main_lines = body_lines(dir.read("UtilRes2.Txt"), tovex::detailed_column_heading);
        da_lines = body_lines(dir.read("UtilRes2_DA.Txt"), tovex::detailed_column_heading);
    }

    tovex_test::ScratchDir dir;
    std::unique_ptr<CqxProject> project;
    int result = -1;
    std::vector<std::string> main_lines;
    std::vector<std::string> da_lines;
};

// An entry with a price and nothing else: its number columns show the start
// values, its units columns are empty.
const std::string plain_steam = R"([{"name": "Steam", "slots": {"Fluid": "Steam", "Unit Cost": 2,
                                     "Unit Cost Units": "$/KLB"}}])";

std::string steam_line(const std::string& item, const std::string& area, const std::string& group)
{
    return "\"Steam\",\"Steam\",\"" + item + "\",\"\",3.000000,\"KLB\",\"KLB/H\", 6.000000, 0.000000,\"\", "
           "-1000.000000,\"\", 0.000000,\"\",  0.000000,\"\",\"\",\"" + area + "\",\"" + group +
           "\",-1000.000000,\"\",-1000.000000,\"\"";
}

TEST_F(UtilityItemDetail, TheItemColumnHoldsFourteenCharactersAndTheAreaComesFromTheWholeName)
{
    project_parts parts;
    parts.entries = plain_steam;
    parts.objects = areas_and_items;
    parts.databases = databases({{"$$UTILITYOBJECT##EXCHANGER-ABCDXYZ", R"("Steam": "3.000000\nKLB/H")"},
                                 {"$$UTILITYOBJECT##EXCHANGER-ABCDEF", R"("Steam": "3.000000\nKLB/H")"},
                                 {"$$UTILITYOBJECT##LOOSE-1", R"("Steam": "3.000000\nKLB/H")"},
                                 {"$$UTILITYOBJECT##UNKNOWN", R"("Steam": "3.000000\nKLB/H")"}});
    run(parts);
    EXPECT_EQ(result, 1);
    EXPECT_EQ(main_lines, (std::vector<std::string>{steam_line("EXCHANGER-ABCD", "900", "9"),
                                                    steam_line("EXCHANGER-ABCD", "200", "3"),
                                                    steam_line("LOOSE-1", "", ""),
                                                    steam_line("UNKNOWN", "", "")}));
    EXPECT_EQ(da_lines, main_lines);
}

TEST_F(UtilityItemDetail, RecordsWithoutTheUtilityOrWithoutCostGetNoLineAndNoCost)
{
    project_parts parts;
    parts.entries = R"([{"name": "Steam", "slots": {"Fluid": "Steam", "Unit Cost": 2, "Unit Cost Units": "$/KLB"}},
                        {"name": "Free Water", "slots": {"Unit Cost": 0}},
                        {"name": "Broken", "valid": false}])";
    parts.databases = databases({{"$$UTILITYOBJECT##P-1", R"("Steam": "0.000000\nKLB/H", "Free Water": "5\nKGAL/H",
                                                            "Broken": "1\nKLB/H")"},
                                 {"$$UTILITYOBJECT##P-2", R"("CpItemDescription": "Other")"}});
    parts.databases.insert(parts.databases.find("\"$$UTILITYOBJECT##P-1\": \"\"") , "\"$$UTILITYOBJECT##GONE\": \"\", ");
    run(parts);
    EXPECT_EQ(result, 1);
    EXPECT_EQ(main_lines, std::vector<std::string>{});
    EXPECT_FALSE(record_has("$$UTILITYOBJECT##P-1", "COST PER HOUR"));
    EXPECT_FALSE(record_has("$$UTILITYOBJECT##P-1", "UTILITY NAME"));
}

TEST_F(UtilityItemDetail, TheLastUtilityWithALineNamesTheRecordsCost)
{
    project_parts parts;
    parts.entries = R"([{"name": "Steam", "slots": {"Unit Cost": 2}}, {"name": "Water", "slots": {"Unit Cost": 0.5}}])";
    parts.databases = databases({{"$$UTILITYOBJECT##P-1", R"("Water": "8\nKGAL/H", "Steam": "3\nKLB/H",
                                                            "Steam-STREAM": "S-7")"}},
                                R"("Fuel": 2)");
    run(parts);
    ASSERT_EQ(main_lines.size(), 2u);
    EXPECT_EQ(main_lines[0].substr(0, 8), "\"Steam\",");
    EXPECT_NE(main_lines[0].find(",\"S-7\","), std::string::npos);
    EXPECT_EQ(main_lines[1].substr(0, 8), "\"Water\",");
    EXPECT_EQ(record_text("$$UTILITYOBJECT##P-1", "UTILITY NAME"), "Water");
    EXPECT_EQ(record_text("$$UTILITYOBJECT##P-1", "COST PER HOUR"), "4");
}

// A utility named like a slot that the pass writes reads what the lines of
// the utilities before it wrote.
TEST_F(UtilityItemDetail, AUtilityNamedLikeTheCostSlotReadsTheCostsOfTheLinesBeforeIt)
{
    project_parts parts;
    parts.entries = R"([{"name": "Steam", "slots": {"Unit Cost": 2}},
                        {"name": "COST PER HOUR", "slots": {"Unit Cost": 1}}])";
    parts.databases = databases({{"$$UTILITYOBJECT##P-1", R"("Steam": "3\nKLB/H")"}});
    run(parts);
    ASSERT_EQ(main_lines.size(), 2u);
    const std::string start = "\"COST PER HOUR\",\"\",\"P-1\",\"\",6.000000,\"\",\"\", 6.000000,";
    EXPECT_EQ(main_lines[1].substr(0, start.size()), start);
    EXPECT_EQ(record_text("$$UTILITYOBJECT##P-1", "UTILITY NAME"), "COST PER HOUR");
}

// The DA file refuses the third line: the main file has it, the DA file
// part of it, and its record has its cost, as the cost is written first; the
// records after it are untouched.
TEST_F(UtilityItemDetail, ALineTheDaFileRefusesEndsThePassAfterItsRecord)
{
    project_parts parts;
    parts.entries = plain_steam;
    record_list records;
    for (int i = 1; i <= 5; ++i) records.push_back({"$$UTILITYOBJECT##P-" + std::to_string(i), R"("Steam": "3\nKLB/H")"});
    parts.databases = databases(records);
    const std::string heading = std::string(tovex::detailed_column_heading) + "\n\n";
    const std::string line = steam_line("P-1", "", "") + "\n";  // every line is as long
    // Longer than the main file's start by a line: the DA file reaches the
    // limit first.
    const std::string da_start(heading.size() + line.size(), 'x');
    project = load_and_open(parts);
    dir.write("UtilRes2.Txt", heading);
    dir.write("UtilRes2_DA.Txt", da_start);
    {
        const reports_test::file_size_limit limit(da_start.size() + 2 * line.size() + 10);
        result = tovex::write_utility_item_detail(project.get(), "UtilRes2.Txt", "UtilRes2_DA.Txt");
    }
    EXPECT_EQ(result, 0);
    EXPECT_EQ(body_lines(dir.read("UtilRes2.Txt"), tovex::detailed_column_heading),
              (std::vector<std::string>{steam_line("P-1", "", ""), steam_line("P-2", "", ""),
                                        steam_line("P-3", "", "")}));
    EXPECT_EQ(dir.read("UtilRes2_DA.Txt"),
              da_start + steam_line("P-1", "", "") + "\n" + steam_line("P-2", "", "") + "\n" +
                  steam_line("P-3", "", "").substr(0, 10));
    EXPECT_EQ(record_text("$$UTILITYOBJECT##P-3", "COST PER HOUR"), "6");
    EXPECT_FALSE(record_has("$$UTILITYOBJECT##P-4", "COST PER HOUR"));
    EXPECT_FALSE(record_has("$$UTILITYOBJECT##P-5", "UTILITY NAME"));
}

TEST_F(UtilityItemDetail, FuelAsANumberAsAListAndAsText)
{
    const std::string fuel_record = R"("CpItemDescription": "Furnace", "Fuel": "10\nMMBTU/H")";
    struct fuel_case {
        const char* name;
        std::string op_slots;
        std::vector<std::string> lines;
    };
    const fuel_case cases[] = {
        {"number without units", R"("Fuel": 3)",
         {"\"Fuel\",\"\",\"F-1\",\"Furnace\",10.000000,\"\",\"MMBTU/H\", 30.000000, ,\"\", ,\"\", ,\"\",  ,\"\",\"\",\"\",\"\",,\"\",,\"\""}},
        {"number with units", R"("Fuel": {"value": 3, "units": "$/MMBTU"})",
         {"\"Fuel\",\"\",\"F-1\",\"Furnace\",10.000000,\"$/MMBTU\",\"MMBTU/H\", 30.000000, ,\"\", ,\"\", ,\"\",  ,\"\",\"\",\"\",\"\",,\"\",,\"\""}},
        {"list", R"("fuel": ["2.5", " $/MMBTU"])",
         {"\"Fuel\",\"\",\"F-1\",\"Furnace\",10.000000,\" $/MMBTU\",\"MMBTU/H\", 25.000000, ,\"\", ,\"\", ,\"\",  ,\"\",\"\",\"\",\"\",,\"\",,\"\""}},
        {"text", R"("Fuel": "3 per MMBTU")", {}},
        {"none", "", {}},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.name);
        project_parts parts;
        parts.databases = databases({{"$$UTILITYOBJECT##F-1", fuel_record}}, c.op_slots);
        run(parts);
        EXPECT_EQ(result, 1);
        EXPECT_EQ(main_lines, c.lines);
        EXPECT_EQ(da_lines, c.lines);
    }
}

TEST_F(UtilityItemDetail, TheDaFileShowsCoolingWaterDutyAsMass)
{
    struct view_case {
        const char* name;
        const char* utility;
        const char* energy;        // slots giving the energy per unit mass
        const char* temperatures;  // inlet and exit
        const char* da_columns;    // Description..Rate Units of the DA line, as printed
    };
    const view_case cases[] = {
        {"cooling water by mass", "Cooling Water", R"("Energy transfer per unit mass": {"value": 40, "units": "KJ/KG"})",
         "", "\"Cooling Water\",\"Water\",\"E-1\",\"\",12.500000,\"KG\",\"KG/H\""},
        {"energy units of another family", "Cooling Water",
         R"("Energy transfer per unit mass": {"value": 40, "units": "BTU/LB"})", "",
         "\"Cooling Water\",\"Water\",\"E-1\",\"\",500.000000,\"KJ\",\"KJ/H\""},
        {"energy units without a mass", "Cooling Water",
         R"("Energy transfer per unit mass": {"value": 40, "units": "KJ"})", "",
         "\"Cooling Water\",\"Water\",\"E-1\",\"\",12.500000,\"\",\"/H\""},
        {"energy units from their own slot", "Cooling Water", R"("Energy transfer per unit mass": 40, "Energy units": "KJ/KG")",
         "", "\"Cooling Water\",\"Water\",\"E-1\",\"\",12.500000,\"KG\",\"KG/H\""},
        {"warming HM-UTIL water", "HM-UTIL TW", R"("Energy transfer per unit mass": {"value": 40, "units": "KJ/KG"})",
         R"("Inlet temperature": 30, "Exit temperature": 40,)",
         "\"Cooling Water\",\"Water\",\"E-1\",\"\",12.500000,\"KG\",\"KG/H\""},
        {"cooling HM-UTIL water", "HM-UTIL TW", R"("Energy transfer per unit mass": {"value": 40, "units": "KJ/KG"})",
         R"("Inlet temperature": 40, "Exit temperature": 30,)",
         "\"HM-UTIL TW\",\"Water\",\"E-1\",\"\",500.000000,\"KJ\",\"KJ/H\""},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.name);
        project_parts parts;
        parts.entries = std::string("[{\"name\": \"") + c.utility + "\", \"slots\": {\"Fluid\": \"Water\", " +
                        c.temperatures + "\"Unit Cost\": 0.002, \"Unit Cost Units\": \"$/KJ\", " + c.energy + "}}]";
        parts.databases = databases({{"$$UTILITYOBJECT##E-1", std::string("\"") + c.utility + "\": \"500\\nKJ/H\""}});
        run(parts);
        ASSERT_EQ(main_lines.size(), 1u);
        ASSERT_EQ(da_lines.size(), 1u);
        EXPECT_EQ(main_lines[0].substr(0, main_lines[0].find(", ")),
                  std::string("\"") + c.utility + "\",\"Water\",\"E-1\",\"\",500.000000,\"KJ\",\"KJ/H\"");
        EXPECT_EQ(da_lines[0].substr(0, da_lines[0].find(", ")), c.da_columns);
        // Only the first columns differ: the cost and everything after it
        // are the same in both files.
        EXPECT_EQ(da_lines[0].substr(da_lines[0].find(", ")), main_lines[0].substr(main_lines[0].find(", ")));
        EXPECT_NE(main_lines[0].find(", 1.000000, "), std::string::npos);
    }
}

TEST_F(UtilityItemDetail, ALongLineIsCutAt2047CharactersAndNumberTextsAreKeptWhole)
{
    project_parts parts;
    parts.entries = R"([{"name": "Steam", "slots": {"Unit Cost": 1, "Inlet temperature": 123456789012,
                                                     "Exit temperature": -98765432}}])";
    parts.databases = databases({{"$$UTILITYOBJECT##P-1", R"("Steam": "1\nKLB/H")"},
                                 {"$$UTILITYOBJECT##P-2", R"("Steam": "1\nKLB/H", "CpItemDescription": ")" +
                                                              std::string(3000, 'd') + "\""}});
    run(parts);
    ASSERT_EQ(main_lines.size(), 2u);
    EXPECT_NE(main_lines[0].find(", 123456789012.000000,\"\","), std::string::npos);
    EXPECT_NE(main_lines[0].find(",123456789012.000000,\"\",-98765432.000000,\"\""), std::string::npos);
    EXPECT_EQ(main_lines[1].size(), 2047u);
    EXPECT_EQ(main_lines[1], (std::string("\"Steam\",\"\",\"P-2\",\"") + std::string(3000, 'd')).substr(0, 2047));
    EXPECT_EQ(da_lines, main_lines);
}

TEST_F(UtilityItemDetail, WithoutResultsDatabaseOrConfigurationNothingIsAppended)
{
    project_parts parts;
    parts.entries = plain_steam;
    run(parts);
    EXPECT_EQ(result, 0);
    EXPECT_EQ(dir.read("UtilRes2.Txt"), std::string(tovex::detailed_column_heading) + "\n\n");

    parts.databases = databases({{"$$UTILITYOBJECT##P-1", R"("Steam": "1\nKLB/H")"}});
    parts.utility_streams_extra = "\"valid\": false";
    run(parts);
    EXPECT_EQ(result, 0);
    EXPECT_EQ(dir.read("UtilRes2.Txt"), std::string(tovex::detailed_column_heading) + "\n\n");
}

TEST(UtilityEntryProperties, UnitsFallBackOnTheUnitsOfTheNumbers)
{
    project_parts parts;
    parts.entries = R"([{"name": "Steam", "slots": {
        "Fluid": "Steam", "Inlet temperature": {"value": 300, "units": "DEG F"},
        "Exit temperature": {"value": 250, "units": "DEG C"},
        "Pressure": {"value": 10, "units": "BARG"}, "Pressure units": "PSIG",
        "Design Pressure": {"value": 20, "units": "BARG"}, "Design Temperature": 400,
        "Energy transfer per unit mass": {"value": 900, "units": "BTU/LB"}, "Energy units": "KJ/KG",
        "Unit Cost": {"value": 7, "units": "$/KLB"}, "Unit Cost Units": " $ / KLB "}}])";
    tovex_test::load_project(reports_test::project_json(parts));
    auto project = reports_test::open_project();
    CqxProjectStreamsConfig config(project.get(), 2005, 0);
    std::unique_ptr<CqxProjectConfig> entry(config.InstantiateEntry("Steam"));
    ASSERT_TRUE(entry);
    tovex::utility_properties properties;
    EXPECT_EQ(tovex::read_utility_entry_properties(*entry, properties), 1);
    EXPECT_EQ(properties.fluid, "Steam");
    EXPECT_EQ(properties.inlet_temperature, 300.0);
    EXPECT_EQ(properties.exit_temperature, 250.0);
    EXPECT_EQ(properties.operating_temperature, 300.0);
    EXPECT_EQ(properties.temperature_units, "DEG C");  // from the exit temperature, read last
    EXPECT_EQ(properties.pressure, 10.0);
    EXPECT_EQ(properties.pressure_units, "PSIG");
    EXPECT_EQ(properties.design_pressure, 20.0);
    EXPECT_EQ(properties.design_temperature, 400.0);
    EXPECT_EQ(properties.energy_per_mass, 900.0);
    EXPECT_EQ(properties.energy_units, "BTU/LB");
    EXPECT_EQ(properties.unit_cost, 7.0);
    EXPECT_EQ(properties.priced_unit, " KLB");
    qxhost::Workspace::get().unload();
}

TEST(ItemArea, OnlyAnEquipmentItemInAnAreaGivesTexts)
{
    project_parts parts;
    parts.objects = areas_and_items;
    tovex_test::load_project(reports_test::project_json(parts));
    auto project = reports_test::open_project();
    std::string area = "kept";
    std::string group = "kept";
    EXPECT_EQ(tovex::get_item_area_and_group(project.get(), "LOOSE-1", area, group), 0);
    EXPECT_EQ(tovex::get_item_area_and_group(project.get(), "", area, group), 0);
    EXPECT_EQ(tovex::get_item_area_and_group(project.get(), "AREA-2", area, group), 0);
    EXPECT_EQ(area, "kept");
    EXPECT_EQ(group, "kept");
    EXPECT_EQ(tovex::get_item_area_and_group(project.get(), "EXCHANGER-ABCDEF", area, group), 1);
    EXPECT_EQ(area, "200");
    EXPECT_EQ(group, "3");
    qxhost::Workspace::get().unload();
}

}  // namespace
