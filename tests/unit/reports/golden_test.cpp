// The four reports of a small plant, compared byte for byte with golden
// files written by hand from the report formats.
#include <gtest/gtest.h>

#include "projfile/projfile.h"
#include "model/run_inputs.h"
#include "report_helpers.h"
#include "reports/detailed_report.h"
#include "reports/summary_report.h"

namespace {

using reports_test::fixture;
using reports_test::record_has;
using reports_test::record_text;

class GoldenReports : public ::testing::Test {
protected:
    void SetUp() override
    {
        project = reports_test::load_and_open(fixture("plant.json"));
        const auto load_file = qxhost::electrical_load_file_text(tovex_test::loaded());
        ASSERT_TRUE(load_file.has_value());
        dir.write("KVT_ELEC.TMP", *load_file);
    }
    void TearDown() override { qxhost::Workspace::get().unload(); }

    tovex_test::ScratchDir dir;
    std::unique_ptr<CqxProject> project;
};

// What the full run writes: the summary, its Fuel line, the detailed report.
TEST_F(GoldenReports, FullRunReports)
{
    tovex_test::CallerLists lists;
    EXPECT_EQ(tovex::write_summary_report(project.get(), "UtilRes.Txt", "UtilRes_DA.Txt"), 1);
    tovex::write_summary_fuel_line(project.get(), "UtilRes.Txt", "UtilRes_DA.Txt", lists.names(),
                                   lists.cost_slots(), lists.values());
    EXPECT_EQ(tovex::write_detailed_report(project.get(), "UtilRes2.Txt", "UtilRes2_DA.Txt"), 1);

    EXPECT_EQ(dir.read("UtilRes.Txt"), fixture("UtilRes.Txt"));
    EXPECT_EQ(dir.read("UtilRes_DA.Txt"), fixture("UtilRes_DA.Txt"));
    EXPECT_EQ(dir.read("UtilRes2.Txt"), fixture("UtilRes2.Txt"));
    EXPECT_EQ(dir.read("UtilRes2_DA.Txt"), fixture("UtilRes2_DA.Txt"));
}

// The reduced run writes the summary only, without the Fuel line.
TEST_F(GoldenReports, ReducedRunReports)
{
    EXPECT_EQ(tovex::write_summary_report(project.get(), "UtilRes.Txt", "UtilRes_DA.Txt"), 1);
    const std::string fuel_line = "\"Fuel\",\"\",42.500000,\"MMBTU\",\"MMBTU/H\",\"191.250000\",$/H\n";
    for (const char* name : {"UtilRes.Txt", "UtilRes_DA.Txt"}) {
        std::string golden = fixture(name);
        ASSERT_TRUE(golden.ends_with(fuel_line));
        golden.resize(golden.size() - fuel_line.size());
        EXPECT_EQ(dir.read(name), golden) << name;
    }
    EXPECT_FALSE(dir.exists("UtilRes2.Txt"));
    EXPECT_FALSE(dir.exists("UtilRes2_DA.Txt"));
}

TEST_F(GoldenReports, TheDetailedReportPricesTheUsageRecords)
{
    tovex::write_detailed_report(project.get(), "UtilRes2.Txt", "UtilRes2_DA.Txt");
    const struct {
        const char* record;
        double cost;
        const char* utility;
    } priced[] = {
        {"$$ELECTRCOBJECT##E-101", 1.25, "Electricity"},
        {"$$ELECTRCOBJECT##F-401", 10.0, "Electricity"},
        {"$$UTILITYOBJECT##E-101", 127.5, "Cooling Water"},
        {"$$UTILITYOBJECT##EXCHANGER-ABCDEF", 1.0, "HM-UTIL Tempered Water"},
        {"$$UTILITYOBJECT##PKG-501", 25.0, "Steam @165PSI"},
        {"$$UTILITYOBJECT##F-401", 191.25, "Fuel"},
    };
    for (const auto& p : priced) {
        SCOPED_TRACE(p.record);
        CqxGenericObject record(reports_test::instance, "UTILRES0", p.record, 0, nullptr, 0);
        double cost = -1.0;
        std::string units = "<none>";
        EXPECT_NE(record.GetValue("COST PER HOUR", cost, units), 0);
        EXPECT_DOUBLE_EQ(cost, p.cost);
        EXPECT_EQ(units, "");
        EXPECT_EQ(record_text(p.record, "UTILITY NAME"), p.utility);
    }
    // A zero usage, an item outside any area and a load without an item
    // leave no priced record.
    EXPECT_FALSE(record_has("$$UTILITYOBJECT##E-102", "COST PER HOUR"));
    EXPECT_FALSE(record_has("$$ELECTRCOBJECT##PKG-501", "Electricity"));
    EXPECT_FALSE(record_has("$$ELECTRCOBJECT##E-102", "Electricity"));
}

}  // namespace
