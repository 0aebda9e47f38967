// The Fuel line of the summary and the Fuel unit cost behind it.
#include <gtest/gtest.h>

#include "report_helpers.h"
#include "reports/summary_line.h"
#include "reports/summary_report.h"

namespace {

using reports_test::body_lines;
using reports_test::load_and_open;
using reports_test::project_parts;

class SummaryFuelLine : public ::testing::Test {
protected:
    void TearDown() override { qxhost::Workspace::get().unload(); }

    // A project whose OP database holds `fuel_slots` and whose Fuel cost row
    // holds `fuel_value`; returns the summary's lines after the Fuel line
    // was appended, the second file's equal to the first's.
    std::vector<std::string> fuel_lines(const std::string& fuel_slots, const std::string& fuel_value,
                                        bool fuel_row = true)
    {
        project_parts parts;
        parts.databases = R"({"OP": {"Operating Unit Costs": {)" + fuel_slots +
                          R"(}}, "STD": {"Standard Basis Input File": {"Currency Symbol": "EUR"}}})";
        parts.cost_rows = std::string("[{\"name\": \"") + (fuel_row ? "Fuel" : "Fuel gas") +
                          "\", \"cost_slot\": \"Fuel\", \"value\": \"" + fuel_value + "\"}]";
        auto project = load_and_open(parts);
        tovex_test::CallerLists lists;
        tovex::write_summary_report(project.get(), "UtilRes.Txt", "UtilRes_DA.Txt");
        tovex::write_summary_fuel_line(project.get(), "UtilRes.Txt", "UtilRes_DA.Txt", lists.names(),
                                       lists.cost_slots(), lists.values());
        const auto first = body_lines(dir.read("UtilRes.Txt"), tovex::summary_column_heading);
        EXPECT_EQ(first, body_lines(dir.read("UtilRes_DA.Txt"), tovex::summary_column_heading));
        return first;
    }

    tovex_test::ScratchDir dir;
};

const std::vector<std::string> priced_fuel_line{
    "\"Fuel\",\"\",42.500000,\"MMBTU\",\"MMBTU/H\",\"191.250000\",EUR/H"};

TEST_F(SummaryFuelLine, FuelAsANumberWithUnitsOrAsAListGivesTheSameLine)
{
    EXPECT_EQ(fuel_lines(R"("Fuel": {"value": 4.5, "units": "$/MMBTU"})", "42.5    \\nMMBTU/H"), priced_fuel_line);
    EXPECT_EQ(fuel_lines(R"("Fuel": ["4.5", "$/MMBTU"])", "42.5    \\nMMBTU/H"), priced_fuel_line);
}

TEST_F(SummaryFuelLine, TheFuelSlotIsFoundInAnyLetterCaseAndTheLastOneWins)
{
    EXPECT_EQ(fuel_lines(R"("FUEL": 1, "fuel": {"value": 4.5, "units": "$/MMBTU"})", "42.5\\nMMBTU/H"),
              priced_fuel_line);
}

TEST_F(SummaryFuelLine, FuelWithoutUnitsHasAnEmptyUnitsColumn)
{
    EXPECT_EQ(fuel_lines(R"("Fuel": 2)", "10\\nMMBTU/H"),
              std::vector<std::string>{"\"Fuel\",\"\",10.000000,\"\",\"MMBTU/H\",\"20.000000\",EUR/H"});
}

TEST_F(SummaryFuelLine, TheAmountsUnitsAreWhatFollowsTheNumber)
{
    EXPECT_EQ(fuel_lines(R"("Fuel": 2)", " 10 \\n LB/H "),
              std::vector<std::string>{"\"Fuel\",\"\",10.000000,\"\",\"LB/H\",\"20.000000\",EUR/H"});
    EXPECT_EQ(fuel_lines(R"("Fuel": 2)", "10"),
              std::vector<std::string>{"\"Fuel\",\"\",10.000000,\"\",\"\",\"20.000000\",EUR/H"});
}

TEST_F(SummaryFuelLine, NoLineWithoutAPriceAnAmountOrAFuelRow)
{
    const std::vector<std::string> none;
    EXPECT_EQ(fuel_lines(R"("Electricity": 0.1)", "42.5\\nMMBTU/H"), none);
    EXPECT_EQ(fuel_lines(R"("Fuel": "4.5 per MMBTU")", "42.5\\nMMBTU/H"), none);
    EXPECT_EQ(fuel_lines(R"("Fuel": 0)", "42.5\\nMMBTU/H"), none);
    EXPECT_EQ(fuel_lines(R"("Fuel": 4.5)", ""), none);
    EXPECT_EQ(fuel_lines(R"("Fuel": 4.5)", "0\\nMMBTU/H"), none);
    EXPECT_EQ(fuel_lines(R"("Fuel": 4.5)", "42.5\\nMMBTU/H", false), none);
}

TEST_F(SummaryFuelLine, GetFuelUnitCostLeavesTheSlotAloneWithoutAPrice)
{
    load_and_open(project_parts{});
    CqxSlot slot;
    tovex::get_fuel_unit_cost(reports_test::instance, slot);
    EXPECT_FALSE(slot.IsValid());
}

}  // namespace
