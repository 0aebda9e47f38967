// The example plants, run through the command as a user runs them: the
// postings, the entry slots, the total and the usage records in the state.
#include <gtest/gtest.h>

#include <filesystem>
#include <string>

#include "command_runner.h"
#include "projfile/projfile.h"

namespace {

using cli_test::CommandFolder;
using cli_test::CommandResult;

std::string example(const char* name) { return (tovex_test::source_dir() / "examples" / name).string(); }

std::unique_ptr<qxhost::Project> run_example(const CommandFolder& folder, const char* name, bool reduced)
{
    const std::string state = (folder.path() / "state.json").string();
    std::vector<std::string> arguments{"run", example(name), "--dir", folder.work().string(), "--state", state};
    if (reduced) arguments.push_back("--reduced");
    const CommandResult result = folder.run(arguments);
    EXPECT_EQ(result.status, 0) << result.err;
    EXPECT_EQ(result.err.find("tovex: warning:"), std::string::npos) << "the examples convert every unit they use";
    return qxhost::read_project_file(state);
}

std::string text_of(const qxhost::Value* value) { return value ? qxhost::value_as_text(*value) : "<missing>"; }

TEST(Examples, EveryUtilityOfTheEthylenePlantIsPostedAndSettled)
{
    CommandFolder folder;
    const auto state = run_example(folder, "ethylene-plant.json", false);

    for (const auto& row : state->cost_rows) EXPECT_NE(row.value, "") << row.name;
    for (const auto& [name, entry] : state->entries) {
        EXPECT_NE(entry.slots.find("Rate per Hour"), nullptr) << name;
        EXPECT_NE(entry.slots.find("Cost per Hour"), nullptr) << name;
    }
    // Charged and credited steam: 18 KLB/H to the reboiler, 6.5 from the drum.
    EXPECT_EQ(state->cost_rows[1].value, "11.5    \nKLB/H");
    EXPECT_EQ(text_of(state->entries.find("Steam @165PSI")->slots.find("Rate per Hour")), "11.5\nKLB/H");
    EXPECT_EQ(text_of(state->entries.find("Steam @165PSI")->slots.find("Cost per Hour")), "143.75");
    // Fuel by firing rate (42.5) and by heating value (20500 BTU/LB x 2100 LB/H).
    EXPECT_EQ(state->cost_rows[6].value, "85.55   \nMMBTU/H");

    const auto& total = state->cost_rows.back();
    EXPECT_EQ(total.cost_slot, "Total Process Utility Cost Per Period");
    ASSERT_TRUE(total.number.has_value());
    const qxhost::Value* stored =
        state->databases.find("UTILITY")->find("Process Utilities Information")->find(total.cost_slot);
    EXPECT_EQ(text_of(stored), total.value);
    EXPECT_EQ(*total.number, static_cast<std::uint64_t>(std::stod(total.value)));
}

TEST(Examples, TheFullRunRecordsOneUsagePerConnectedItem)
{
    CommandFolder folder;
    const auto state = run_example(folder, "ethylene-plant.json", false);
    const qxhost::Database* results = state->databases.find("UTILRES0");
    ASSERT_NE(results, nullptr);
    for (const char* item : {"E-101", "E-102", "E-201", "B-301", "F-401", "F-402", "PKG-501", "SS-601", "E-701",
                             "E-801"}) {
        EXPECT_NE(results->find(std::string("$$UTILITYOBJECT##") + item), nullptr) << item;
    }
    // The cooling water bypass (both sides) and the spare header (no
    // connectors) are left out: E-101 uses only its own supply.
    EXPECT_EQ(text_of(results->find("$$UTILITYOBJECT##E-101")->find("Cooling Water-STREAM")), "CW to E-101");
    EXPECT_EQ(text_of(results->find("$$UTILITYOBJECT##B-301")->find("Steam @165PSI")), "-6.500000\nKLB/H");
    // Electricity for the items in an area; the analyzer house has none.
    EXPECT_NE(results->find("$$ELECTRCOBJECT##K-201"), nullptr);
    EXPECT_EQ(results->find("$$ELECTRCOBJECT##PKG-501"), nullptr);
}

TEST(Examples, TheReducedRunWritesNoRecord)
{
    CommandFolder folder;
    const auto state = run_example(folder, "ethylene-plant.json", true);
    EXPECT_EQ(state->databases.find("UTILRES0"), nullptr);
    EXPECT_FALSE(std::filesystem::exists(folder.work() / "UtilRes2.Txt"));
    EXPECT_TRUE(std::filesystem::exists(folder.work() / "UtilRes.Txt"));
}

TEST(Examples, TheSimulatorCasePlantRunsBothWays)
{
    CommandFolder folder;
    const auto full = run_example(folder, "sim-case-plant.json", false);
    EXPECT_NE(full->databases.find("UTILRES0"), nullptr);
    const auto reduced = run_example(folder, "sim-case-plant.json", true);
    EXPECT_NE(full->cost_rows.back().value, reduced->cost_rows.back().value);
}

}  // namespace
