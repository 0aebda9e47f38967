// Exit status 2: a bad command line, project file or module. The message
// says what is wrong, and nothing is written.
#include <gtest/gtest.h>

#include "command_runner.h"

namespace {

using cli_test::CommandFolder;
using cli_test::CommandResult;

bool contains(const std::string& text, const std::string& part) { return text.find(part) != std::string::npos; }

// Runs the command, expecting exit status 2 with nothing written into
// "work" and no state file; returns its standard error.
std::string expect_refused(const CommandFolder& folder, std::vector<std::string> arguments)
{
    const std::string state = (folder.path() / "state.json").string();
    arguments.insert(arguments.end(), {"--dir", folder.work().string(), "--state", state});
    const CommandResult result = folder.run(arguments);
    EXPECT_EQ(result.status, 2) << result.err;
    EXPECT_EQ(folder.work_files(), std::vector<std::string>{});
    EXPECT_FALSE(std::filesystem::exists(state));
    EXPECT_EQ(result.out, "");
    return result.err;
}

TEST(CommandLine, BadCommandLinesAreRefused)
{
    CommandFolder folder;
    const std::string plant = folder.fixture("plant.json");
    for (const auto& arguments : std::vector<std::vector<std::string>>{
             {},
             {"walk", plant},
             {"run"},
             {"run", plant, "--frobnicate"},
             {"run", plant, "--record"},
             {"pass", plant},
             {"pass", plant, "--class", "x"},
             {"pass", plant, "--class", "3105", "--reduced"},
             {"run", plant, "--instance", "-1"},
             {"run", plant, "--instance", "4294967296"},
             {"run", plant, "--dir", plant + "/under-a-file"},
         }) {
        const CommandResult result = folder.run(arguments);
        EXPECT_EQ(result.status, 2) << ::testing::PrintToString(arguments) << "\n" << result.err;
        EXPECT_NE(result.err, "") << ::testing::PrintToString(arguments);
    }
    EXPECT_EQ(folder.work_files(), std::vector<std::string>{});
}

TEST(CommandLine, HelpIsNotAnError)
{
    CommandFolder folder;
    const CommandResult result = folder.run({"--help"});
    EXPECT_EQ(result.status, 0);
    EXPECT_TRUE(contains(result.out, "run")) << result.out;
    EXPECT_TRUE(contains(result.out, "pass")) << result.out;
}

TEST(CommandLine, ADirThatIsNotAFolderIsRefused)
{
    CommandFolder folder;
    const std::string plant = folder.fixture("plant.json");
    const CommandResult result = folder.run({"run", plant, "--dir", plant});
    EXPECT_EQ(result.status, 2);
    EXPECT_EQ(folder.read(plant), folder.read(std::filesystem::path(TOVEX_CLI_FIXTURES) / "plant.json"));
}

TEST(CommandLine, AStateFileInAMissingFolderIsRefusedBeforeTheRun)
{
    CommandFolder folder;
    const std::string plant = folder.fixture("plant.json");
    const CommandResult result =
        folder.run({"run", plant, "--dir", folder.work().string(), "--state", (folder.path() / "no/state.json").string()});
    EXPECT_EQ(result.status, 2);
    EXPECT_TRUE(contains(result.err, "--state")) << result.err;
    EXPECT_EQ(folder.work_files(), std::vector<std::string>{});
}

TEST(BadProject, ASyntaxErrorNamesFileLineAndColumn)
{
    CommandFolder folder;
    const std::string file = folder.fixture("syntax-error.json");
    const std::string err = expect_refused(folder, {"run", file});
    EXPECT_TRUE(contains(err, file + ":4:35: syntax error")) << err;
}

TEST(BadProject, AnInvalidValueNamesItsJsonPointer)
{
    CommandFolder folder;
    const std::string file = folder.fixture("invalid-value.json");
    const std::string err = expect_refused(folder, {"run", file});
    EXPECT_TRUE(contains(err, file + ": at /objects/0/slots/TOTAL MASS FLOW/value: expected a number")) << err;
    expect_refused(folder, {"pass", file, "--class", "3105"});
}

TEST(BadProject, AMissingFileIsNamed)
{
    CommandFolder folder;
    const std::string missing = (folder.path() / "nowhere.json").string();
    const std::string err = expect_refused(folder, {"run", missing});
    EXPECT_TRUE(contains(err, missing + ": cannot read: No such file or directory")) << err;
}

TEST(BadModule, AModuleThatCannotBeLoadedIsNamed)
{
    CommandFolder folder;
    const std::string plant = folder.fixture("plant.json");
    const std::string module = (folder.path() / "libnothing.so").string();
    const std::string err = expect_refused(folder, {"run", plant, "--module", module});
    EXPECT_TRUE(contains(err, "cannot load the module " + module)) << err;

    // A file that is not a library at all.
    const std::string err2 = expect_refused(folder, {"run", plant, "--module", plant});
    EXPECT_TRUE(contains(err2, "cannot load the module " + plant)) << err2;
}

TEST(BadModule, AMissingEntryPointIsNamed)
{
    CommandFolder folder;
    const std::string plant = folder.fixture("plant.json");
    const std::string err = expect_refused(folder, {"run", plant, "--reduced", "--module", cli_test::stub_module()});
    EXPECT_TRUE(contains(err, "has no entry point tovex_get_utility_old")) << err;
}

TEST(BadModule, TheProjectIsCheckedBeforeTheModule)
{
    CommandFolder folder;
    const std::string file = folder.fixture("syntax-error.json");
    const std::string err = expect_refused(folder, {"run", file, "--module", (folder.path() / "none.so").string()});
    EXPECT_TRUE(contains(err, "syntax error")) << err;
}

}  // namespace

namespace {

TEST(CommandLine, EveryMessageSaysItIsTovexAndWhatToDo)
{
    CommandFolder folder;
    const std::string plant = folder.fixture("plant.json");
    const CommandResult bad = folder.run({"run", plant, "--instance", "a"});
    EXPECT_EQ(bad.status, 2);
    EXPECT_TRUE(bad.err.starts_with("tovex: ")) << bad.err;

    const std::string binary = folder.write("plant.db", std::string("\x01\x02not json at all", 17));
    const CommandResult neither = folder.run({"run", binary, "--dir", folder.work().string()});
    EXPECT_EQ(neither.status, 2);
    EXPECT_EQ(neither.err, "tovex: " + binary + ": neither a project file (a JSON object) nor a tovex store\n");
}

}  // namespace
