// File errors: a report writer that cannot open or write its files stops
// with 0, closes what it opened, and what it wrote before stays.
#include <gtest/gtest.h>

#include <filesystem>

#include "report_helpers.h"
#include "reports/detailed_line.h"
#include "reports/detailed_report.h"
#include "reports/summary_report.h"

namespace {

using reports_test::file_size_limit;
using reports_test::link_to_full_device;
using reports_test::load_and_open;
using reports_test::project_parts;
using reports_test::record_has;

// Prices, two items with electrical loads and one usage record, so that
// every writer has something to write.
project_parts priced_project()
{
    project_parts parts;
    parts.entries = R"([{"name": "Steam", "slots": {"Unit Cost": 2, "Rate per Hour": 1, "Cost per Hour": 2}}])";
    parts.objects = R"([
      {"name": "AREA-1", "class": 1505, "slots": {"ArAreaReferenceNumber": "1", "ArReportGroupNumber": "1"}},
      {"name": "A-1", "class": 1705, "ref_id": 11, "area": "AREA-1"},
      {"name": "B-1", "class": 1705, "ref_id": 12, "area": "AREA-1"}])";
    parts.databases = R"({"OP": {"Operating Unit Costs": {"Electricity": 0.5, "Fuel": 2}},
      "UTILRES0": {"UTIL_USAGE_LIST_OF_OBJECTS": {"$$UTILITYOBJECT##A-1": ""},
                   "$$UTILITYOBJECT##A-1": {"Steam": "3\nKLB/H"}}})";
    parts.cost_rows = R"([{"name": "Fuel", "cost_slot": "Fuel", "value": "1\nMMBTU/H"}])";
    return parts;
}

class ReportFiles : public ::testing::Test {
protected:
    void SetUp() override
    {
        project = load_and_open(priced_project());
        dir.write("KVT_ELEC.TMP", "11:1\n12:2\nProject Total:3\n");
    }
    void TearDown() override { qxhost::Workspace::get().unload(); }

    tovex_test::ScratchDir dir;
    std::unique_ptr<CqxProject> project;
};

TEST_F(ReportFiles, ASummaryFileThatCannotBeWrittenEndsTheReport)
{
    link_to_full_device("UtilRes.Txt");
    EXPECT_EQ(tovex::write_summary_report(project.get(), "UtilRes.Txt", "UtilRes_DA.Txt"), 0);
    // The body was not called: the second file holds nothing either.
    EXPECT_EQ(dir.read("UtilRes_DA.Txt"), "");
    EXPECT_EQ(tovex::write_summary_body(project.get(), "UtilRes.Txt", "UtilRes_DA.Txt"), 0);

    tovex_test::CallerLists lists;
    const std::string before = dir.read("UtilRes_DA.Txt");
    tovex::write_summary_fuel_line(project.get(), "UtilRes.Txt", "UtilRes_DA.Txt", lists.names(),
                                   lists.cost_slots(), lists.values());
    EXPECT_EQ(dir.read("UtilRes_DA.Txt"), before);
}

TEST_F(ReportFiles, ASummaryFileThatCannotBeOpenedEndsTheReport)
{
    std::filesystem::create_directory(dir.path() / "UtilRes_DA.Txt");
    EXPECT_EQ(tovex::write_summary_report(project.get(), "UtilRes.Txt", "UtilRes_DA.Txt"), 0);
    EXPECT_EQ(dir.read("UtilRes.Txt"), "");
}

TEST_F(ReportFiles, AFailingBodyLeavesTheReportsResultAtOne)
{
    // The DA file takes the heading, but the body's first write to it fails.
    ASSERT_EQ(tovex::write_summary_report(project.get(), "UtilRes.Txt", "UtilRes_DA.Txt"), 1);
    std::filesystem::remove(dir.path() / "UtilRes_DA.Txt");
    link_to_full_device("UtilRes_DA.Txt");
    EXPECT_EQ(tovex::write_summary_body(project.get(), "UtilRes.Txt", "UtilRes_DA.Txt"), 0);
}

TEST_F(ReportFiles, ADetailedFileThatCannotBeWrittenStopsBeforeTheDetailWriters)
{
    link_to_full_device("UtilRes2_DA.Txt");
    EXPECT_EQ(tovex::write_detailed_report(project.get(), "UtilRes2.Txt", "UtilRes2_DA.Txt"), 0);
    EXPECT_EQ(dir.read("UtilRes2.Txt"), std::string("\n\n\n\"Utility Information\"\n\n\n"));
    EXPECT_FALSE(record_has("$$ELECTRCOBJECT##A-1", "Electricity"));
    EXPECT_FALSE(record_has("$$UTILITYOBJECT##A-1", "COST PER HOUR"));
}

TEST_F(ReportFiles, ADetailFileThatCannotBeOpenedIsLeftAlone)
{
    dir.write("UtilRes2.Txt", "heading");
    std::filesystem::create_directory(dir.path() / "UtilRes2_DA.Txt");
    EXPECT_EQ(tovex::write_electricity_detail(project.get(), "UtilRes2.Txt", "UtilRes2_DA.Txt"), 0);
    EXPECT_EQ(tovex::write_utility_item_detail(project.get(), "UtilRes2.Txt", "UtilRes2_DA.Txt"), 0);
    EXPECT_EQ(dir.read("UtilRes2.Txt"), "heading");
    EXPECT_FALSE(record_has("$$ELECTRCOBJECT##A-1", "Electricity"));
}

TEST_F(ReportFiles, AUtilityLineThatCannotBeWrittenEndsThePass)
{
    dir.write("UtilRes2.Txt", "heading");
    link_to_full_device("UtilRes2_DA.Txt");
    EXPECT_EQ(tovex::write_utility_item_detail(project.get(), "UtilRes2.Txt", "UtilRes2_DA.Txt"), 0);
    EXPECT_NE(dir.read("UtilRes2.Txt").find("\"Steam\",\"\",\"A-1\""), std::string::npos);
}

TEST_F(ReportFiles, AnElectricityLineThatCannotBeWrittenEndsThePassAndReleasesTheObjectList)
{
    const std::string heading = tovex::detailed_column_heading;
    dir.write("UtilRes2.Txt", heading);
    dir.write("UtilRes2_DA.Txt", heading);
    const std::string first_line =
        "\"Electricity\",\"\",\"\",\"\",1.000000,\"KW\",\"KWH\", 0.500000, ,\"\", ,\"\", ,\"\",  ,\"\",\"\",\"1\",\"1\",,\"\",,\"\"\n";
    int result = -1;
    {
        // Room for the line feeds and the first item's line, not the second's.
        const file_size_limit limit(heading.size() + 2 + first_line.size());
        result = tovex::write_electricity_detail(project.get(), "UtilRes2.Txt", "UtilRes2_DA.Txt");
    }
    EXPECT_EQ(result, 0);
    EXPECT_EQ(dir.read("UtilRes2.Txt"), heading + "\n\n" + first_line);
    EXPECT_EQ(dir.read("UtilRes2_DA.Txt"), heading + "\n\n" + first_line);
    EXPECT_TRUE(record_has("$$ELECTRCOBJECT##A-1", "COST PER HOUR"));
    EXPECT_FALSE(record_has("$$ELECTRCOBJECT##B-1", "Electricity"));
    EXPECT_FALSE(qxhost::Workspace::get().object_list_built);
}

}  // namespace
