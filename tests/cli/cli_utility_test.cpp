// The utility calculation as a user drives it: one project file, the
// command's passes and runs, and what the state file then holds.
#include <gtest/gtest.h>

#include <string>

#include "command_runner.h"
#include "projfile/projfile.h"

namespace {

using cli_test::CommandFolder;
using cli_test::CommandResult;

// Runs `command` (run or pass) on the fixture with `options`; the state after.
std::unique_ptr<qxhost::Project> run(const CommandFolder& folder, const std::string& command,
                                     const std::vector<std::string>& options)
{
    const std::string state = (folder.path() / "state.json").string();
    std::vector<std::string> arguments{command, folder.fixture("signs-plant.json"), "--dir",
                                       folder.work().string(), "--state", state};
    arguments.insert(arguments.end(), options.begin(), options.end());
    const CommandResult result = folder.run(arguments);
    EXPECT_EQ(result.status, 0) << result.err;
    return qxhost::read_project_file(state);
}

std::string row_value(const qxhost::Project& project, const std::string& cost_slot)
{
    for (const auto& row : project.cost_rows)
        if (row.cost_slot == cost_slot) return row.value;
    return "<no row>";
}

std::string record_slot(const qxhost::Project& project, const std::string& record, const std::string& slot)
{
    const qxhost::Database* results = project.databases.find("UTILRES0");
    if (results == nullptr) return "<no database>";
    const qxhost::SlotTable* object = results->find(record);
    if (object == nullptr) return "<no record>";
    const qxhost::Value* value = object->find(slot);
    return value ? qxhost::value_as_text(*value) : "<no slot>";
}

TEST(UtilityPass, ChargesAndCreditsByConnectorsAndRecordsEachStreamsOwnAmount)
{
    CommandFolder folder;
    const auto state = run(folder, "pass", {"--class", "3105", "--record"});
    // USED +1 KLB/H, MADE -3, MADE-NONE -0; LOOSE (no connectors) and
    // THROUGH (both sides) are left out in this class.
    EXPECT_EQ(row_value(*state, "Steam"), "-2      \nKLB/H");
    EXPECT_EQ(record_slot(*state, "$$UTILITYOBJECT##E-1", "Steam"), "1.000000\nKLB/H");
    // The boiler's record holds the latest of its two credited streams: a
    // credited zero keeps its minus sign.
    EXPECT_EQ(record_slot(*state, "$$UTILITYOBJECT##B-1", "Steam"), "-0.000000\nKLB/H");
    EXPECT_EQ(record_slot(*state, "$$UTILITYOBJECT##B-1", "Steam-STREAM"), "MADE-NONE");
    EXPECT_EQ(record_slot(*state, "$$UTILITYOBJECT##B-1", "CpItemDescription"), "Waste heat boiler");
}

TEST(UtilityPass, WithoutRecordingTheDatabaseIsNotWritten)
{
    CommandFolder folder;
    const auto state = run(folder, "pass", {"--class", "3105"});
    EXPECT_EQ(row_value(*state, "Steam"), "-2      \nKLB/H");
    EXPECT_EQ(state->databases.find("UTILRES0"), nullptr);
}

TEST(UtilityPass, OtherClassesChargeUnconnectedStreamsAndFuelIgnoresARateWithoutUnits)
{
    CommandFolder folder;
    const auto state = run(folder, "pass", {"--class", "3305"});
    EXPECT_EQ(row_value(*state, "Steam"), "0.5     \nKLB/H");
    // 20000 BTU/LB x 100 LB/H; the "Rate" of 99 has no units to convert.
    EXPECT_EQ(row_value(*state, "Fuel"), "2       \nMMBTU/H");
}

TEST(UtilityRun, ANegativeTotalIsStoredAndHandedOverWrapped)
{
    CommandFolder folder;
    const auto state = run(folder, "run", {"--reduced"});
    // Steam -2 + 0.5 KLB/H at 10 $/KLB for the default 8000 hours.
    EXPECT_EQ(row_value(*state, "Steam"), "-1.5    \nKLB/H");
    const auto& total = state->cost_rows.back();
    EXPECT_EQ(total.value, "-120000");
    ASSERT_TRUE(total.number.has_value());
    EXPECT_EQ(*total.number, 18446744073709551615ULL - 120000 + 1);
    const qxhost::Value* cost = state->entries.find("Steam")->slots.find("Cost per Hour");
    ASSERT_NE(cost, nullptr);
    EXPECT_EQ(qxhost::value_as_text(*cost), "-15");
}

}  // namespace
