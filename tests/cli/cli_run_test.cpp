// Runs with the built module: exit statuses 0 and 1, the state file, the
// JSON result, the working directory and KVT_ELEC.TMP. The module's own
// results are checked by its tests; here only what the command guarantees.
#include <gtest/gtest.h>

#include <fstream>

#include <nlohmann/json.hpp>

#include "command_runner.h"
#include "projfile/projfile.h"

namespace {

using cli_test::CommandFolder;
using cli_test::CommandResult;

bool contains(const std::string& text, const std::string& part) { return text.find(part) != std::string::npos; }

const char* const plant_loads =
    "Object Ref ID:Electrical Load (KW)\n101:12.500000\n102:0.250000\nProject Total:12.750000 KW\n";

TEST(Run, AValidProjectExitsWithZero)
{
    CommandFolder folder;
    const std::string plant = folder.fixture("plant.json");
    const std::string state = (folder.path() / "state.json").string();
    const CommandResult result = folder.run({"run", plant, "--dir", folder.work().string(), "--state", state});
    ASSERT_EQ(result.status, 0) << result.err;

    // The reports and KVT_ELEC.TMP are in --dir, not in the current folder.
    EXPECT_EQ(folder.read(folder.work() / "KVT_ELEC.TMP"), plant_loads);
    EXPECT_TRUE(std::filesystem::exists(folder.work() / "UtilRes.Txt"));
    EXPECT_FALSE(std::filesystem::exists(folder.path() / "UtilRes.Txt"));
    EXPECT_FALSE(std::filesystem::exists(folder.path() / "KVT_ELEC.TMP"));

    EXPECT_TRUE(contains(result.out, "Total process utility cost per period: ")) << result.out;

    // The state file reads back, keeps the project and holds the run's rows.
    const auto written = qxhost::read_project_file(state);
    EXPECT_EQ(written->name, "SMALL-1");
    EXPECT_EQ(written->objects.size(), 2u);
    ASSERT_EQ(written->cost_rows.size(), 5u);  // the default rows
    EXPECT_EQ(written->cost_rows.back().cost_slot, "Total Process Utility Cost Per Period");
    EXPECT_NE(written->cost_rows.back().value, "");
    EXPECT_TRUE(written->cost_rows.back().number.has_value());
    EXPECT_NE(written->entries.find("Cooling Water")->slots.find("Cost per Hour"), nullptr);

    // Such a file can be run again.
    const CommandResult again = folder.run({"run", state, "--dir", folder.work().string()});
    EXPECT_EQ(again.status, 0) << again.err;
}

TEST(Run, WithoutDirTheCurrentFolderIsUsed)
{
    CommandFolder folder;
    const std::string plant = folder.fixture("plant.json");
    const CommandResult result = folder.run({"run", plant, "--reduced"});
    ASSERT_EQ(result.status, 0) << result.err;
    EXPECT_TRUE(std::filesystem::exists(folder.path() / "UtilRes.Txt"));
    EXPECT_EQ(folder.read(folder.path() / "KVT_ELEC.TMP"), plant_loads);
}

TEST(Run, VersionIsPrinted)
{
    CommandFolder folder;
    const CommandResult result = folder.run({"--version"});
    EXPECT_EQ(result.status, 0);
    EXPECT_EQ(result.out, std::string("tovex ") + TOVEX_VERSION_TEXT + "\n");
}

TEST(Run, JsonResultShape)
{
    CommandFolder folder;
    const std::string plant = folder.fixture("plant.json");
    const CommandResult result = folder.run({"run", plant, "--dir", folder.work().string(), "--json"});
    ASSERT_EQ(result.status, 0) << result.err;
    const auto json = nlohmann::json::parse(result.out);
    ASSERT_TRUE(json.is_object());
    EXPECT_EQ(json.size(), 5u);
    EXPECT_TRUE(json.at("findings").is_array());
    EXPECT_EQ(json.at("version"), TOVEX_VERSION_TEXT);
    EXPECT_EQ(json.at("result"), 1);
    ASSERT_TRUE(json.at("cost_rows").is_array());
    ASSERT_EQ(json.at("cost_rows").size(), 5u);
    for (const auto& row : json.at("cost_rows")) {
        EXPECT_TRUE(row.at("name").is_string());
        EXPECT_TRUE(row.at("cost_slot").is_string());
        EXPECT_TRUE(row.at("value").is_string());
        if (row.contains("number")) {
            EXPECT_TRUE(row.at("number").is_number_unsigned());
        }
    }
    EXPECT_TRUE(json.at("warnings").is_array());
}

TEST(Run, AnotherInstanceIsNotValid)
{
    CommandFolder folder;
    const std::string plant = folder.fixture("plant.json");
    const std::string state = (folder.path() / "state.json").string();
    const CommandResult result =
        folder.run({"run", plant, "--dir", folder.work().string(), "--state", state, "--instance", "8", "--json"});
    EXPECT_EQ(result.status, 1);
    EXPECT_TRUE(contains(result.err, "the project or its utility streams configuration is not valid")) << result.err;
    EXPECT_TRUE(contains(result.err, "instance 8")) << result.err;
    EXPECT_EQ(nlohmann::json::parse(result.out).at("result"), 0);

    // KVT_ELEC.TMP and the state file are written; the project is as it was.
    EXPECT_EQ(folder.read(folder.work() / "KVT_ELEC.TMP"), plant_loads);
    EXPECT_FALSE(std::filesystem::exists(folder.work() / "UtilRes.Txt"));
    const auto before = qxhost::read_project_file(plant);
    const auto after = qxhost::read_project_file(state);
    EXPECT_EQ(qxhost::write_project_json(*after), qxhost::write_project_json(*before));
}

TEST(Run, AMissingFolderIsMadeAndARunThatFoundNothingValidPrintsNoTable)
{
    CommandFolder folder;
    const std::string plant = folder.fixture("plant.json");
    const std::filesystem::path dir = folder.path() / "new" / "deeper";
    const CommandResult made = folder.run({"run", plant, "--dir", dir.string()});
    EXPECT_EQ(made.status, 0) << made.err;
    EXPECT_TRUE(std::filesystem::exists(dir / "UtilRes.Txt"));

    const CommandResult not_valid = folder.run({"run", plant, "--dir", dir.string(), "--instance", "8"});
    EXPECT_EQ(not_valid.status, 1);
    EXPECT_EQ(not_valid.out, "");
}

TEST(Run, OtherNamesAreNotValidEither)
{
    CommandFolder folder;
    const std::string plant = folder.fixture("plant.json");
    EXPECT_EQ(folder.run({"run", plant, "--dir", folder.work().string(), "--name", "OTHER"}).status, 1);
    EXPECT_EQ(folder.run({"run", plant, "--dir", folder.work().string(), "--scenario", "Other"}).status, 1);
    // Instance 0 names the loaded project.
    EXPECT_EQ(folder.run({"run", plant, "--dir", folder.work().string(), "--instance", "0"}).status, 0);
}

TEST(Run, NoUtilityStreamsConfigurationIsNotValid)
{
    CommandFolder folder;
    const std::string plant = folder.fixture("no-streams-config.json");
    const CommandResult result = folder.run({"run", plant, "--dir", folder.work().string()});
    EXPECT_EQ(result.status, 1);
    EXPECT_TRUE(contains(result.err, "no utility streams configuration")) << result.err;
}

TEST(Pass, OneClassOfStreams)
{
    CommandFolder folder;
    const std::string plant = folder.fixture("plant.json");
    const std::string state = (folder.path() / "state.json").string();
    const CommandResult result =
        folder.run({"pass", plant, "--class", "3105", "--dir", folder.work().string(), "--state", state, "--json"});
    ASSERT_EQ(result.status, 0) << result.err;
    EXPECT_EQ(nlohmann::json::parse(result.out).at("result"), 1);
    EXPECT_NO_THROW(qxhost::read_project_file(state));

    EXPECT_EQ(folder.run({"pass", plant, "--class", "3105", "--record", "--dir", folder.work().string()}).status, 0);
    EXPECT_EQ(folder.run({"pass", plant, "--class", "3105", "--instance", "9", "--dir", folder.work().string()}).status,
              1);
}

TEST(ElectricalLoads, TheFileTextWinsOverTheLoads)
{
    CommandFolder folder;
    const std::string plant = folder.fixture("load-file-plant.json");
    const CommandResult result = folder.run({"run", plant, "--dir", folder.work().string()});
    EXPECT_EQ(result.status, 0) << result.err;
    EXPECT_EQ(folder.read(folder.work() / "KVT_ELEC.TMP"),
              "Object Ref ID:Electrical Load (KW)\n5:1.000000\nProject Total:1.000000 KW\n");
}

TEST(ElectricalLoads, WithNeitherAFileAlreadyThereIsLeftAsItIs)
{
    CommandFolder folder;
    const std::string plant = folder.fixture("bare-plant.json");
    { std::ofstream(folder.work() / "KVT_ELEC.TMP") << "kept\n"; }
    EXPECT_EQ(folder.run({"run", plant, "--dir", folder.work().string()}).status, 0);
    EXPECT_EQ(folder.read(folder.work() / "KVT_ELEC.TMP"), "kept\n");

    std::filesystem::remove(folder.work() / "KVT_ELEC.TMP");
    EXPECT_EQ(folder.run({"run", plant, "--dir", folder.work().string()}).status, 0);
    EXPECT_FALSE(std::filesystem::exists(folder.work() / "KVT_ELEC.TMP"));
}

}  // namespace

namespace {

// The state file, byte for byte as the command has always written it, for
// both examples after a full run and for a project of odd texts and numbers
// (escapes, non-ASCII, numbers at their limits and not finite, containers
// on one line and too long for one).
TEST(Run, TheStateFileKeepsItsBytes)
{
    const auto source = tovex_test::source_dir();
    for (const auto& [input, expected] :
         {std::pair{source / "examples/ethylene-plant.json", source / "tests/fixtures/state/ethylene-plant.state.json"},
          std::pair{source / "examples/sim-case-plant.json", source / "tests/fixtures/state/sim-case-plant.state.json"},
          std::pair{source / "tests/fixtures/state/odd-values.json",
                    source / "tests/fixtures/state/odd-values.state.json"}}) {
        CommandFolder folder;
        const std::string state = (folder.path() / "state.json").string();
        const CommandResult run = folder.run({"run", input.string(), "--dir", folder.work().string(), "--state", state});
        EXPECT_NE(run.status, 2) << run.err;
        EXPECT_EQ(folder.read(state), folder.read(expected)) << input;
    }
}

}  // namespace
