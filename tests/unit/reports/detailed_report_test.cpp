// The heading of the detailed report and the composition of its 23-column
// line.
#include <gtest/gtest.h>

#include <filesystem>

#include "report_helpers.h"
#include "reports/detailed_line.h"
#include "reports/detailed_report.h"

namespace {

using reports_test::load_and_open;
using reports_test::project_parts;

class DetailedReport : public ::testing::Test {
protected:
    void TearDown() override { qxhost::Workspace::get().unload(); }
    tovex_test::ScratchDir dir;
};

TEST(DetailedLine, ColumnsSitBetweenTheirSeparatorsAndBlanks)
{
    tovex::detailed_line line;
    line.description = "D1";
    line.fluid = "F2";
    line.item = "I3";
    line.item_description = "ID4";
    line.rate = 5.5;
    line.units = "U6";
    line.rate_units = "RU7";
    line.cost_per_hour = 8.25;
    line.operating_pressure = "p9";
    line.pressure_units = "PU";
    line.operating_temperature = "t11";
    line.temperature_units = "TU";
    line.design_pressure = "dp13";
    line.design_temperature = "dt15";
    line.stream_name = "S17";
    line.area_id = "A18";
    line.report_group_id = "G19";
    line.inlet_temperature = "in20";
    line.exit_temperature = "ex22";
    EXPECT_EQ(tovex::compose_detailed_line(line),
              "\"D1\",\"F2\",\"I3\",\"ID4\",5.500000,\"U6\",\"RU7\", 8.250000, p9,\"PU\", t11,\"TU\", dp13,\"PU\",  "
              "dt15,\"TU\",\"S17\",\"A18\",\"G19\",in20,\"TU\",ex22,\"TU\"");
    EXPECT_EQ(std::string(tovex::detailed_column_heading).size(), 370u);
}

TEST_F(DetailedReport, HeadingTextsCarryTheScenarioName)
{
    project_parts parts;
    parts.scenario_name = "Expansion 2030";
    auto project = load_and_open(parts);
    EXPECT_EQ(tovex::write_detailed_report(project.get(), "UtilRes2.Txt", "UtilRes2_DA.Txt"), 1);
    const std::string expected = std::string("\n\n\n\"Utility Information\"\n\n\n") +
                                 "\n\n\"Project:Expansion 2030\"\n\n" + tovex::detailed_column_heading +
                                 "\n\n";
    // No electricity price and no results database: the detail writers add
    // only the two line feeds that end the column heading.
    EXPECT_EQ(dir.read("UtilRes2.Txt"), expected);
    EXPECT_EQ(dir.read("UtilRes2_DA.Txt"), expected);
}

TEST_F(DetailedReport, AnOverlongScenarioNameIsKeptWhole)
{
    project_parts parts;
    parts.scenario_name = std::string(700, 'S');
    auto project = load_and_open(parts);
    tovex::write_detailed_report(project.get(), "UtilRes2.Txt", "UtilRes2_DA.Txt");
    const std::string text = dir.read("UtilRes2.Txt");
    EXPECT_NE(text.find("\n\"Project:" + parts.scenario_name + "\"\n"), std::string::npos);
}

TEST_F(DetailedReport, NothingIsTouchedWithoutAProjectOrAMainFileName)
{
    auto project = load_and_open(project_parts{});
    EXPECT_EQ(tovex::write_detailed_report(nullptr, "UtilRes2.Txt", "UtilRes2_DA.Txt"), 0);
    EXPECT_EQ(tovex::write_detailed_report(project.get(), "", "UtilRes2_DA.Txt"), 0);
    CqxProject other(reports_test::instance, "ANOTHER", reports_test::scenario, 0, nullptr, nullptr, 0);
    EXPECT_EQ(tovex::write_detailed_report(&other, "UtilRes2.Txt", "UtilRes2_DA.Txt"), 0);
    EXPECT_TRUE(std::filesystem::is_empty(dir.path()));
}

TEST_F(DetailedReport, TheDetailWritersNeverCreateTheFiles)
{
    auto project = load_and_open(project_parts{});
    EXPECT_EQ(tovex::write_electricity_detail(project.get(), "UtilRes2.Txt", "UtilRes2_DA.Txt"), 0);
    EXPECT_EQ(tovex::write_utility_item_detail(project.get(), "UtilRes2.Txt", "UtilRes2_DA.Txt"), 0);
    EXPECT_TRUE(std::filesystem::is_empty(dir.path()));
}

}  // namespace
