// The command with the stand-in module: what it hands to the entry points,
// what it takes back from the lists, and how it reports warnings.
#include <gtest/gtest.h>

#include <fstream>

#include <nlohmann/json.hpp>

#include "command_runner.h"
#include "projfile/projfile.h"

namespace {

using cli_test::CommandFolder;
using cli_test::CommandResult;

bool contains(const std::string& text, const std::string& part) { return text.find(part) != std::string::npos; }

CommandResult run_stub(const CommandFolder& folder, std::vector<std::string> arguments)
{
    arguments.insert(arguments.end(), {"--dir", folder.work().string(), "--module", cli_test::stub_module()});
    return folder.run(arguments);
}

TEST(StubModule, TheFileIdentityIsHandedOver)
{
    CommandFolder folder;
    const std::string plant = folder.fixture("plant.json");
    ASSERT_EQ(run_stub(folder, {"run", plant}).status, 0);
    EXPECT_EQ(folder.read(folder.work() / "call.txt"), "init\nSMALL-1\nBase Case\n7\n");
}

TEST(StubModule, AReportTheModuleDidNotWriteEndsTheCommandWithThree)
{
    CommandFolder folder;
    const std::string plant = folder.fixture("plant.json");
    setenv("TOVEX_STUB_NO_REPORTS", "1", 1);
    const CommandResult result = run_stub(folder, {"run", plant});
    unsetenv("TOVEX_STUB_NO_REPORTS");
    EXPECT_EQ(result.status, 3);
    EXPECT_NE(result.err.find("the run wrote no UtilRes.Txt into"), std::string::npos) << result.err;
}

TEST(StubModule, OverridesReplaceTheIdentity)
{
    CommandFolder folder;
    const std::string plant = folder.fixture("plant.json");
    ASSERT_EQ(run_stub(folder, {"run", plant, "--instance", "0", "--name", "Other name", "--scenario", ""}).status, 0);
    EXPECT_EQ(folder.read(folder.work() / "call.txt"), "init\nOther name\n\n0\n");
}

TEST(StubModule, PostedValuesAndNumbersReachTheStateAndTheOutput)
{
    CommandFolder folder;
    const std::string plant = folder.fixture("plant.json");
    const std::string state = (folder.path() / "state.json").string();
    const CommandResult result = run_stub(folder, {"run", plant, "--state", state});
    ASSERT_EQ(result.status, 0) << result.err;

    const auto written = qxhost::read_project_file(state);
    EXPECT_EQ(written->cost_rows[0].name, "Cooling Water");
    EXPECT_EQ(written->cost_rows[0].value, "5\nKLB/H");
    EXPECT_EQ(written->cost_rows[0].number, 99u);
    EXPECT_FALSE(written->cost_rows[1].number.has_value());

    // The table: the row with a value, its rate and units; no cost per
    // hour since the stand-in stores none; no total either; and no
    // Electricity, since the stand-in writes no summary to read it from.
    EXPECT_EQ(result.out,
              "Utility        Rate  Rate units  Cost per hour\n"
              "Cooling Water  5     KLB/H       -\n"
              "Total process utility cost per period: -\n"
              "All utilities, electricity and fuel included: - per hour, - per period\n");
}

TEST(StubModule, ANumberFromAnEarlierRunIsKept)
{
    CommandFolder folder;
    const std::string plant = folder.fixture("plant.json");
    const std::string state = (folder.path() / "state.json").string();
    {
        auto project = qxhost::read_project_file(plant);
        project->cost_rows[1].value = "7\nKW";
        project->cost_rows[1].number = 1234;
        std::ofstream(folder.path() / "earlier.json") << qxhost::write_project_json(*project);
    }
    ASSERT_EQ(run_stub(folder, {"run", (folder.path() / "earlier.json").string(), "--state", state}).status, 0);
    const auto written = qxhost::read_project_file(state);
    EXPECT_EQ(written->cost_rows[1].value, "7\nKW");
    EXPECT_EQ(written->cost_rows[1].number, 1234u);
}

TEST(StubModule, WarningsGoToStandardErrorAndIntoTheJson)
{
    CommandFolder folder;
    const std::string plant = folder.fixture("plant.json");
    const CommandResult result = run_stub(folder, {"run", plant, "--json"});
    ASSERT_EQ(result.status, 0) << result.err;
    EXPECT_TRUE(contains(result.err, "tovex: warning: cannot convert \"KW\" to \"LB\"")) << result.err;

    const auto json = nlohmann::json::parse(result.out);
    ASSERT_EQ(json.at("warnings").size(), 1u);
    EXPECT_EQ(json.at("warnings")[0].at("from_units"), "KW");
    EXPECT_EQ(json.at("warnings")[0].at("to_units"), "LB");
    EXPECT_TRUE(json.at("warnings")[0].at("message").is_string());
    EXPECT_EQ(json.at("cost_rows")[0].at("number"), 99);
}

TEST(StubModule, PassesGetTheProjectObjects)
{
    CommandFolder folder;
    const std::string plant = folder.fixture("plant.json");
    ASSERT_EQ(run_stub(folder, {"pass", plant, "--class", "3305"}).status, 0);
    EXPECT_EQ(folder.read(folder.work() / "call.txt"), "pass 3305 with objects\n");
    ASSERT_EQ(run_stub(folder, {"pass", plant, "--class", "3105", "--record"}).status, 0);
    EXPECT_EQ(folder.read(folder.work() / "call.txt"), "recording pass 3105 1 with objects\n");
}

TEST(StubModule, APassOnAProjectThatIsNotValidCallsNothing)
{
    CommandFolder folder;
    const std::string plant = folder.fixture("plant.json");
    const std::string state = (folder.path() / "state.json").string();
    const CommandResult result = run_stub(folder, {"pass", plant, "--class", "3105", "--name", "X", "--state", state});
    EXPECT_EQ(result.status, 1);
    EXPECT_TRUE(contains(result.err, "not valid")) << result.err;
    EXPECT_FALSE(std::filesystem::exists(folder.work() / "call.txt"));
    EXPECT_TRUE(std::filesystem::exists(state));

    const std::string no_config = folder.fixture("no-streams-config.json");
    EXPECT_EQ(run_stub(folder, {"pass", no_config, "--class", "3105"}).status, 1);
    EXPECT_FALSE(std::filesystem::exists(folder.work() / "call.txt"));
}

}  // namespace

namespace {

// A run that takes over a second shows what it is doing on standard error
// when that is a terminal, and clears the line after; through a pipe it
// shows nothing.
TEST(StubModule, ALongRunShowsItsProgressAtATerminalOnly)
{
    CommandFolder folder;
    const std::string command = "TOVEX_STUB_RUN_MS=1500 " + std::string(TOVEX_COMMAND) + " run " +
                                folder.fixture("plant.json") + " --dir " + folder.work().string() + " --module " +
                                cli_test::stub_module();
    const CommandResult at_terminal = folder.run_program("/usr/bin/script", {"-qec", command, "/dev/null"});
    EXPECT_EQ(at_terminal.status, 0) << at_terminal.out;
    EXPECT_TRUE(contains(at_terminal.out, "\r\033[Ktovex: running the calculation, ")) << at_terminal.out;
    EXPECT_TRUE(contains(at_terminal.out, "\r\033[K")) << at_terminal.out;

    const CommandResult piped = folder.run_program("/bin/sh", {"-c", command});
    EXPECT_EQ(piped.status, 0);
    EXPECT_FALSE(contains(piped.err, "running")) << piped.err;
}

}  // namespace
