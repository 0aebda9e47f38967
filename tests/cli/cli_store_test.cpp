// The store commands as a user runs them: import, then export.
#include <gtest/gtest.h>

#include "command_runner.h"
#include "projfile/projfile.h"

namespace {

using cli_test::CommandFolder;
using cli_test::CommandResult;

TEST(StoreCommands, ExportGivesBackTheImportedProject)
{
    CommandFolder folder;
    const std::string plant = (tovex_test::source_dir() / "examples/ethylene-plant.json").string();
    const std::string store = (folder.path() / "plant.db").string();
    const CommandResult imported = folder.run({"import", plant, store});
    ASSERT_EQ(imported.status, 0) << imported.err;
    EXPECT_EQ(imported.out, store + ": revision 1 from " + plant + "\n");

    const CommandResult exported = folder.run({"export", store});
    ASSERT_EQ(exported.status, 0) << exported.err;
    EXPECT_EQ(exported.out, qxhost::write_project_json(*qxhost::read_project_file(plant)));
    const std::string copy = (folder.path() / "copy.json").string();
    ASSERT_EQ(folder.run({"export", store, "-o", copy}).status, 0);
    EXPECT_EQ(folder.read(copy), exported.out);
}

TEST(StoreCommands, BadInputEndsWithStatus2AndWritesNothing)
{
    CommandFolder folder;
    const std::string store = (folder.path() / "plant.db").string();
    const CommandResult bad_project = folder.run({"import", folder.fixture("syntax-error.json"), store});
    EXPECT_EQ(bad_project.status, 2);
    EXPECT_FALSE(std::filesystem::exists(store));

    const std::string json = folder.fixture("plant.json");
    const CommandResult not_a_store = folder.run({"export", json});
    EXPECT_EQ(not_a_store.status, 2);
    EXPECT_EQ(not_a_store.err, "tovex: " + json + ": not a tovex store (not an SQLite database)\n");
    EXPECT_EQ(folder.run({"export", store}).status, 2);
}

}  // namespace
