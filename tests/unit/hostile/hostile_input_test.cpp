// The example plant made hostile: every text 100,000 characters long, or
// every number at a limit of the double, run in full; and a project file too
// large to read. Each gives a defined result: the run returns 1, writes its
// four reports and leaves a project that reads back; or the file is refused
// with a message that says why.
#include <gtest/gtest.h>

#include <sys/types.h>
#include <unistd.h>

#include <cmath>
#include <limits>
#include <nlohmann/json.hpp>
#include <string>
#include <tuple>

#include "host/unitkit.h"
#include "model/run_inputs.h"
#include "model/workspace.h"
#include "model/cost_row_lists.h"
#include "projfile/projfile.h"
#include "support/support.h"
#include "tovex/tovex.h"

namespace {

using nlohmann::ordered_json;

ordered_json example_plant(const std::string& name = "ethylene-plant")
{
    return ordered_json::parse(tovex_test::read_file(tovex_test::source_dir() / "examples" / (name + ".json")));
}

// Calls `change` on every string (or every number) of `value` but the keys.
template <class Change>
void change_each(ordered_json& value, const Change& change)
{
    if (value.is_object() || value.is_array()) {
        for (auto& member : value) change_each(member, change);
        return;
    }
    change(value);
}

struct RunResult {
    int result = 0;
    std::string summary;
    std::string detailed;
    std::string state;
};

// Runs the project in full, as the command does, in a scratch folder.
RunResult run_in_full(const ordered_json& project)
{
    tovex_test::ScratchDir scratch;
    qxhost::LoadedProject loaded(qxhost::parse_project(project.dump(), "hostile.json"));
    qxhost::Project& run = loaded.project();
    if (const auto load_file = qxhost::electrical_load_file_text(run)) scratch.write("KVT_ELEC.TMP", *load_file);
    RunResult outcome;
    {
        qxhost::CallerLists lists(run.cost_rows);
        unitkit_clear_warnings();
        outcome.result = tovex_get_utility_init(run.name.c_str(), run.scenario.c_str(), run.instance, lists.names(),
                                                lists.cost_slots(), lists.values());
        lists.copy_values_to(run.cost_rows);
    }
    outcome.state = qxhost::write_project_json(run);
    outcome.summary = scratch.read("UtilRes.Txt");
    outcome.detailed = scratch.read("UtilRes2.Txt");
    for (const char* report : {"UtilRes_DA.Txt", "UtilRes2_DA.Txt"}) EXPECT_TRUE(scratch.exists(report)) << report;
    return outcome;
}

// The plant with every text grown alike, so that names still find what
// they name, and every units text made one that no table knows.
ordered_json with_long_texts(const std::string& plant, const std::string& tail)
{
    ordered_json project = example_plant(plant);
    change_each(project, [&](ordered_json& value) {
        if (value.is_string()) value = value.get<std::string>() + tail;
    });
    project["format"] = "tovex-project/1";
    return project;
}

TEST(HostileInput, TextsOfAHundredThousandCharactersAreKeptWhole)
{
    const std::string tail(100'000, 'x');
    const ordered_json project = with_long_texts("ethylene-plant", tail);
    const RunResult run = run_in_full(project);
    EXPECT_EQ(run.result, 1);
    // Units that no table knows leave only the utilities priced without a
    // conversion. The summary names them whole; the detailed report's
    // utility line is cut at its 2047 characters.
    const std::string potable = "\n\"Potable Water" + tail + "\",";
    EXPECT_NE(run.summary.find(potable), std::string::npos);
    const std::size_t line = run.detailed.find(potable.substr(0, 1000));
    ASSERT_NE(line, std::string::npos);
    EXPECT_EQ(run.detailed.find('\n', line + 1) - (line + 1), 2047u);
    EXPECT_NO_THROW(qxhost::parse_project(run.state, "state.json"));
}

TEST(HostileInput, TextsOfAHundredThousandCharactersInTheDutyBalance)
{
    const RunResult run = run_in_full(with_long_texts("sim-case-plant", std::string(100'000, 'x')));
    EXPECT_EQ(run.result, 1);
    EXPECT_FALSE(run.summary.empty());
    EXPECT_NO_THROW(qxhost::parse_project(run.state, "state.json"));
}

// Every number of the slots in `slots` made `number`.
void set_slot_numbers(ordered_json& slots, const ordered_json& number)
{
    for (auto& [name, slot] : slots.items()) {
        if (slot.is_object() && slot.contains("value")) slot["value"] = number;
        else if (slot.is_number()) slot = ordered_json{{"value", number}, {"units", ""}};
    }
}

// The limits of the double, each put in every numeric slot and load of
// each example plant.
class NumbersAtTheLimits : public ::testing::TestWithParam<std::tuple<const char*, double>> {};

TEST_P(NumbersAtTheLimits, InEveryNumericSlotRunAndReadBack)
{
    const auto [plant, limit] = GetParam();
    // A slot takes a number that is not finite as a text; the file's plain
    // numbers (loads, design criteria) take finite ones only.
    const ordered_json number = std::isfinite(limit) ? ordered_json(limit)
                                : std::isnan(limit)  ? ordered_json("nan")
                                : limit > 0          ? ordered_json("inf")
                                                     : ordered_json("-inf");
    ordered_json project = example_plant(plant);
    for (auto& object : project["objects"]) {
        for (const char* table : {"slots", "defaults"})
            if (object.contains(table)) set_slot_numbers(object[table], number);
    }
    for (auto& entry : project["utility_streams"]["entries"]) set_slot_numbers(entry["slots"], number);
    for (auto& [database, objects] : project["databases"].items()) {
        for (auto& [object, slots] : objects.items()) set_slot_numbers(slots, number);
    }
    if (std::isfinite(limit) && project.contains("design_criteria")) {
        for (auto& [group, criteria] : project["design_criteria"].items()) {
            for (auto& [name, criterion] : criteria.items()) criterion["value"] = limit;
        }
    }
    if (std::isfinite(limit) && project.contains("electrical_loads")) {
        for (auto& item : project["electrical_loads"]["items"]) item["kw"] = limit;
    }

    const RunResult run = run_in_full(project);
    EXPECT_EQ(run.result, 1);
    EXPECT_FALSE(run.summary.empty());
    EXPECT_NO_THROW(qxhost::parse_project(run.state, "state.json"));
}

std::string limit_name(const ::testing::TestParamInfo<NumbersAtTheLimits::ParamType>& info)
{
    const double limit = std::get<1>(info.param);
    const std::string plant = std::get<0>(info.param)[0] == 'e' ? "Ethylene" : "SimCase";
    if (std::isnan(limit)) return plant + "NotANumber";
    if (std::isinf(limit)) return plant + (limit > 0 ? "Infinity" : "NegativeInfinity");
    if (limit == 0) return plant + "NegativeZero";
    if (std::abs(limit) < 1) return plant + "SmallestSubnormal";
    return plant + (limit > 0 ? "Largest" : "MostNegative");
}

INSTANTIATE_TEST_SUITE_P(, NumbersAtTheLimits,
                         ::testing::Combine(::testing::Values("ethylene-plant", "sim-case-plant"),
                                            ::testing::Values(1e308, -1e308,
                                                              std::numeric_limits<double>::denorm_min(), -0.0,
                                                              std::numeric_limits<double>::infinity(),
                                                              -std::numeric_limits<double>::infinity(),
                                                              std::numeric_limits<double>::quiet_NaN())),
                         limit_name);

TEST(HostileInput, AFileOf2GiBIsRefusedBeforeItIsRead)
{
    tovex_test::ScratchDir scratch;
    // Sparse: it takes no room on the disk.
    scratch.write("huge.json", "{");
    ASSERT_EQ(::truncate((scratch.path() / "huge.json").c_str(), off_t{1} << 31), 0);
    try {
        qxhost::read_project_file("huge.json");
        FAIL() << "read";
    } catch (const qxhost::ProjectFileError& error) {
        EXPECT_STREQ(error.what(), "huge.json: cannot read: a project file must be smaller than 2 GiB");
    }
}

}  // namespace
